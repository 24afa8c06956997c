#!/usr/bin/env bash
# Configures and builds Vantrel into build/ (or the folder in BUILD_DIR): everything, or only the
# targets named in BUILD_TARGETS. Arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
targets=()
for target in ${BUILD_TARGETS:-}; do
  targets+=(--target "$target")
done
cmake --build "$build_dir" "${targets[@]}"
