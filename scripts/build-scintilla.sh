#!/usr/bin/env bash
# Builds the editor component's library (Scintilla.dll) for both Windows
# targets from Debian's source package, once, and caches it in the build
# folder:
#   build/scintilla/<arch>/Scintilla.dll   arch = x86_64, i686
#   build/scintilla/include/               its headers (message numbers)
#   build/scintilla/License.txt            its licence
#   build/scintilla/<arch>/recipe          how that library was built
# A library built by another recipe than the one below is built again.
# Nothing of it is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=build/scintilla
archs=(x86_64 i686)

# No build folder and no link time in the library, so that two builds of one
# source give the same bytes; <work> stands for the build folder.
cxxflags='-ffile-prefix-map=<work>/='
ldflags='-shared -static -static-libgcc -static-libstdc++ -mwindows -Wl,--no-insert-timestamp'

recipe() {
    printf '%s\n' "$("$1-w64-mingw32-g++-posix" --version | head -n 1)" "CXXFLAGS=$cxxflags" "LDFLAGS=$ldflags"
}

built_by_recipe() {
    [ -f "$cache/$1/Scintilla.dll" ] && [ "$(cat "$cache/$1/recipe" 2>/dev/null)" = "$(recipe "$1")" ]
}

all_present() {
    for arch in "${archs[@]}"; do
        built_by_recipe "$arch" || return 1
    done
    [ -f "$cache/License.txt" ] && [ -d "$cache/include" ]
}

if all_present; then
    exit 0
fi

mkdir -p "$cache/download"
tarball=$(ls "$cache"/download/scite_*.orig.tar.gz 2>/dev/null | head -n 1 || true)
if [ -z "$tarball" ]; then
    if ! apt-cache showsrc scite >/dev/null 2>&1; then
        apt-get update -qq
    fi
    (cd "$cache/download" && apt-get source --download-only -qq scite 2>&1 | grep -v '^W: Download is performed unsandboxed' || true)
    tarball=$(ls "$cache"/download/scite_*.orig.tar.gz 2>/dev/null | head -n 1 || true)
    if [ -z "$tarball" ]; then
        echo "build-scintilla: could not fetch the scite source package" \
             "(scripts/install-packages.sh adds the source entries)" >&2
        exit 1
    fi
fi

for arch in "${archs[@]}"; do
    built_by_recipe "$arch" && continue
    work="$cache/work-$arch"
    rm -rf "$work"
    mkdir -p "$work"
    tar -xzf "$tarball" -C "$work" scintilla
    echo "build-scintilla: building Scintilla.dll for $arch"
    make -C "$work/scintilla/win32" -j2 -s \
        CXX="$arch-w64-mingw32-g++-posix" \
        WINDRES="$arch-w64-mingw32-windres" \
        AR="$arch-w64-mingw32-ar" \
        RANLIB="$arch-w64-mingw32-ranlib" \
        CXXFLAGS="${cxxflags//<work>/$PWD/$work}" \
        LDFLAGS="$ldflags" \
        ../bin/Scintilla.dll >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
    mkdir -p "$cache/$arch"
    cp "$work/scintilla/bin/Scintilla.dll" "$cache/$arch/Scintilla.dll"
    recipe "$arch" >"$cache/$arch/recipe"
    if [ ! -d "$cache/include" ]; then
        cp -r "$work/scintilla/include" "$cache/include"
        cp "$work/scintilla/License.txt" "$cache/License.txt"
    fi
    rm -rf "$work" "$work.log"
done
