#!/usr/bin/env bash
# Builds the engine and the yardstick, then prints the median start-to-exit times.
# usage: bench/engine/run_engine_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-200}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vantrel-engine vantrel_engine_bench vantrel_bench_trivial >/dev/null
"$build/bench/engine/vantrel_engine_bench" "$build/app/vantrel-engine" "$build/bench/engine/vantrel_bench_trivial" "$runs"
