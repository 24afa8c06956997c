#!/usr/bin/env bash
# run_as_user.sh PROGRAM ARGS...: runs a test program as an ordinary user, so that file
# permissions bind it: as the caller when that is not root, otherwise as nobody, from a copy in a
# fresh folder (the build folder may lie where nobody cannot enter). Fails when no test ran or
# one was skipped, so a permission test can never pass unnoticed by not running.
set -euo pipefail
program=$1
shift
if [ "$(id -u)" -eq 0 ]; then
    if ! command -v setpriv >/dev/null; then
        echo "setpriv (util-linux) is needed to run the tests as nobody" >&2
        exit 1
    fi
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    chmod 755 "$folder"
    cp "$program" "$folder/"
    program="$folder/$(basename "$program")"
    cd "$folder"
    run=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent TMPDIR=/tmp)
else
    run=()
fi
log=$("${run[@]}" "$program" "$@" 2>&1) && status=0 || status=$?
echo "$log"
[ "$status" -eq 0 ] || exit "$status"
if ! grep -qE '^\[  PASSED  \] [1-9]' <<<"$log" || grep -q '^\[  SKIPPED \]' <<<"$log"; then
    echo "run_as_user.sh: no test ran as an ordinary user, or one was skipped" >&2
    exit 1
fi
