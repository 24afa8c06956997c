#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Vantrel and starts it. The program keeps its settings in
# ~/.config/vantrel and its working files in ~/.local/share/vantrel, and reads its texts and
# sounds from the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/app/vantrel "$@"
