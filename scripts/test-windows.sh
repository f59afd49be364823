#!/usr/bin/env bash
# Builds both Windows targets and runs the x86_64 tests under Wine inside a
# private X server. Leaves no Wine process behind.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-windows.sh

stop_wine() {
    WINEPREFIX="${PROJECT_WINEPREFIX:-$PWD/build/wineprefix}" wineserver -k >/dev/null 2>&1 || true
}
trap stop_wine EXIT

# Wine is stopped while its X server still runs, so that nothing complains
# about the lost display after ctest's summary.
xvfb-run -a bash -c '
    source scripts/wine-env.sh
    status=0
    ctest --preset mingw-x64 || status=$?
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    exit $status'
