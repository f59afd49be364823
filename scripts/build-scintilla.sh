#!/usr/bin/env bash
# Builds the editor component's library (Scintilla.dll) for both Windows
# targets from the source pinned in scripts/scintilla-source.sh, once, and
# caches it in the build folder (SCINTILLA_CACHE names another folder):
#   build/scintilla/<arch>/Scintilla.dll   arch = x86_64, i686
#   build/scintilla/include/               its headers (message numbers)
#   build/scintilla/License.txt            its licence
#   build/scintilla/<arch>/recipe          how that library was built
#   build/scintilla/download/              the source package
# A library built by another recipe than the one below is built again; the
# recipe names the source's hash. Nothing of it is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/scintilla-source.sh

cache=${SCINTILLA_CACHE:-build/scintilla}
archs=(x86_64 i686)
upstream_version=${scite_package_version%-*}
tarball=$cache/download/scite_$upstream_version.orig.tar.gz

# No build folder and no link time in the library, so that two builds of one
# source give the same bytes; <work> stands for the build folder. The makefile
# puts CXXFLAGS after its own flags (-O3, NDEBUG), while LDFLAGS on make's
# command line replaces its own, which are therefore repeated here. DEBUG and
# CLANG, which would switch the makefile to another build, are emptied so that
# the environment cannot set them.
cxxflags='-ffile-prefix-map=<work>/='
ldflags='-shared -static -static-libgcc -static-libstdc++ -mwindows -Wl,--no-insert-timestamp'

# make_variables ARCH: make's variables for that target, in make_variables[].
make_variables() {
    make_variables=(CXX="$1-w64-mingw32-g++-posix" WINDRES="$1-w64-mingw32-windres" AR="$1-w64-mingw32-ar"
                    RANLIB="$1-w64-mingw32-ranlib" CXXFLAGS="$cxxflags" LDFLAGS="$ldflags" DEBUG= CLANG=)
}

recipe() {
    make_variables "$1"
    printf '%s\n' "$("$1-w64-mingw32-g++-posix" --version | head -n 1)" \
        "source=scite $scite_package_version sha256:$scite_source_sha256" "${make_variables[@]:4}"
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

fetch_source() {
    mkdir -p "$cache/download"
    if ! apt-cache showsrc scite 2>/dev/null | grep -qx "Version: $scite_package_version"; then
        apt-get update -qq
    fi
    (cd "$cache/download" && apt-get source --download-only -qq "scite=$scite_package_version" 2>&1 |
        grep -v '^W: Download is performed unsandboxed' || true)
    if [ ! -f "$tarball" ]; then
        echo "build-scintilla: could not fetch the source package scite $scite_package_version" \
             "(scripts/install-packages.sh adds the source entries; scripts/scintilla-source.sh pins the version)" >&2
        exit 1
    fi
}

refuse_other_source() {
    local found
    found=$(sha256sum "$tarball" | cut -d' ' -f1)
    if [ "$found" != "$scite_source_sha256" ]; then
        echo "build-scintilla: refusing to build from $tarball:" \
             "its SHA-256 is $found, but scripts/scintilla-source.sh pins scite $scite_package_version" \
             "to $scite_source_sha256. Delete the file to fetch the pinned source again, or, to take" \
             "another Scintilla on purpose, pin its version and hash there." >&2
        exit 1
    fi
}

# Every compile that make would run keeps the makefile's -O3 and NDEBUG.
refuse_other_flags() {
    if make -n -C "$1" "${make_variables[@]}" ../bin/Scintilla.dll | grep -e ' -c ' |
        grep -v -e ' -DNDEBUG .* -O3 ' | grep -q .; then
        echo "build-scintilla: the makefile would compile without its -O3 and NDEBUG" >&2
        exit 1
    fi
}

if all_present; then
    exit 0
fi

[ -f "$tarball" ] || fetch_source
refuse_other_source

for arch in "${archs[@]}"; do
    built_by_recipe "$arch" && continue
    work="$cache/work-$arch"
    rm -rf "$work"
    mkdir -p "$work"
    tar -xzf "$tarball" -C "$work" scintilla
    make_variables "$arch"
    make_variables=("${make_variables[@]//<work>/$(cd "$work" && pwd)}")
    refuse_other_flags "$work/scintilla/win32"
    echo "build-scintilla: building Scintilla.dll $scintilla_version for $arch"
    make -C "$work/scintilla/win32" -j2 -s "${make_variables[@]}" ../bin/Scintilla.dll >"$work.log" 2>&1 ||
        { cat "$work.log" >&2; exit 1; }
    mkdir -p "$cache/$arch"
    cp "$work/scintilla/bin/Scintilla.dll" "$cache/$arch/Scintilla.dll"
    recipe "$arch" >"$cache/$arch/recipe"
    if [ ! -d "$cache/include" ]; then
        cp -r "$work/scintilla/include" "$cache/include"
        cp "$work/scintilla/License.txt" "$cache/License.txt"
    fi
    rm -rf "$work" "$work.log"
done
