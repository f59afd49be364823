#!/usr/bin/env bash
# Measures the source generator's throughput on 1 MiB and 16 MiB messages,
# warm (into a buffer in use) beside a memcpy baseline and cold (into fresh
# memory, as one click writes its clipboard block) beside a fresh-memory
# baseline of the same size; and the cutting of the document into lines.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh --native-only
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target generate_call_benchmark >/dev/null
exec build/native/benchmarks/generate_call_benchmark "$@"
