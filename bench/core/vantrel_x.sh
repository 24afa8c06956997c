#!/usr/bin/env bash
# Times "vantrel x" from start to exit: the median and the range of N runs, in a fresh folder
# holding copies of the executables, with no display.
# Usage: bench/core/vantrel_x.sh [BUILD_DIR] [N]
set -euo pipefail
build_dir=${1:-build}
runs=${2:-21}
app_dir="$build_dir/app"
[ -x "$app_dir/vantrel" ] || { echo "no $app_dir/vantrel; build the vantrel target first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$app_dir/vantrel" "$app_dir/vantrel-qt" "$work/"
: >"$work/Vantrel.ini"  # a portable copy with the first-run settings, whoever runs it
if [ -x "$app_dir/vantrel-engine" ]; then
  cp "$app_dir/vantrel-engine" "$work/"
else
  echo "note: no vantrel-engine beside vantrel; the runs report that it cannot be started" >&2
fi

times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY ./vantrel x >/dev/null 2>&1) || true
  end=$(date +%s%N)
  times+=($(((end - start) / 1000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((runs / 2))]}
printf 'vantrel x, %d runs: median %d.%03d ms, fastest %d.%03d ms, slowest %d.%03d ms\n' "$runs" \
  $((median / 1000)) $((median % 1000)) $((sorted[0] / 1000)) $((sorted[0] % 1000)) \
  $((sorted[runs - 1] / 1000)) $((sorted[runs - 1] % 1000))
