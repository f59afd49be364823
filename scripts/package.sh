#!/usr/bin/env bash
# Assembles the release zip for Windows users from the two Windows builds:
# both install trees (x86_64 and i686, each with its Compilers\Scintilla.dll)
# go into one folder with the README and the licence, and that folder is
# zipped. Expects scripts/build-windows.sh to have built both presets (or
# takes the two build folders as arguments). Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."

builds=("${1:-build/mingw-x64}" "${2:-build/mingw-x86}")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${builds[0]}/CMakeCache.txt")
name="MessageRequesterWizard-$version"
out=build/package
rm -rf "$out/$name" "$out/$name-windows.zip"
mkdir -p "$out"
for build in "${builds[@]}"; do
    cmake --install "$build" --prefix "$out/$name" >/dev/null
done
(cd "$out" && zip -q -r -X "$name-windows.zip" "$name")
rm -rf "${out:?}/$name"
echo "$PWD/$out/$name-windows.zip"
