#!/usr/bin/env bash
# Runs "vantrel x" and "vantrel IN OUT" from a portable copy of the two executables, with no
# display, under a faked clock, and compares standard output and the output file line by line.
# Neither mode may leave a file in the folder it was started in, nor beside the program, but the
# output it is told to write; the engine's command files are seen through a stand-in that logs
# them.
#
# The expected values come from the calendar and the almanac, not from the program:
# - 15 June 2024 is a Saturday; the Sun enters Cancer on 20 June 2024 at 20:51 UT, so on the
#   16th at 02:30 UT it stands at about 25 degrees Gemini. The Moon was at first quarter on
#   14 June 05:18 UT (about 24 degrees Virgo) and moves 12 to 13 degrees a day: about 16
#   degrees Libra. Sunset at 93W21 45N05 in mid June is about 21:02 daylight time, 20:02
#   standard time, so 20:30 standard time is after sunset.
# - 24 February 2024 is a Saturday; full Moon at 12:30 UT with the Moon at 5 degrees 23
#   minutes Virgo, the Sun opposite at 5 degrees Pisces.
# - 24 December 2024 is a Tuesday; sunrise in Adelaide that day is near 05:55 local daylight
#   time, so 05:00 is still Monday's day. The solstice was 21 December 09:20 UT (the Sun at
#   2 degrees Capricorn); the Moon's last quarter, 22 December 22:18 UT, was at 1 degree
#   Libra, about 11 degrees Libra 20 hours later. Adelaide keeps daylight time from October
#   to April, 9:30 east of Greenwich in standard time.
# - 14 March 2001 is a Wednesday, 31 December 1999 a Friday. On 15 March 2001 at 02:07 UT
#   the Sun is about 24.5 degrees Pisces (equinox 20 March 13:31 UT); the Moon, three
#   quarters on 16 March 20:45 UT at 26 degrees Sagittarius, stands near 4 degrees
#   Sagittarius 1.8 days before. On 31 December 1999 at 21:07 UT the Sun is at 9 degrees
#   Capricorn, the Moon (last quarter 29 December at 7 degrees Libra) near 7 degrees Scorpio.
# - 15 June 2024 in Stockholm (18E04 59N20): sunrise near 03:31 daylight time, so 03:00 is
#   still Friday's day; at 01:00 UT the Sun stands at 24 degrees Gemini, the Moon about 4
#   degrees Libra.
# - Years: June 2024 is year 120 since 20 March 1904 (cycle 5, year 10), February 2024 year
#   119, March 2001 (before the 20th) year 96, December 1999 year 95.
set -u

vantrel=$1
engine=$2
. "$(dirname "$0")/checks.sh"

if ! command -v faketime >/dev/null; then
    echo "faketime is not installed (Debian package faketime; scripts/setup.sh --tests)" >&2
    exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/bin" "$root/work" "$root/home"
cp "$vantrel" "$(dirname "$vantrel")/vantrel-qt" "$engine" "$root/bin/"
# The stand-in engine: logs each command file, then runs the real engine on it.
printf '#!/bin/sh\ncat input.txt >>"%s/engine.log"\nexec "%s/bin/vantrel-engine" "$@"\n' \
    "$root" "$root" >"$root/logging-engine"
chmod +x "$root/logging-engine"

# settings LINE...: the Vantrel.ini beside the copied program.
settings() {
    { echo "[vantrel]"; printf '%s\n' "$@"; } >"$root/bin/Vantrel.ini"
}

# run_program PROGRAM LANG TZ MOMENT ARGS...: runs PROGRAM in the work folder under a clock faked
# at MOMENT, or by the real clock when MOMENT is empty (a faked clock is a preloaded library,
# which only a dynamically linked program takes); sets out, err and status.
run_program() {
    local program=$1 lang=$2 tz=$3 moment=$4
    shift 4
    local clock=()
    [ -z "$moment" ] || clock=(faketime -f "@$moment")
    out=$(cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LD_PRELOAD \
        LANG="$lang" LC_ALL= TZ="$tz" HOME="$root/home" XDG_CONFIG_HOME="$root/home/config" \
        XDG_DATA_HOME="$root/home/data" timeout 120 "${clock[@]}" "$program" "$@" 2>"$root/err")
    status=$?
    err=$(cat "$root/err")
}

