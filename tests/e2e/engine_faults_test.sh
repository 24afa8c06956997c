#!/usr/bin/env bash
# engine_faults_test.sh VANTREL ENGINE [hang]: the command-line modes against engines that
# misbehave (garbage, empty, truncated or missing listings, a crash, a hang with a child process,
# a slow run ended by Ctrl+C) and against input no date can have, checked from outside: the
# message, the exit status, and that nothing of the user's is lost. With "hang" it runs only the
# hang case, which waits out the engine's 60-second limit.
#
# As root the program runs as nobody (setpriv), in folders of nobody's own, so that the checks
# on write-protected files bind it as they bind a user.
set -u

vantrel=$1
engine=$2
only=${3:-}
failures=0

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
chmod 755 "$root"
mkdir -p "$root/bin" "$root/work" "$root/engines" "$root/tmp"
cp "$vantrel" "$(dirname "$vantrel")/vantrel-qt" "$engine" "$root/bin/"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || { echo "setpriv (util-linux) is needed" >&2; exit 1; }
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown -R 65534:65534 "$root/work" "$root/tmp" "$root/bin"
fi

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# settings LINE...: the Vantrel.ini beside the copied program.
settings() {
    { echo "[vantrel]"; printf '%s\n' "$@"; } >"$root/bin/Vantrel.ini"
}

# standin NAME BODY: a stand-in engine; "$out" in BODY is the file its command file names.
standin() {
    cat >"$root/engines/$1" <<SCRIPT
#!/bin/sh
out=\$(sed -n 's/^\/os \([^[:space:]]*\).*/\1/p' "\$2")
$2
SCRIPT
    chmod 755 "$root/engines/$1"
}

# run ARGS...: runs the program in the work folder as the user, with no display and a fixed
# locale and zone (env_extra overrides them); sets out, err and status.
env_extra=()
run() {
    out=$(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        LANG=en_US.UTF-8 LC_ALL= TZ=UTC HOME="$root/work" TMPDIR="$root/tmp" \
        XDG_CONFIG_HOME="$root/work/config" XDG_RUNTIME_DIR= "${env_extra[@]}" \
        timeout 120 "${as_user[@]}" "$root/bin/vantrel" "$@" 2>"$root/err")
    status=$?
    err=$(cat "$root/err")
}

expect() {  # expect NAME STATUS TEXT: the status, and TEXT somewhere in standard error
    [ "$status" -eq "$2" ] || fail "$1: exit status $status, expected $2 (stderr: $err)"
    case $err in
    *"$3"*) ;;
    *) fail "$1: standard error lacks '$3': $err" ;;
    esac
}

kept() {  # kept NAME FILE CONTENT: the user's file still holds what it held
    [ "$(cat "$root/work/$2")" = "$3" ] || fail "$1: $2 was changed: $(cat "$root/work/$2")"
}

# A process that is gone or a zombie no longer runs.
gone() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 0
    [ "$state" = "Z" ]
}

