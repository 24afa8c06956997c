#!/usr/bin/env bash
# Sets up a Debian 12 machine and builds the Debian package of Vantrel in build-package/:
# a Release build of the program and its engine (no tests, no benchmarks), packed by cpack,
# whose Depends are found by dpkg-shlibdeps. Install it with: apt install ./vantrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Debian's hardening, as dpkg-buildflags gives it to every package: position-independent
# executables, relocations read-only and bound at start, fortified functions, the stack
# protector. CMake reads no CPPFLAGS, so they go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
linker_flags=$(flags LDFLAGS)
BUILD_DIR=build-package scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF \
  -DVANTREL_BENCHMARKS=OFF \
  "-DCMAKE_C_FLAGS=$(flags CPPFLAGS) $(flags CFLAGS)" \
  "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$linker_flags" "-DCMAKE_MODULE_LINKER_FLAGS=$linker_flags" \
  "-DCMAKE_SHARED_LINKER_FLAGS=$linker_flags"
(cd build-package && cpack -G DEB)
ls build-package/vantrel_*.deb