# run LANG TZ MOMENT ARGS...: the copied program under a faked clock.
run() {
    run_program "$root/bin/vantrel" "$@"
}

# expect_lines NAME ACTUAL EXPECTED...: ACTUAL split at line ends must equal the lines given.
expect_lines() {
    local name=$1 actual=$2
    shift 2
    local expected
    expected=$(printf '%s\n' "$@")
    if [ "$actual" != "$expected" ]; then
        fail "$name"
        diff <(echo "$expected") <(echo "$actual") >&2
    fi
}

expect_status() {
    [ "$status" -eq "$2" ] || fail "$1: exit status $status, expected $2 (stderr: $err)"
}

# --- "vantrel x" ---------------------------------------------------------------------------

# First-run settings but for the layout; sunset turns the Latin day.
settings "Format=0" "Basic=1" "Aspect=0" "Lines=2" "Day Begins=2"
run en_US.UTF-8 America/Chicago "2024-06-15 20:30:00" x
expect_status "US evening after sunset" 0
expect_lines "US evening after sunset" "$out" \
    "Anno Vx Sol in Gemini, Luna in Libra" \
    "Dies Solis" \
    "Saturday, June 15, 2024 e.v. 8:30 PM"
[ -z "$err" ] || fail "US evening: unexpected standard error: $err"

# Degrees, one line, German forms, zone east of Greenwich.
settings "Time Zone=-1" "Longitude=13E24" "Latitude=52N31" "Lines=0"
run de_DE.UTF-8 Europe/Berlin "2024-02-24 13:30:00" x
expect_status "German full moon" 0
expect_lines "German full moon" "$out" \
    "An v9 Sol 5° Pisces, Luna 5° Virgo Dies Saturnii Samstag, 24. Februar 2024 e.v. 13:30"

# Southern daylight time with a half-hour zone, taken from the system; before sunrise the
# Latin day is still the day before (a Monday, with its "æ").
settings "Time=2" "Longitude=138E36" "Latitude=34S56" "Day Begins=1" "Aspect=0" \
    "Greetings=1" "Quoted=1" "Astrolog=$root/logging-engine"
run en_GB.UTF-8 Australia/Adelaide "2024-12-24 05:00:00" x
expect_status "Adelaide before sunrise" 0
expect_lines "Adelaide before sunrise" "$out" \
    "An v10 Sol in Capricorn, Luna in Libra Dies Lunæ" \
    "Tuesday, 24 December 2024 e.v. 05:00" \
    "\"Do what thou wilt shall be the whole of the Law.\" - AL I,40" \
    "\"Love is the law, love under will.\" - AL I, 57"
grep -q " DT -9:30 138E36 34S56" "$root/engine.log" ||
    fail "Adelaide: the command file does not give daylight time 9:30 east"

# Year-first locales are read like the others: no date-order note. In Stockholm on 15 June 2024
# the Sun rises near 03:31 daylight time, so at 03:00 the Latin day is still Friday's; the
# rise-and-set listings, month first, are read under Swedish year-first dates to know it.
settings "Time=2" "Longitude=18E04" "Latitude=59N20" "Day Begins=1" "Aspect=0" \
    "Astrolog=$root/logging-engine"
run sv_SE.UTF-8 Europe/Stockholm "2024-06-15 03:00:00" x
expect_status "Swedish locale before sunrise" 0
expect_lines "Swedish locale before sunrise" "$out" \
    "An v10 Sol in Gemini, Luna in Libra Dies Veneris" \
    "lördag 15 juni 2024 e.v. 03:00"
[ -z "$err" ] || fail "Swedish locale: unexpected standard error: $err"
grep -q "^/qb 6 16 2024 3:00AM DT -1 18E04 59N20" "$root/engine.log" ||
    fail "Swedish locale: the next day's rise-and-set run is not in daylight time 1 east"

# Under "Place's Time Zone" now is the place's own clock, whatever the computer's zone: 02:00
# universal time on 15 June 2024 is noon in Melbourne, 10 hours east (no daylight time in June).
settings "Time=3" "Zone Name=Australia/Melbourne" "Longitude=144E58" "Latitude=37S49" \
    "Lines=2" "Astrolog=$root/logging-engine"
