#!/usr/bin/env bash
# Builds the engine and its benchmarks in Release, then in one run prints the ephemeris floor
# against the engine in process for what a batch line asks (house systems Placidus and None),
# and compares the engine in memory with the engine as a process over a corpus of command
# files. Prints figures; fails only when the comparison finds a difference.
# usage: bench/engine/run_inprocess_bench.sh [BUILD_DIR] [LINES] [ROUNDS] [CORPUS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
lines=${2:-5000}
rounds=${3:-5}
corpus=${4:-3000}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_WITHOUT_QT=ON >/dev/null
cmake --build "$build" --target vantrel_inprocess_bench engine_tests >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-inprocess-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/batch/make_batch_input.py" "$lines" "$work/moments.txt" >/dev/null
for houses in 0 13; do
  "$build/bench/engine/vantrel_inprocess_bench" "$work/moments.txt" "$rounds" "$houses"
done
VANTREL_SAME_BYTES_COUNT=$corpus "$build/tests/engine/engine_tests" \
  --gtest_filter=InMemory.SameBytesAsTheEngineRunAsAProcess | grep -E 'command files|OK|FAILED'
