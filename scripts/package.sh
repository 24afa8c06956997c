#!/usr/bin/env bash
# Sets up a Debian 12 machine and builds the Debian package of Vantrel in build-package/:
# a Release build of the program and its engine (no tests, no benchmarks), packed by cpack,
# whose Depends are found by dpkg-shlibdeps. Install it with: apt install ./vantrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=build-package scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
  -DVANTREL_BENCHMARKS=OFF
(cd build-package && cpack -G DEB)
ls build-package/vantrel_*.deb
