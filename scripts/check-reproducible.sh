#!/usr/bin/env bash
# Builds the checked-out commit twice from fresh clones in two folders of
# different paths, with different umasks and time zones, Scintilla.dll
# included, and compares the programs, the libraries, the zip and SHA256SUMS
# of the two builds byte for byte; of zips that differ it names the entries
# that differ. Each build is the one the test command packages: both presets
# configured by scripts/build-windows.sh as the test command configures them,
# then scripts/package.sh. Exits 1 when anything differs. Only committed work
# is built. Not part of the test command: it takes about ten minutes on a
# 2-core machine.
#
#   scripts/check-reproducible.sh [WORK]   WORK: where the two clones go
#                                          (default: a new folder in /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/scintilla-source.sh

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
    # The pinned source, if this repository has fetched it, spares a second
    # download (the build checks its hash); the library itself is built anew.
    local tarball=build/scintilla/download/scite_${scite_package_version%-*}.orig.tar.gz
    if [ -f "$tarball" ]; then
        mkdir -p "$folder/build/scintilla/download"
        cp "$tarball" "$folder/build/scintilla/download/"
    fi
    (
        cd "$folder"
        umask "$2"
        export TZ=$3
        scripts/build-windows.sh MessageRequesterWizard
        scripts/package.sh
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
if ! cmp -s "$first/$zip" "$second/$zip"; then
    python3 - "$first/$zip" "$second/$zip" <<'EOF'
import sys, zipfile
def entries(path):
    with zipfile.ZipFile(path) as archive:
        return {entry.filename: (entry.date_time, entry.external_attr, archive.read(entry))
                for entry in archive.infolist()}
first, second = (entries(path) for path in sys.argv[1:])
for name in sorted(set(first) | set(second)):
    if first.get(name) != second.get(name):
        print("  differs in the zip:", name)
EOF
fi
exit $status
