#!/usr/bin/env bash
# Assembles the release zip for Windows users from the two Windows builds:
# both install trees (x86_64 and i686, each with its Compilers\Scintilla.dll)
# go into one folder with the README and the licence, and that folder is
# zipped, with SHA256SUMS beside the zip. Expects scripts/build-windows.sh to
# have built both presets (or takes the two build folders as arguments).
# Prints the zip's path.
#
# The zip's entries carry the time SOURCE_DATE_EPOCH, by default the time of
# the checked-out commit, so that two builds of one commit give the same zip.
set -euo pipefail
cd "$(dirname "$0")/.."

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
python3 scripts/release-zip.py "$out" "$name" "$epoch"
rm -rf "${out:?}/$name"
echo "$PWD/$out/$name-windows.zip"
