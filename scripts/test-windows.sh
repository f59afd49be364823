#!/usr/bin/env bash
# Builds both Windows targets and runs the x86_64 tests under Wine inside a
# private X server. Leaves no Wine process behind.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-windows.sh

stop_wine() {
    WINEPREFIX="$PWD/build/wineprefix" wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT

xvfb-run -a bash -c 'source scripts/wine-env.sh && ctest --preset mingw-x64'