: >"$root/engine.log"
run en_US.UTF-8 UTC "2024-06-15 02:00:00" x
expect_status "Melbourne's own clock" 0
[ "$(echo "$out" | tail -n 1)" = "Saturday, June 15, 2024 e.v. 12:00 PM" ] ||
    fail "Melbourne's own clock: last line is '$(echo "$out" | tail -n 1)'"
grep -q "^/qb 6 15 2024 12:00PM ST -10 144E58 37S49" "$root/engine.log" ||
    fail "Melbourne's own clock: the chart is not cast at noon 10 hours east"

settings "Aspect=0"
run ja_JP.UTF-8 UTC "2024-06-15 20:30:00" x
expect_status "Japanese locale" 0
[ "$(echo "$out" | head -n 1)" = "An v10 Sol in Gemini, Luna in Libra Dies Saturnii" ] ||
    fail "Japanese locale: first line is '$(echo "$out" | head -n 1)'"
[ -z "$err" ] || fail "Japanese locale: unexpected standard error: $err"

# An engine that fails: the date lacks Sun and Moon, and the exit status says so.
settings "Astrolog=/bin/false"
run en_US.UTF-8 UTC "2024-06-15 20:30:00" x
expect_status "failing engine" 1
expect_lines "failing engine" "$out" "An v10 Dies Saturnii" "Saturday, June 15, 2024 e.v. 8:30 PM"
case $err in
*"return code 1"*) ;;
*) fail "failing engine: no return-code message: $err" ;;
esac

# --- "vantrel IN OUT" ----------------------------------------------------------------------

settings "Aspect=0"
printf 'Ann,birthday,3/14/2001,21:07,5,74W00,40N43\r\n"Bo",x,12/31/1999,"9:07 PM",0,0E00,51N30' \
    >"$root/work/dates.txt"
run en_US.UTF-8 America/Chicago "2024-06-15 20:30:00" dates.txt out.txt
expect_status "batch" 0
[ -z "$out" ] || fail "batch: standard output not empty: $out"
expect_lines "batch output" "$(cat "$root/work/out.txt")" \
    $'Ann,birthday,3/14/2001,21:07,5,74W00,40N43,iv8,Pisces,Sagittarius,Mercurii,\r' \
    $'Bo,x,12/31/1999,9:07 PM,0,0E00,51N30,iv7,Capricorn,Scorpio,Veneris,\r'

# Day-first dates with "." under German settings, degrees kept.
settings
printf 'Ann,birthday,14.3.2001,21:07,5,74W00,40N43\n' >"$root/work/tage.txt"
run de_DE.UTF-8 Europe/Berlin "2024-06-15 20:30:00" tage.txt aus.txt
expect_status "German batch" 0
expect_lines "German batch output" "$(cat "$root/work/aus.txt")" \
    $'Ann,birthday,14.3.2001,21:07,5,74W00,40N43,iv8,24° Pisces, 4° Sagittarius,Mercurii,\r'

# A bad line stops the conversion: message, status 1, no output file.
printf 'Ann,birthday,3/14/2001,21:07,5,74W00,40N43\n\n' >"$root/work/gap.txt"
run en_US.UTF-8 UTC "2024-06-15 20:30:00" gap.txt gap-out.txt
expect_status "empty line" 1
[ "$err" = "gap.txt, line 2: List index out of bounds (2)" ] || fail "empty line: message '$err'"
[ ! -e "$root/work/gap-out.txt" ] || fail "empty line: output written anyway"

# A failing engine stops the conversion at the line, and no output is written.
settings "Astrolog=/bin/false"
run en_US.UTF-8 UTC "2024-06-15 20:30:00" dates.txt failed.txt
expect_status "batch with a failing engine" 1
[ "$err" = "dates.txt, line 1: Astrolog return code 1." ] ||
    fail "batch with a failing engine: message '$err'"
[ ! -e "$root/work/failed.txt" ] || fail "batch with a failing engine: output written anyway"
settings

