#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once per machine.
# The deb-src entries are derived from the machine's own apt sources, so that
# no archive address is written into the project.
set -euo pipefail

native_packages=(cmake g++ make googletest libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev)
windows_packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
                  wine wine64 fonts-wine xvfb xauth imagemagick xdotool python3 zip unzip dpkg-dev locales)

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

# Source entries for fetching the editor component's source package: a deb-src
# twin of every deb entry that apt reads, whether one entry a line
# (sources.list, *.list) or one block a source (*.sources).
if [ "${1:-}" != "--native-only" ]; then
    eval "$(apt-config shell source_list Dir::Etc::sourcelist/f source_parts Dir::Etc::sourceparts/d)"
    source_parts=${source_parts%/}
    derived_blocks=$source_parts/project-deb-src.sources
    derived_lines=$source_parts/project-deb-src.list
    if [ ! -f "$derived_blocks" ] && [ ! -f "$derived_lines" ]; then
        for f in "$source_parts"/*.sources; do
            [ -f "$f" ] || continue
            grep -q '^Types:.*\bdeb\b' "$f" || continue
            sed -e 's/^Types:.*/Types: deb-src/' "$f" >>"$derived_blocks"
            echo >>"$derived_blocks"
        done
        for f in "$source_list" "$source_parts"/*.list; do
            [ -f "$f" ] || continue
            sed -n -E 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' "$f" >>"$derived_lines"
        done
        [ -s "$derived_lines" ] || rm -f "$derived_lines"
        apt-get update -qq
    fi
fi
