#!/usr/bin/env bash
# Builds the checked-out commit twice from fresh clones in two folders of
# different paths, with different umasks and time zones, Scintilla.dll
# included, and compares the programs, the libraries, the zip and SHA256SUMS
# of the two builds byte for byte. Exits 1 when any of them differ. Only
# committed work is built. Not part of the test command: it takes about five
# minutes on a 2-core machine.
#
#   scripts/check-reproducible.sh [WORK]   WORK: where the two clones go
#                                          (default: a new folder in /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."

repo=$PWD
commit=$(git rev-parse HEAD)
work=${1:-$(mktemp -d /tmp/reproducible.XXXXXX)}
artefacts=(build/mingw-x64/MessageRequesterWizard.exe build/mingw-x86/MessageRequesterWizard.exe
           build/scintilla/x86_64/Scintilla.dll build/scintilla/i686/Scintilla.dll build/package/SHA256SUMS)

# build FOLDER UMASK TIMEZONE
build() {
    local folder=$1
    git clone -q "$repo" "$folder"
    git -C "$folder" checkout -q --detach "$commit"
    # The editor's source package, if this repository has fetched it, spares
    # a second download; the library itself is built anew.
    if compgen -G "build/scintilla/download/scite_*.orig.tar.gz" >/dev/null; then
        mkdir -p "$folder/build/scintilla/download"
        cp build/scintilla/download/scite_*.orig.tar.gz "$folder/build/scintilla/download/"
    fi
    (
        cd "$folder"
        umask "$2"
        export TZ=$3
        scripts/build-scintilla.sh
        for preset in mingw-x64 mingw-x86; do
            cmake --preset "$preset" -DWIZARD_WINDOWS_TESTS=OFF >/dev/null
            cmake --build --preset "$preset" -j 2 --target MessageRequesterWizard >/dev/null
        done
        scripts/package.sh >/dev/null
    ) >"$folder.log" 2>&1 || { cat "$folder.log" >&2; return 1; }
}

first=$work/first/src
second=$work/second-build/wizard-source
mkdir -p "$(dirname "$first")" "$(dirname "$second")"
echo "check-reproducible: building $commit in $first and in $second"
build "$first" 022 UTC
build "$second" 077 Asia/Vladivostok

status=0
zip=$(cd "$first" && ls build/package/*-windows.zip)
for file in "${artefacts[@]}" "$zip"; do
    if cmp -s "$first/$file" "$second/$file"; then
        echo "same       $(sha256sum "$first/$file" | cut -d' ' -f1)  $file"
    else
        echo "DIFFERENT  $file"
        status=1
    fi
done
exit $status
