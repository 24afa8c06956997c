#!/usr/bin/env bash
# run_as_user.sh PROGRAM ARGS...: runs a test program (GoogleTest or QtTest) as an ordinary user,
# so that file permissions bind it: as the caller when that is not root, otherwise as nobody,
# from a copy in a fresh folder (the build folder may lie where nobody cannot enter). Fails when
# no test ran or one was skipped, so a permission test can never pass by not running.
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
    run=(setpriv --reuid=65534 --regid=65534 --clear-groups
        env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME HOME=/nonexistent TMPDIR=/tmp)
else
    run=()
fi
log=$("${run[@]}" "$program" "$@" 2>&1) && status=0 || status=$?
echo "$log"
[ "$status" -eq 0 ] || exit "$status"
if grep -qE '^\[  PASSED  \] [1-9]' <<<"$log" && ! grep -q '^\[  SKIPPED \]' <<<"$log"; then
    exit 0  # GoogleTest
fi
if grep -qE '^Totals: [1-9][0-9]* passed, 0 failed, 0 skipped' <<<"$log"; then
    exit 0  # QtTest
fi
echo "run_as_user.sh: no test ran as an ordinary user, or one was skipped" >&2
exit 1
