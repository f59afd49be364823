#!/usr/bin/env bash
# Assembles the release zip for Windows users from the two Windows builds:
# both install trees (x86_64 and i686, each with its Compilers\Scintilla.dll)
# go into one folder with the README, the licence and BUILDINFO.txt (what the
# release was built from), and that folder is zipped, with SHA256SUMS beside
# the zip. Expects scripts/build-windows.sh to have built both presets (or
# takes the two build folders as arguments). Prints the zip's path.
#
# The zip's entries carry the time SOURCE_DATE_EPOCH, by default the time of
# the checked-out commit, so that two builds of one commit give the same zip.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/scintilla-source.sh

builds=("${1:-build/mingw-x64}" "${2:-build/mingw-x86}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${builds[0]}/CMakeCache.txt")
name="MessageRequesterWizard-$version"
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
out=build/package
rm -rf "$out/$name" "$out/$name-windows.zip" "$out/SHA256SUMS"
mkdir -p "$out"
for build in "${builds[@]}"; do
    cmake --install "$build" --prefix "$out/$name" >/dev/null
done

# The Debian package that holds a file, with its version. With /usr merged,
# dpkg may know a library of /usr/lib by its name under /lib.
package_of() {
    local file package
    file=$(readlink -f "$1")
    package=$({ dpkg-query -S "$file" || dpkg-query -S "${file#/usr}"; } 2>/dev/null | head -n 1 | cut -d: -f1 || true)
    if [ -n "$package" ]; then
        dpkg-query -W -f='${Package} ${Version}\n' "$package" | head -n 1
    else
        echo "not from a Debian package"
    fi
}

# The libraries were built from the pinned source, as their recipes say.
for arch in x86_64 i686; do
    if ! grep -qxF "source=scite $scite_package_version sha256:$scite_source_sha256" "build/scintilla/$arch/recipe"; then
        echo "package: build/scintilla/$arch/Scintilla.dll is not built from the source that" \
             "scripts/scintilla-source.sh pins; run scripts/build-scintilla.sh" >&2
        exit 1
    fi
done

# What the release was built from, in CR LF lines for Notepad: the commit,
# Scintilla's source, the Debian packages of the tools, and the Python and
# zlib that make the zip (the zip's bytes depend on zlib's compression).
commit=$(git rev-parse HEAD)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    commit="$commit, with changes not committed"
fi
read -r python_version zlib_version libz < <(python3 -c '
import platform, zlib
libz = next((line.split()[-1] for line in open("/proc/self/maps") if "/libz.so" in line), "-")
print(platform.python_version(), zlib.ZLIB_RUNTIME_VERSION, libz)')
{
    echo "MessageRequester wizard $version"
    echo "commit: $commit"
    echo "Scintilla: $scintilla_version"
    echo "Scintilla source: scite $scite_package_version, scite_${scite_package_version%-*}.orig.tar.gz" \
         "SHA-256 $scite_source_sha256"
    for arch in x86_64 i686; do
        echo "$arch compiler: $(package_of "$(command -v "$arch-w64-mingw32-g++-posix")")"
        echo "$arch binutils: $(package_of "$(command -v "$arch-w64-mingw32-ld")")"
        echo "$arch runtime: $(package_of "/usr/$arch-w64-mingw32/lib/libmsvcrt.a")"
    done
    echo "zip: Python $python_version zipfile, zlib $zlib_version" \
         "($([ "$libz" = - ] && echo "built into Python" || package_of "$libz"))"
} | sed 's/$/\r/' >"$out/$name/BUILDINFO.txt"
python3 scripts/release-zip.py "$out" "$name" "$epoch"
rm -rf "${out:?}/$name"
echo "$PWD/$out/$name-windows.zip"