run en_US.UTF-8 UTC "2024-06-15 20:30:00" missing.txt never.txt
expect_status "missing input" 1
[ "$err" = "Cannot open file missing.txt." ] || fail "missing input: message '$err'"

# Year-first dates in a batch, read in the Swedish order.
settings
printf 'Ann,birthday,2001-03-14,21:07,5,74W00,40N43\n' >"$root/work/datum.txt"
run sv_SE.UTF-8 Europe/Stockholm "2024-06-15 20:30:00" datum.txt utdata.txt
expect_status "Swedish batch" 0
expect_lines "Swedish batch output" "$(cat "$root/work/utdata.txt")" \
    $'Ann,birthday,2001-03-14,21:07,5,74W00,40N43,iv8,24° Pisces, 4° Sagittarius,Mercurii,\r'

# --- Qt's options, mistyped options, no platform plugin --------------------------------------
#
# Qt's own options are set aside before the mode is chosen, and work with every mode; an
# argument that looks like an option and is none gets the usage on standard error and status 2;
# without a display no platform plugin is needed (qt.conf beside the program points Qt at an
# empty plugin folder), and a chosen platform that cannot start leaves the clipboard alone.
settings "Aspect=0"
run en_US.UTF-8 UTC "2024-06-15 20:30:00" x
plain_x=$out
printf 'Ann,birthday,3/14/2001,21:07,5,74W00,40N43\n' >"$root/work/qt-in.txt"
mkdir "$root/no-plugins"
for case in "0|x|-style fusion x" "0|x|-reverse x" "0|x|-platform xcb x" \
    "0|batch|-platform offscreen qt-in.txt qt-out.txt" \
    "0|no plugin|qt-in.txt qt-out.txt" "2|usage|--versoin" "2|usage|-v"; do
    IFS='|' read -r want kind arguments <<<"$case"
    [ "$kind" = "no plugin" ] && printf '[Paths]\nPlugins=%s\n' "$root/no-plugins" >"$root/bin/qt.conf"
    rm -f "$root/work/qt-out.txt"
    # shellcheck disable=SC2086 # the arguments are split at blanks
    run en_US.UTF-8 UTC "2024-06-15 20:30:00" $arguments
    rm -f "$root/bin/qt.conf"
    expect_status "$kind: $arguments" "$want"
    case $kind in
    x) [ "$out" = "$plain_x" ] || fail "$arguments: printed '$out'" ;;
    usage) [ -z "$out" ] && [[ $err == "vantrel: unknown option '$arguments'"*$'\n'Usage:* ]] ||
        fail "$arguments: standard output '$out', standard error '$err'" ;;
    *) [[ $(cat "$root/work/qt-out.txt" 2>/dev/null) == Ann,*,iv8,Pisces,Sagittarius,Mercurii,* ]] ||
        fail "$kind: $arguments: no output file" ;;
    esac
done
rm -f "$root/work/qt-in.txt" "$root/work/qt-out.txt"

# --- Time zones from the tz database --------------------------------------------------------
#
# With "System Locale Settings" (Time=2) and "Place's Time Zone" (Time=3) every command file
# must name the universal time of the civil moment. A stand-in engine logs the chart-data line
# of each command file it is given, then runs the real one; the universal time the line names
# (local clock + zone - daylight hour) is compared with what date(1) makes of the same civil
# moment from the tz database.

printf '#!/bin/sh\nsed -n 2p input.txt | tr -d "\\r" >>"%s"\nexec "%s" "$@"\n' \
    "$root/chart-lines.log" "$root/bin/vantrel-engine" >"$root/chart-engine"
chmod +x "$root/chart-engine"

