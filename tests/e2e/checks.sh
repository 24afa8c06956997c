# Shared by the end-to-end scripts (sourced): fail records a failed check and goes on; finish
# ends the script, with status 1 and the count when any check failed, else with its message.
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "$1"
}
