#!/usr/bin/env bash
# Installs every Debian package Vantrel needs to build, package, run and test (with --tests).
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 qt6-qpa-plugins
  libswe-dev swe-basic-data
  libgtest-dev googletest
  xvfb xauth fonts-dejavu-core
  file dpkg-dev
)
if [ "${1:-}" = "--tests" ]; then
  # the letter tests read back a document with a real word processor
  packages+=(libreoffice-writer-nogui)
  # the command-line tests run the program under a faked clock
  packages+=(faketime)
  # the test command checks the format of every source file
  packages+=(clang-format)
  # the install checks: desktop entry, metainfo, manual pages, the clipboard under Xvfb
  packages+=(desktop-file-utils appstream groff-base xclip)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