good_line='Ann,birthday,3/14/2001,21:07,5,74W00,40N43'
user_file() {  # user_file NAME CONTENT
    printf '%s' "$2" >"$root/work/$1"
    [ ${#as_user[@]} -eq 0 ] || chown 65534:65534 "$root/work/$1"
}

if [ "$only" = "hang" ]; then
    # An engine that never ends, with a child of its own: the first time-out ends the
    # conversion (not one 60-second wait per line), and the child goes with the engine.
    standin hang "sleep 600 & echo \$! >$root/tmp/child; wait"
    settings "Astrolog=$root/engines/hang"
    user_file dates.txt "$good_line"$'\n'"$good_line"$'\n'"$good_line"
    user_file out.txt "earlier output"
    start=$(date +%s)
    run dates.txt out.txt
    took=$(($(date +%s) - start))
    expect "hang" 1 "dates.txt, line 1: The chart engine \"$root/engines/hang\" timed out"
    [ "$took" -lt 90 ] || fail "hang: the conversion took $took s"
    kept "hang" out.txt "earlier output"
    gone "$(cat "$root/tmp/child")" || fail "hang: the engine's child still runs"
    [ "$failures" -eq 0 ] && echo "the hang check passed"
    exit $((failures != 0))
fi

# --- listings the reader cannot use ---------------------------------------------------------

standin garbage 'printf "garbage\r\n\001\000\377" >"$out"'
standin empty ': >"$out"'
standin truncated 'printf "Heading\r\n\r\nSun : 13Gem10   + 0:00\r\nMoo" >"$out"'
standin layout 'printf "Sun   13 Gem 10\r\nMoon   5 Leo 22\r\n" >"$out"'
standin nothing 'exit 0'
standin crash 'kill -SEGV $$'
for case in garbage:"chart.txt holds neither a Sun nor a Moon row" \
    empty:"chart.txt is empty" \
    truncated:"chart.txt holds no Moon row" \
    layout:"chart.txt, line 1: the Sun row \"Sun   13 Gem 10\" does not hold the degree" \
    nothing:"The chart engine wrote no chart listing: chart.txt is missing" \
    crash:"crashed (signal 11, Segmentation fault)"; do
    name=${case%%:*}
    message=${case#*:}
    settings "Astrolog=$root/engines/$name"
    run x
    expect "$name, vantrel x" 1 "$message"
    user_file dates.txt "$good_line"
    user_file out.txt "earlier output"
    run dates.txt out.txt
    expect "$name, batch" 1 "dates.txt, line 1: "
    expect "$name, batch" 1 "$message"
    kept "$name, batch" out.txt "earlier output"
done

# The real engine's complaint names the user's file and line, not the private command file.
settings
user_file dates.txt "$good_line"$'\n''Bo,x,3/15/2001,21:07,5,93X21,40N43'
run dates.txt out.txt
expect "engine complaint" 1 \
    "dates.txt, line 2: Astrolog return code 1: /qb: longitude '93X21' is not DDWMM or DDEMM"
case $err in *input.txt*) fail "engine complaint: names the command file: $err" ;; esac
kept "engine complaint" out.txt "earlier output"

# --- Ctrl+C ends the running engine at once ---------------------------------------------------

standin slow "sleep 30 & echo \$! >$root/tmp/child; wait"
settings "Astrolog=$root/engines/slow"
rm -f "$root/tmp/child"
user_file dates.txt "$good_line"
(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY TMPDIR="$root/tmp" HOME="$root/work" \
    XDG_CONFIG_HOME="$root/work/config" "${as_user[@]}" "$root/bin/vantrel" dates.txt out.txt \
    2>"$root/err") &
runner=$!
for _ in $(seq 100); do [ -s "$root/tmp/child" ] && break; sleep 0.1; done
child=$(cat "$root/tmp/child" 2>/dev/null)
program=$(pgrep -P "$runner" -x vantrel || pgrep -f "^$root/bin/vantrel dates.txt" | head -n 1)
start=$(date +%s)
kill -INT "$program" 2>/dev/null
wait "$runner"
status=$?
err=$(cat "$root/err")
expect "Ctrl+C" 1 "Conversion interrupted; out.txt was not written"
[ $(($(date +%s) - start)) -lt 5 ] || fail "Ctrl+C: waited for the engine"
[ -n "$child" ] && gone "$child" || fail "Ctrl+C: the engine's child still runs"
kept "Ctrl+C" out.txt "earlier output"

# --- input that no date can have ----------------------------------------------------------------

settings
user_file dates.txt 'Ann,birthday,1/1/3001,21:07,5,74W00,40N43'
run dates.txt out.txt
expect "beyond the ephemeris" 1 \
    "dates.txt, line 1: The date 1 January 3001 is outside the ephemeris range (1 January 1 to 31 December 3000)"
if command -v faketime >/dev/null; then
    plain=("${as_user[@]}")
    as_user+=(faketime -f "@3001-01-02 12:00:00")
    run x
    expect "now beyond the ephemeris" 1 \
        "The date 2 January 3001 is outside the ephemeris range (1 January 1 to 31 December 3000)"
    as_user=("${plain[@]}")
else
    fail "faketime is not installed (scripts/setup.sh --tests)"
fi

# --- files the user protects or needs ---------------------------------------------------------

user_file dates.txt "$good_line"
ln -sf dates.txt "$root/work/link.txt"
for output in dates.txt ./dates.txt link.txt; do
    run dates.txt "$output"
    expect "output $output is the input" 1 "is the input file dates.txt"
    kept "output $output is the input" dates.txt "$good_line"
done

user_file out.txt "earlier output"
chmod 444 "$root/work/out.txt"
run dates.txt out.txt
expect "write-protected output" 1 "Cannot create file out.txt: Permission denied."
kept "write-protected output" out.txt "earlier output"
rm -f "$root/work/out.txt"

# A full disk (the file size limit stands in for it; messages go through a pipe, which it does
# not limit): the built-in engine needs no file; an engine program leaves no empty command file
# behind.
full_disk_x() {
    err=$(cd "$root/work" && trap '' XFSZ && ulimit -f 0 && env -u DISPLAY -u WAYLAND_DISPLAY \
        HOME="$root/work" "${as_user[@]}" "$root/bin/vantrel" x 2>&1 >/dev/null)
    status=$?
}
settings
full_disk_x
[ "$status" -eq 0 ] && [ -z "$err" ] || fail "full disk, built-in engine: status $status ($err)"
settings "Astrolog=$root/bin/vantrel-engine"
rm -f "$root/work/input.txt"
full_disk_x
# named with its folder, which is not one the user chose
expect "full disk" 1 "/input.txt: File too large."
[ ! -e "$root/work/input.txt" ] || fail "full disk: an input.txt was left behind"
ls -A "$root/work" | grep -q '\.tmp$' && fail "full disk: a temporary file was left behind"

# A folder left by a killed run is removed by the next one: it is the program's, no one holds it
# locked and it has not changed for a while; one in use (locked) stays.
for folder in vantrel-batch-4194305-7 vantrel-AbC123 vantrel-DeF456; do
    mkdir -p "$root/tmp/$folder/inside"
    : >"$root/tmp/$folder/.vantrel-private"
    touch -d '1 hour ago' "$root/tmp/$folder"
done
[ ${#as_user[@]} -eq 0 ] || chown -R 65534:65534 "$root/tmp"
exec {lock}<"$root/tmp/vantrel-DeF456"
flock -n "$lock" || fail "the test could not lock its folder"
run dates.txt out.txt
[ "$status" -eq 0 ] || fail "batch after a killed one: status $status ($err)"
left=$(cd "$root/tmp" && echo vantrel-*)
[ "$left" = "vantrel-DeF456" ] || fail "abandoned folders: '$left' left, only the locked one should be"
exec {lock}<&-
rm -rf "$root/tmp/vantrel-DeF456"
settings

# --- inputs, folders and engines out of the ordinary -------------------------------------------

user_file dates.txt "$good_line"
user_file out.txt "earlier output"
printf '%s\n%s\n' "$good_line" "$(head -c 1100000 /dev/zero | tr '\0' x)" >"$root/work/long.txt"
printf 'Ann,birthday,3/14\0002001,21:07,5,74W00,40N43' >"$root/work/nul.txt"
standin flood 'echo "flood: first complaint" >&2; head -c 100000000 /dev/zero >&2; exit 3'
standin leaver "sleep 300 & echo \$! >$root/tmp/leftover; exec $root/bin/vantrel-engine \"\$@\""
# NAME|SETTING|INPUT|STATUS|MESSAGE: the conversion of INPUT into out.txt
while IFS='|' read -r name setting input code message; do
    settings $setting
    run "$input" out.txt
    expect "$name" "$code" "$message"
    kept "$name" out.txt "earlier output"
done <<CASES
/dev/zero||/dev/zero|1|/dev/zero, line 1 holds the byte 0x00 at column 1: the input is not a text file
/dev/urandom||/dev/urandom|1|/dev/urandom, line 1 holds the byte 0x
a NUL in a field||nul.txt|1|nul.txt, line 1 holds the byte 0x00 at column 18
a line over 1 MiB||long.txt|1|long.txt, line 2 is longer than 1 MiB
an engine that floods its errors|Astrolog=$root/engines/flood|dates.txt|1|Astrolog return code 3
CASES

# A pipe and a process substitution are read once, as they stream (made by the user, whose
# they are).
settings
for input in '/dev/stdin < <(printf "%s\n%s\n" "$1" "$1")' '<(printf "%s\n%s\n" "$1" "$1")'; do
    err=$(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/work" \
        TMPDIR="$root/tmp" "${as_user[@]}" bash -c "\"\$0\" $input piped.txt" \
        "$root/bin/vantrel" "$good_line" 2>&1)
    status=$?
    expect "input $input" 0 ""
    [ "$(grep -c iv8 "$root/work/piped.txt")" = 2 ] || fail "input $input: lines missing"
    rm -f "$root/work/piped.txt"
done

# What the engine leaves running ends with its run.
settings "Astrolog=$root/engines/leaver"
run x
expect "engine leaves a child" 0 ""
gone "$(cat "$root/tmp/leftover")" || fail "engine leaves a child: it outlived the program"

# An engine named by a relative path in a folder with a blank in its name.
spaced="$root/Jane Doe"
mkdir -p "$spaced"
cp "$root/bin/vantrel" "$root/bin/vantrel-qt" "$root/bin/vantrel-engine" "$spaced/"
printf '[vantrel]\nAstrolog=./vantrel-engine\n' >"$spaced/Vantrel.ini"
[ ${#as_user[@]} -eq 0 ] || chown -R 65534:65534 "$spaced"
err=$(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/work" TMPDIR="$root/tmp" \
    "${as_user[@]}" "$spaced/vantrel" x 2>&1 >/dev/null)
status=$?
expect "engine path with a blank" 0 ""

# A folder removed from under the command: a relative output has nowhere to go.
mkdir "$root/gone"
[ ${#as_user[@]} -eq 0 ] || chown 65534:65534 "$root/gone"
err=$(cd "$root/gone" && rmdir "$root/gone" && env -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$root/work" TMPDIR="$root/tmp" "${as_user[@]}" "$root/bin/vantrel" \
    "$root/work/dates.txt" out.txt 2>&1)
status=$?
expect "current folder gone" 1 "The folder the command was typed in no longer exists"

# A named pipe that no one writes: SIGTERM ends the wait at once.
settings
mkfifo "$root/work/fifo"
(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$root/work" TMPDIR="$root/tmp" \
    XDG_CONFIG_HOME="$root/work/config" "${as_user[@]}" "$root/bin/vantrel" fifo out.txt \
    2>"$root/err") &
runner=$!
sleep 1
program=$(pgrep -f "^$root/bin/vantrel fifo" | head -n 1)
start=$(date +%s)
kill -TERM "$program" 2>/dev/null
wait "$runner"
status=$?
err=$(cat "$root/err")
expect "SIGTERM while waiting for a pipe" 1 "Conversion interrupted; out.txt was not written"
[ $(($(date +%s) - start)) -lt 5 ] || fail "SIGTERM while waiting for a pipe: not at once"
kept "SIGTERM while waiting for a pipe" out.txt "earlier output"

# A settings file without end is refused with a message, not read until memory runs out.
ln -sf /dev/zero "$root/bin/Vantrel.ini"
run x
expect "endless settings file" 1 "was not read: it is larger than 16 MiB"
[ -n "$out" ] || fail "endless settings file: no date printed"

# --- unusual names, links, settings and locales ----------------------------------------------

rm -f "$root/bin/Vantrel.ini"
settings
user_file dates.txt "$good_line"
user_file no_zone.txt 'Ann,birthday,3/14/2001,21:07,,74W00,40N43'
ln -sfn missing.txt "$root/work/dangling.txt"
long=$(printf 'o%.0s' $(seq 251)).txt
too_long=$(printf 'n%.0s' $(seq 256))
while IFS='|' read -r name status message args; do
    run $args
    expect "$name" "$status" "$message"
done <<CASES
name of 255 bytes|0||dates.txt $long
name too long|1|Cannot create file $too_long: File name too long.|dates.txt $too_long
dangling link|1|Cannot create file dangling.txt: Symbolic link to missing.txt, which does not exist.|dates.txt dangling.txt
empty zone field|1|no_zone.txt, line 1: Time Zone must not be empty.|no_zone.txt out.txt
CASES
[ -s "$root/work/$long" ] || fail "name of 255 bytes: not written"
[ -L "$root/work/dangling.txt" ] && [ ! -e "$root/work/missing.txt" ] ||
    fail "dangling link: replaced, or its target created"

user_file target.txt "earlier output"
ln -sfn target.txt "$root/work/through.txt"
run dates.txt through.txt
expect "output through a link" 0 ""
[ -L "$root/work/through.txt" ] && grep -q '^Ann,' "$root/work/target.txt" ||
    fail "output through a link: the link was replaced or its target not written"

# A hand-edited choice out of range is read as any other: nothing chosen, the first-run item.
settings "House System=-1"
run dates.txt out.txt
expect "House System=-1" 0 ""
settings

# Case rules of the program's own texts and keys do not follow a Turkish locale's i.
if locale -a | grep -qix 'tr_TR.utf-\?8'; then
    settings "FORMAT=0"
    user_file turkish.txt 'Ann,birthday,14.03.2001,21:07,5,74W00,40N43'
    env_extra=(LC_ALL=tr_TR.UTF-8)
    run turkish.txt out.txt
    expect "Turkish locale" 0 ""
    grep -q ',IVviii,' "$root/work/out.txt" || fail "Turkish locale: $(cat "$root/work/out.txt")"
    settings
else
    fail "the locale tr_TR.UTF-8 is missing (scripts/setup.sh --tests)"
fi

env_extra=(TZ=Nowhere/Land)
run x
unknown='The time zone "Nowhere/Land" is unknown; Vantrel takes times in universal time (UTC)'
expect "unknown TZ" 0 "$unknown"
[ "$(grep -cF "$unknown" "$root/err")" -eq 1 ] || fail "unknown TZ: not said once: $err"
# A zone file's path, as the C library takes it, is the zone it names. (faketime reads its time
# on the zone's clock: the same reading in Tokyo and in UTC is nine hours and some degrees of the
# Moon apart.)
plain=("${as_user[@]}")
as_user+=(faketime -f "@2026-12-08 20:00:00")
env_extra=(TZ=Asia/Tokyo)
run x
tokyo=$out
for zone in /usr/share/zoneinfo/Asia/Tokyo :/usr/share/zoneinfo/Asia/Tokyo; do
    env_extra=(TZ=$zone)
    run x
    [ "$status" -eq 0 ] && [ -z "$err" ] && [ "$out" = "$tokyo" ] ||
        fail "TZ=$zone: status $status, '$out' (Asia/Tokyo: '$tokyo'), stderr: $err"
done
as_user=("${plain[@]}")
env_extra=()

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all engine-fault checks passed"
