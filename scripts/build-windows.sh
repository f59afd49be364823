#!/usr/bin/env bash
# Builds the editor component, then the program and its tests for both
# Windows targets; given a target's name, that target alone, configured the
# same way.
#
#   scripts/build-windows.sh [TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-scintilla.sh
for preset in mingw-x64 mingw-x86; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j 2 ${1:+--target "$1"}
done
