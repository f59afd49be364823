#!/usr/bin/env bash
# Builds the sanitizer preset and runs one fuzz target over its seeds, passing
# libFuzzer's options on, for example:
#   scripts/fuzz.sh generate_call -max_total_time=60
#   nice -n 19 scripts/fuzz.sh preview_text -runs=10000000
# Inputs the run finds go to build/native-sanitize/fuzz/corpus-<target>/, the
# input of a failure to build/native-sanitize/fuzz/<target>-crash-*; rerun
# that file alone with scripts/fuzz.sh <target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -eq 0 ]; then
    echo "usage: scripts/fuzz.sh <target> [libFuzzer option or input file...]" >&2
    echo "targets: $(ls fuzz/corpus | tr '\n' ' ')" >&2
    exit 2
fi
name=$1
shift

cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j 2 --target "fuzz_$name"
out=build/native-sanitize/fuzz
corpora=("$out/corpus-$name" "fuzz/corpus/$name")
for argument in "$@"; do
    if [ -f "$argument" ]; then
        corpora=()
    fi
done
mkdir -p "$out/corpus-$name"
exec "$out/fuzz_$name" -artifact_prefix="$out/$name-" -print_final_stats=1 "$@" "${corpora[@]}"
