#!/usr/bin/env bash
# Under Xvfb, with text of the user's on the clipboard: -h, --help and --version print on
# standard output, end with status 0 and leave the clipboard alone, as a mistyped option does;
# any other single word (here "X", after one of Qt's options) still empties it, which shows that
# the check sees a change.
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

# ARGUMENT|STATUS: the usage and the version on standard output; a mistyped option the usage on
# standard error.
for case in "-h|0" "--help|0" "--version|0" "--versoin|2" "-v|2"; do
    IFS='|' read -r argument want <<<"$case"
    out=$(cd "$home" && timeout 30 "$vantrel" "$argument" 2>"$home/err")
    status=$?
    [ "$status" -eq "$want" ] || fail "$argument: status $status"
    case $argument in
    --version)
        letter_line=$'\n''letter: (UNO|flat document)'$'\n'
        [[ $out == "vantrel "* && $out =~ $letter_line && ! -s $home/err ]] ||
            fail "$argument printed '$out' $(cat "$home/err")"
        ;;
    -h | --help) [[ $out == Usage:* && ! -s $home/err ]] || fail "$argument printed '$out'" ;;
    *) [[ -z $out && $(cat "$home/err") == *$'\n'Usage:* ]] || fail "$argument printed '$out'" ;;
    esac
    [ "$(clipboard)" = "the user's own text" ] || fail "$argument changed the clipboard"
done

# Qt's options do not count as arguments: this is the single word "X".
(cd "$home" && timeout 30 "$vantrel" -style fusion X) || fail "-style fusion X: status $?"
[ -z "$(clipboard)" ] || fail "-style fusion X left the clipboard as it was: '$(clipboard)'"

finish "help and version leave the clipboard alone"
