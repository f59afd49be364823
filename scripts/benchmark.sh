#!/usr/bin/env bash
# Measures the source generator's throughput on 1 MiB and 16 MiB messages,
# beside a memcpy baseline and a fresh-memory baseline of the same size.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --native-only
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target generate_call_benchmark >/dev/null
exec build/native/benchmarks/generate_call_benchmark "$@"
