#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once per machine.
# The deb-src entries are derived from the machine's own Debian sources file,
# so that no archive address is written into the project.
set -euo pipefail

native_packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev)
windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
                  wine wine64 fonts-wine xvfb xauth imagemagick xdotool python3 zip unzip dpkg-dev)

want=("${native_packages[@]}")
if [ "${1:-}" != "--native-only" ]; then
    want+=("${windows_packages[@]}")
fi

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source entries for fetching the editor component's source package.
if [ "${1:-}" != "--native-only" ]; then
    src_list=/etc/apt/sources.list.d/project-deb-src.sources
    if [ ! -f "$src_list" ]; then
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] || continue
            grep -q '^Types:.*\bdeb\b' "$f" || continue
            sed -e 's/^Types:.*/Types: deb-src/' "$f" >>"$src_list"
            echo >>"$src_list"
        done
        apt-get update -qq
    fi
fi
