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
  # the case rules of the program's own texts are checked under a Turkish locale, whose
  # dotted and dotless i are not the ASCII letters' case pairs
  packages+=(locales)
fi
locale_needed=
if [ "${1:-}" = "--tests" ] && ! locale -a 2>/dev/null | grep -qix 'tr_TR.utf-\?8'; then
  locale_needed='tr_TR.UTF-8 UTF-8'
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ -z "$locale_needed" ] && exit 0

# As root apt-get runs as it is; otherwise through sudo.
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  [ ${#missing[@]} -eq 0 ] || echo "setup.sh: these Debian packages are missing: ${missing[*]}" >&2
  [ -z "$locale_needed" ] || echo "setup.sh: the locale ${locale_needed% *} is not generated" >&2
  echo "Neither root nor sudo is available here. As root, for example" >&2
  [ ${#missing[@]} -eq 0 ] ||
    echo "  su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
  [ -z "$locale_needed" ] ||
    echo "  su -c 'echo \"$locale_needed\" >>/etc/locale.gen && locale-gen'" >&2
  echo "(or install sudo and give your user the right to use it), then run this again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -ne 0 ]; then
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ -n "$locale_needed" ]; then
  grep -qx "$locale_needed" /etc/locale.gen ||
    echo "$locale_needed" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
