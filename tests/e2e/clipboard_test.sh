#!/usr/bin/env bash
# Under Xvfb, with text of the user's on the clipboard: -h, --help and --version print on
# standard output, end with status 0 and leave the clipboard alone; any other single word (here
# "X") still empties it, which shows that the check sees a change.
# Run through xvfb-run: needs DISPLAY.
set -u

vantrel=$1
. "$(dirname "$0")/checks.sh"
home=$(mktemp -d)
holder=""
trap '[ -n "$holder" ] && kill "$holder" 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data

clipboard() { xclip -selection clipboard -o 2>/dev/null; }
# xclip holds the user's text, in the foreground so that it can be ended by its process id.
printf 'the user%ss own text' "'" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
holder=$!
for _ in $(seq 50); do
    [ "$(clipboard)" = "the user's own text" ] && break
    sleep 0.1
done
[ "$(clipboard)" = "the user's own text" ] || {
    echo "FAIL: the clipboard cannot be set under this display" >&2
    exit 1
}

for argument in -h --help --version; do
    out=$(cd "$home" && timeout 30 "$vantrel" "$argument" 2>"$home/err")
    status=$?
    [ "$status" -eq 0 ] || fail "$argument: status $status"
    [ -s "$home/err" ] && fail "$argument: standard error: $(cat "$home/err")"
    case $argument in
    --version)
        letter_line=$'\n''letter: (UNO|flat document)'$'\n'
        [[ $out == "vantrel "* && $out =~ $letter_line ]] ||
            fail "$argument printed '$out'"
        ;;
    *) [[ $out == Usage:* ]] || fail "$argument printed '$out'" ;;
    esac
    [ "$(clipboard)" = "the user's own text" ] || fail "$argument changed the clipboard"
done

(cd "$home" && timeout 30 "$vantrel" X) || fail "X: status $?"
[ -z "$(clipboard)" ] || fail "X left the clipboard as it was: '$(clipboard)'"

finish "help and version leave the clipboard alone"