# universal_time "/qb M D Y H:MMxM ST|DT ZONE LON LAT": the moment the line names, as
# YYYY-MM-DD HH:MM.
universal_time() {
    local qb m d y clock field zone rest
    read -r qb m d y clock field zone rest <<<"$1"
    clock=${clock%?M}
    local sign=1 z=$zone minutes=0
    case $z in -*) sign=-1 z=${z#-} ;; esac
    case $z in *:*) minutes=$((10#${z#*:})) z=${z%%:*} ;; esac
    local west=$((sign * (10#$z * 60 + minutes)))
    [ "$field" = DT ] && west=$((west - 60))
    local local_seconds
    local_seconds=$(date -u -d "$y-$m-$d $clock UTC" +%s)
    date -u -d "@$((local_seconds + west * 60))" '+%Y-%m-%d %H:%M'
}

# check_zone NAME ZONE-OF-THE-MOMENTS "M/D/YYYY H:MM"...: converts one batch line per moment,
# under TZ=$system_zone, and compares the universal time of each logged chart-data line with
# the tz database's for that moment in the zone given.
check_zone() {
    local name=$1 zone=$2
    shift 2
    local moment i=0
    : >"$root/chart-lines.log"
    : >"$root/work/zones.txt"
    for moment in "$@"; do
        printf 'z,x,%s,%s,0,%s\n' "${moment% *}" "${moment#* }" "${place:-0E00,51N30}" \
            >>"$root/work/zones.txt"
    done
    run en_US.UTF-8 "$system_zone" "2024-06-15 12:00:00" zones.txt zones-out.txt
    expect_status "$name" 0
    local logged=()
    mapfile -t logged <"$root/chart-lines.log"
    [ "${#logged[@]}" -eq $# ] || fail "$name: ${#logged[@]} engine runs for $# lines"
    for moment in "$@"; do
        local iso expected actual
        iso=$(date -d "${moment% *}" +%Y-%m-%d)
        expected=$(TZ=UTC date -d "TZ=\"$zone\" $iso ${moment#* }" '+%Y-%m-%d %H:%M')
        actual=$(universal_time "${logged[$i]:-}")
        [ "$actual" = "$expected" ] ||
            fail "$name $moment: '${logged[$i]:-}' names $actual UT, the tz database $expected"
        i=$((i + 1))
    done
}

# Past and future years, north and south, negative, half-hour and two-hour daylight saving,
# zones whose rules or standard offset changed, offsets from -3:30 to +14.
settings "Time=2" "Astrolog=$root/chart-engine"
for case in \
    "America/New_York|1/15/1974 12:00|1/15/1975 12:00|7/4/1950 12:00|7/4/2031 12:00|12/25/2099 18:00|3/10/2024 1:59|3/10/2024 3:00" \
    "Europe/Dublin|1/15/2024 12:00|7/15/2024 12:00|1/15/1970 12:00|1/15/1960 12:00|7/15/2040 12:00" \
    "Africa/Casablanca|3/20/2024 12:00|7/15/2024 12:00|1/15/2010 12:00|7/15/2010 12:00" \
    "Australia/Sydney|7/15/2030 12:00|1/15/2030 12:00|1/15/1990 12:00|10/6/2024 3:00" \
    "Australia/Lord_Howe|1/15/2024 12:00|7/15/2024 12:00|2/29/2028 23:59" \
    "Asia/Kolkata|7/15/2024 12:00|1/15/1943 12:00" \
    "Europe/London|7/15/1944 12:00|1/15/1970 12:00|12/31/1999 23:59" \
    "America/Sao_Paulo|1/15/2018 12:00|1/15/2024 12:00" \
    "Europe/Moscow|7/15/2012 12:00|1/15/2012 12:00|1/15/2016 0:00" \
    "Pacific/Chatham|1/15/2024 12:00|7/15/2024 12:00" \
    "America/St_Johns|7/15/2024 12:00|1/15/2024 12:00" \
    "Antarctica/Troll|7/15/2024 12:00|1/15/2024 12:00" \
    "Pacific/Kiritimati|1/15/2024 12:00|1/15/1990 12:00"; do
    IFS='|' read -r -a fields <<<"$case"
    system_zone=${fields[0]}
    check_zone "system zone ${fields[0]}" "${fields[0]}" "${fields[@]:1}"
done

# The zone of each line's own place (the nearest city of the place database), whatever the
# computer's and the settings' place; with no place near, the line's zone as standard time.
system_zone=America/Chicago
settings "Time=3" "Zone Name=Australia/Lord_Howe" "Astrolog=$root/chart-engine"
place=85E19,27N42 check_zone "place zone Kathmandu" Asia/Kathmandu "1/15/2024 12:00" \
    "1/15/1980 12:00"
place=138E36,34S56 check_zone "place zone Adelaide" Australia/Adelaide "1/15/2024 12:00" \
    "7/15/2024 12:00"
place=30W00,0N00 check_zone "no place near" UTC "1/15/2024 12:00" "7/15/2024 12:00"

# "vantrel x" under a faked clock. The fields as zdump -v gives them: negative daylight saving
# and half an hour of it are written as standard time with the whole offset, one whole hour as
# daylight time; in the hour the clocks skip or repeat, the offset before the change counts.
settings "Time=2" "Astrolog=$root/chart-engine"
for case in \
    "Europe/Dublin|2025-01-15 12:00:00|/qb 1 15 2025 12:00PM ST 0 " \
    "Australia/Sydney|2030-07-15 12:00:00|/qb 7 15 2030 12:00PM ST -10 " \
    "America/New_York|1974-01-15 12:00:00|/qb 1 15 1974 12:00PM DT 5 " \
    "Australia/Lord_Howe|2025-01-15 12:00:00|/qb 1 15 2025 12:00PM ST -11 " \
    "America/Chicago|2024-11-03 01:30:00|/qb 11 3 2024 1:30AM DT 6 "; do
    IFS='|' read -r zone moment expected <<<"$case"
    : >"$root/chart-lines.log"
    run en_US.UTF-8 "$zone" "$moment" x
    expect_status "now in $zone at $moment" 0
    case $(cat "$root/chart-lines.log") in
    "$expected"*) ;;
    *) fail "now in $zone at $moment: '$(cat "$root/chart-lines.log")', expected '$expected'" ;;
    esac
done
settings

# --- "vantrel x" answered without Qt ----------------------------------------------------------

# The front alone in a folder answers by itself, exactly as the Qt program does; what it cannot
# answer so (a zone given as a rule in TZ) it hands to the Qt program, missing there.
mkdir "$root/front"
cp "$root/bin/vantrel" "$root/front/"
for case in \
    "en_US.UTF-8|America/Chicago|Format=0|Lines=2|Day Begins=2" \
    "de_DE.UTF-8|Europe/Berlin|Aspect=1|Lines=0|Day Begins=1" \
    "fr_FR.UTF-8|Australia/Adelaide|Longitude=138E36|Latitude=34S56|Day Begins=1" \
    "C.UTF-8|UTC|Time=3|Zone Name=Asia/Kolkata|Day Begins=2" \
    "ja_JP.UTF-8|Asia/Tokyo|Lines=1|Zodiac=1"; do
    IFS='|' read -r lang zone lines <<<"$case"
    IFS='|' read -ra lines <<<"$lines"
    settings "${lines[@]}"
    cp "$root/bin/Vantrel.ini" "$root/front/"
    for attempt in 1 2; do  # a minute may turn between the two runs
        run_program "$root/bin/vantrel-qt" "$lang" "$zone" "" x
        qt_out=$out qt_status=$status
        run_program "$root/front/vantrel" "$lang" "$zone" "" x
        [ "$out" = "$qt_out" ] && break
    done
    expect_status "the front alone, $lang in $zone" "$qt_status"
    expect_lines "the front alone, $lang in $zone" "$out" "$qt_out"
    [ -n "$out" ] || fail "the front alone, $lang in $zone: nothing printed (stderr: $err)"
done
run_program "$root/front/vantrel" en_US.UTF-8 "CET-1CEST,M3.5.0,M10.5.0/3" "" x
expect_status "a zone rule in TZ goes to the Qt program" 127
[[ $err == "Cannot start $root/front/vantrel-qt: No such file or directory." ]] ||
    fail "a zone rule in TZ goes to the Qt program: $err"
rm -r "$root/front"
settings

# Only what the user put there and the outputs named: no command file, no listing.
expect_lines "files in the folder the commands were typed in" "$(ls "$root/work")" \
    aus.txt dates.txt datum.txt gap.txt out.txt tage.txt utdata.txt zones-out.txt zones.txt
expect_lines "files beside the program" "$(ls "$root/bin")" Vantrel.ini vantrel vantrel-engine \
    vantrel-qt
[ -z "$(ls -A "$root/home")" ] || fail "the command-line modes wrote into the home folder"

finish "all command-line checks passed"
