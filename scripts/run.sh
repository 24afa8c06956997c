#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Vantrel and starts it. The program runs in a working
# folder of the user's own (${XDG_DATA_HOME:-~/.local/share}/vantrel), prepared by the
# launcher beside the built program, so its listings never land in the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/app/vantrel-launch "$@"
