#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Vantrel (only the program and its engine: no tests, no
# benchmarks) and starts it. The program keeps its settings in ~/.config/vantrel and its
# working files in ~/.local/share/vantrel, and reads its texts and sounds from the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGETS="vantrel vantrel-engine" scripts/build.sh -DVANTREL_TESTS=OFF -DVANTREL_BENCHMARKS=OFF
exec build/app/vantrel "$@"
