#!/usr/bin/env bash
# fuzz.sh TARGET [SECONDS]: fuzzes one parser with clang's libFuzzer for SECONDS (default
# 300), under AddressSanitizer and UndefinedBehaviorSanitizer. Targets: the names in
# fuzz/CMakeLists.txt (settings_file, text_decoding, batch_fields, date_patterns, listings,
# command_file, engine_run, metafile, feasts). Not part of the test command.
#
# The seed corpus in fuzz/corpus/TARGET is only read; new inputs go to build-fuzz/corpus/TARGET
# and crashes to build-fuzz/crashes/TARGET. Add a crashing input to fuzz/corpus/TARGET once it
# is mended, so that the replay tests (ctest -L fuzz) keep it. The last lines printed give the
# executions and the crashes of the run.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-300}
[ -d "fuzz/corpus/$target" ] || { echo "no fuzz target '$target'" >&2; exit 1; }
scripts/setup.sh --fuzz

build=build-fuzz
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_WITHOUT_QT=ON -DVANTREL_SANITIZE=ON -DVANTREL_LIBFUZZER=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target "${target}_fuzz"

# Full paths: the engine-run target works in a temporary folder of its own.
corpus="$PWD/$build/corpus/$target"
crashes="$PWD/$build/crashes/$target"
mkdir -p "$corpus" "$crashes"
log="$build/fuzz-$target.log"
# The engine run writes its listings into a temporary folder of its own; the rest write nothing.
status=0
"$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$crashes/" -rss_limit_mb=4096 "$corpus" "$PWD/fuzz/corpus/$target" \
  2>"$log" || status=$?
tail -n 30 "$log"
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
found=$(find "$crashes" -type f | wc -l)
echo "$target: ${executions:-?} executions in $seconds s, $found crash file(s) in $crashes"
exit "$status"
