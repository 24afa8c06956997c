#!/bin/sh
# Batch conversion throughput and peak memory with the real chart engine.
#
#   bench/batch/run_batch_bench.sh VANTREL ENGINE [LINES...]
#
# VANTREL and ENGINE are the built executables. They are copied into a fresh folder with a
# Vantrel.ini beside them, and `vantrel IN OUT` is run there with no display, once with the
# first-run settings (one engine run per line) and once with "Day Begins" at sunset (three runs
# per line; only for files of at most BENCH_SUNSET_MAX lines, default 2000). Prints lines per
# second and the peak resident memory of each run. Never fails on the figures themselves.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 VANTREL ENGINE [LINES...]" >&2
    exit 2
fi
vantrel=$(readlink -f "$1")
engine=$(readlink -f "$2")
shift 2
[ $# -gt 0 ] || set -- 2000 20000
here=$(dirname "$(readlink -f "$0")")

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-batch-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/bin" "$work/run"
cp "$vantrel" "$work/bin/vantrel"
cp "$engine" "$work/bin/vantrel-engine"
cd "$work/run"

# One conversion; prints wall and processor time, lines per second and the peak resident size.
convert() {
    label=$1 lines=$2
    unset DISPLAY WAYLAND_DISPLAY
    if ! LANG=C LC_ALL=C TZ=UTC /usr/bin/time -v -o time.log \
        "$work/bin/vantrel" "in$lines.txt" "out.txt" 2> errors.log; then
        echo "$label $lines lines: conversion failed:" >&2
        head -5 errors.log >&2
        return 0
    fi
    elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' time.log)
    peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' time.log)
    seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
    user=$(sed -n 's/.*User time (seconds): //p' time.log)
    system=$(sed -n 's/.*System time (seconds): //p' time.log)
    rate=$(awk -v n="$lines" -v s="$seconds" 'BEGIN { if (s > 0) printf "%.0f", n / s; else print "inf" }')
    # The processor time of the program and its engine runs: what the figure would be on an
    # otherwise idle machine with one free core.
    cpu=$(awk -v u="$user" -v y="$system" 'BEGIN { printf "%.2f", u + y }')
    cpuRate=$(awk -v n="$lines" -v c="$cpu" 'BEGIN { if (c > 0) printf "%.0f", n / c; else print "inf" }')
    written=$(wc -l < out.txt)
    messages=$(wc -l < errors.log)
    echo "$label $lines lines: ${seconds} s wall, $rate lines/s;" \
         "${cpu} s processor, $cpuRate lines per processor-second; peak $peak KiB" \
         "($written lines written, $messages messages)"
}

for lines in "$@"; do
    python3 "$here/make_batch_input.py" "$lines" > "in$lines.txt"
    : >"$work/bin/Vantrel.ini"  # first-run settings, in a portable copy
    convert "first-run settings (1 run/line)" "$lines"
    [ "$lines" -le "${BENCH_SUNSET_MAX:-2000}" ] || continue
    printf '[vantrel]\r\nDay Begins=2\r\n' > "$work/bin/Vantrel.ini"
    convert "day begins at sunset (3 runs/line)" "$lines"
done
