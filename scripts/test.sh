#!/usr/bin/env bash
# Runs every test: the native core tests, then the Windows-side tests under Wine.
# Installs what it needs on first use.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

cmake --preset native >/dev/null
cmake --build --preset native -j 2
ctest --preset native

if [ -x scripts/test-windows.sh ]; then
    scripts/test-windows.sh
fi
