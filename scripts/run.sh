#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Vantrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/app/vantrel "$@"
