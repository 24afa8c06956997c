#!/usr/bin/env bash
# Sets up a Debian 12 machine, checks the format of every source file, builds Vantrel with
# warnings as errors and runs every test;
# then runs the core, engine and metafile tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build that has no Qt at all, with every fuzz corpus replayed
# there, and once more in a Release build, whose -O3 brings warnings of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests

# Every source file keeps the project's format.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z '*.c' '*.cpp' '*.h'
else
  find . -path './build*' -prune -o -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 clang-format --dry-run --Werror

# The core stands on the standard library alone.
if grep -rnE '^\s*#\s*include\s*[<"]Q' core/; then
  echo "core/ must not include Qt headers" >&2
  exit 1
fi

jobs=$(nproc)
BUILD_DIR=build-test scripts/build.sh -DVANTREL_WERROR=ON
(cd build-test && ctest --output-on-failure -j "$jobs")

BUILD_DIR=build-sanitize scripts/build.sh -DVANTREL_WERROR=ON -DVANTREL_WITHOUT_QT=ON \
  -DVANTREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -L 'core|engine|wmf|fuzz')

BUILD_DIR=build-release scripts/build.sh -DVANTREL_WERROR=ON -DCMAKE_BUILD_TYPE=Release
(cd build-release && ctest --output-on-failure -j "$jobs" -L 'core|engine|wmf')
