#!/usr/bin/env bash
# Installs every Debian package Vantrel needs to build, package, run and test (with --tests).
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 qt6-qpa-plugins
  libswe-dev swe-basic-data
  libgeonames-dev tzdata
  libical-dev
  libreoffice-dev libxcb1-dev
  fonts-dejavu-core
  # the windows are drawn in Arial; Liberation Sans has its metrics
  fonts-liberation2
  file dpkg-dev
)
if [ "${1:-}" = "--fuzz" ]; then
  # scripts/fuzz.sh: clang with its libFuzzer and sanitizer runtimes
  packages+=(clang libclang-rt-dev)
fi
if [ "${1:-}" = "--tests" ]; then
  # the unit tests, and the window tests on a virtual display
  packages+=(libgtest-dev googletest xvfb xauth)
  # the letter tests read back a document with a real word processor
  packages+=(libreoffice-writer-nogui)
  # the command-line tests run the program under a faked clock, and read its iCalendar files
  # with an independent reader
  packages+=(faketime python3-icalendar)
  # the test command checks the format of every source file
  packages+=(clang-format)
  # the window is driven on a real desktop: a window manager, a system tray, xdotool
  packages+=(openbox tint2 xdotool x11-utils)
  # the install checks: desktop entry, metainfo, manual pages, the clipboard under Xvfb
  packages+=(desktop-file-utils appstream groff-base xclip)
  # the package checks: what a Debian reviewer's lintian says of the package
  packages+=(lintian)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# As root apt-get runs as it is; otherwise through sudo.
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "setup.sh: these Debian packages are missing: ${missing[*]}" >&2
  echo "Neither root nor sudo is available here. Install them as root, for example" >&2
  echo "  su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
  echo "(or install sudo and give your user the right to use it), then run this again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
