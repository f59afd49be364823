#!/usr/bin/env bash
# Runs every test: the native core tests, the same with the address and
# undefined-behaviour sanitizers together with a short run of each fuzz target,
# then the Windows-side tests under Wine.
# Installs what it needs on first use.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

cmake --preset native >/dev/null
cmake --build --preset native -j 2
ctest --preset native

cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j 2
ctest --preset native-sanitize

if [ -x scripts/test-windows.sh ]; then
    scripts/test-windows.sh
fi
