#!/usr/bin/env bash
# Builds what it needs, then prints in one run:
#  - "vantrel IN OUT" with the built-in engine against the ephemeris floor (the Swiss Ephemeris
#    asked in one thread for the same moments), the day beginning at midnight and at sunrise;
#  - "vantrel x" against a trivial program's start and exit;
#  - the engine's share of a calculation in the window;
#  - the peak resident size of a conversion of a long input (10 million lines unless told),
#    streamed in through a pipe.
# Prints figures; fails only when a conversion fails.
#
# usage: bench/batch/run_batch_bench.sh [BUILD_DIR] [LINES] [ROUNDS] [LONG_LINES]
#   LONG_LINES 0 leaves the long input out.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
lines=${2:-20000}
rounds=${3:-3}
long=${4:-10000000}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target vantrel vantrel_batch_bench vantrel_bench_trivial \
    bench_platform_window_engine >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-batch-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$build/app/vantrel" "$build/app/vantrel-qt" "$work/bin/"
python3 "$root/bench/batch/make_batch_input.py" "$lines" "$work/moments.txt" >"$work/in.txt"
unset DISPLAY WAYLAND_DISPLAY
export LANG=C LC_ALL=C TZ=UTC
"$build/bench/batch/vantrel_batch_bench" "$work/bin" "$work/moments.txt" "$work/in.txt" \
    "$build/bench/engine/vantrel_bench_trivial" "$rounds"
"$build/bench/platform/bench_platform_window_engine"

[ "$long" -gt 0 ] || exit 0
: >"$work/bin/Vantrel.ini"
python3 "$root/bench/batch/make_batch_input.py" "$long" |
    /usr/bin/time -v -o "$work/time.log" "$work/bin/vantrel" /dev/stdin "$work/out.txt"
peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.log")
elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.log")
written=$(wc -l <"$work/out.txt")
echo "$long lines through a pipe: $written written in $elapsed, peak resident size" \
    "$((peak / 1024)) MiB (target < 100 MB)"
