#!/usr/bin/env bash
# Runs "vantrel --calendar YEAR FILE" from a portable copy, with no display, and reads what it
# writes with an independent iCalendar reader (python3-icalendar).
#
# The expected values come from the almanac, not from the program (universal time, 2025):
# equinoxes and solstices 20 March 09:01, 21 June 02:42, 22 September 18:19, 21 December
# 15:03; full Moon 14 March 06:55, new Moon 29 March 10:58; 12 new Moons, 12 full Moons, 13
# first and 12 last quarters in the year. On Chicago's standard time (6 hours west) the June
# solstice falls on the evening of 20 June. 20 March 2025 is a Thursday of year 121 since 1904
# (cycle 5, year 11); at its noon the Sun stands early in Aries, the Moon (last quarter on the
# 22nd, at 1 degree Capricorn) in Sagittarius.
set -u

vantrel=$1
engine=$2
. "$(dirname "$0")/checks.sh"

python=/usr/bin/python3
if ! "$python" -c "import icalendar" 2>/dev/null; then
    echo "python3-icalendar is not installed (scripts/setup.sh --tests)" >&2
    exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/bin" "$root/work" "$root/home"
cp "$vantrel" "$(dirname "$vantrel")/vantrel-qt" "$engine" "$root/bin/"
# A portable copy's working folder is its own: the installed feasts lie beside it.
cp "$(dirname "$0")/../../data/feasts.txt" "$root/bin/"

# run TZ MOMENT ARGS...: standard output into $root/out (or $out); sets err and status.
run() {
    local tz=$1 moment=$2
    shift 2
    (cd "$root/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        LANG=en_US.UTF-8 LC_ALL= TZ="$tz" HOME="$root/home" XDG_CONFIG_HOME="$root/home/config" \
        XDG_DATA_HOME="$root/home/data" timeout 120 faketime -f "@$moment" "$root/bin/vantrel" \
        "$@" >"${out:-$root/out}" 2>"$root/err")
    status=$?
    err=$(cat "$root/err")
}

settings() {
    { echo "[vantrel]"; printf '%s\n' "$@"; } >"$root/bin/Vantrel.ini"
}

settings "Time=0" "Time Zone=6" "Basic=1" "Format=0" "Aspect=0"
run UTC "2026-01-05 10:00:00" --calendar 2025 -
[ "$status" -eq 0 ] || fail "calendar to standard output: status $status ($err)"
mv "$root/out" "$root/first.ics"

# Another zone, and an engine program of the user's that cannot compute: the events still come
# from the program's own ephemeris.
settings "Time=0" "Time Zone=-9" "Basic=1" "Format=0" "Aspect=0" "Astrolog=/bin/false"
run Asia/Tokyo "2026-02-01 00:00:00" --calendar 2025 "$root/work/second.ics"
[ "$status" -eq 0 ] || fail "calendar to a file: status $status ($err)"
[ -z "$(ls "$root/work" | grep -v '^second.ics$')" ] || fail "files left beside the output"

"$python" - "$root/first.ics" "$root/work/second.ics" <<'EOF' || fail "the iCalendar checks"
import sys
from datetime import date, datetime, timezone
import icalendar

failures = []
def check(ok, what):
    if not ok:
        failures.append(what)

def read(path):
    raw = open(path, "rb").read()
    lines = raw.split(b"\r\n")
    check(lines[-1] == b"", path + ": the last line is not ended by CR LF")
    for line in lines[:-1]:
        check(b"\n" not in line and b"\r" not in line, path + ": a line not ended by CR LF")
        check(len(line) <= 75, path + ": a line longer than 75 octets: %r" % line)
    return icalendar.Calendar.from_ical(raw)

first, second = read(sys.argv[1]), read(sys.argv[2])
check(str(first["VERSION"]) == "2.0", "VERSION")
check(str(first["PRODID"]).startswith("-//Vantrel//Vantrel "), "PRODID " + str(first["PRODID"]))
events = list(first.walk("VEVENT"))
category = lambda e: e["CATEGORIES"].to_ical().decode()
counts = {}
for e in events:
    counts[category(e)] = counts.get(category(e), 0) + 1
check(counts == {"Moon": 49, "Sun": 12, "Feast": 11}, "events by category: %r" % counts)

def utc(*fields):
    return datetime(*fields, tzinfo=timezone.utc)

def timed(summary, near):
    found = [e["DTSTART"].dt for e in events if str(e["SUMMARY"]) == summary
             and isinstance(e["DTSTART"].dt, datetime)
             and abs((e["DTSTART"].dt - near).total_seconds()) < 60]
    check(len(found) == 1, "%s within a minute of %s: %r" % (summary, near, found))
    check(all(t.tzinfo is not None and t.utcoffset().total_seconds() == 0 for t in found),
          summary + " not in universal time")

timed("Sun enters Aries", utc(2025, 3, 20, 9, 1))
timed("Sun enters Cancer", utc(2025, 6, 21, 2, 42))
timed("Sun enters Libra", utc(2025, 9, 22, 18, 19))
timed("Sun enters Capricorn", utc(2025, 12, 21, 15, 3))
timed("Full Moon", utc(2025, 3, 14, 6, 55))
timed("New Moon", utc(2025, 3, 29, 10, 58))
for phase, n in (("New Moon", 12), ("Full Moon", 12), ("First Quarter", 13), ("Last Quarter", 12)):
    check(sum(str(e["SUMMARY"]) == phase for e in events) == n, "%d %s" % (n, phase))

feasts = sorted((e["DTSTART"].dt, str(e["SUMMARY"])) for e in events if category(e) == "Feast")
for day, name in ((date(2025, 3, 20), "Equinox of the Gods"),
                  (date(2025, 3, 20), "Feast of the Supreme Ritual"),
                  (date(2025, 4, 9), "Feast of the Writing of the Book of the Law (second day)"),
                  (date(2025, 6, 20), "Feast of the Times"),
                  (date(2025, 9, 22), "Feast of the Times"),
                  (date(2025, 12, 21), "Feast of the Times"),
                  (date(2025, 12, 1), "Greater Feast for the Prophet")):
    check((day, name) in feasts, "%s on %s, all day" % (name, day))
check(all(type(d) is date for d, _ in feasts), "a feast that is not an all-day event")

march20 = [str(e["DESCRIPTION"]) for e in events if str(e["SUMMARY"]) == "Feast of the Supreme Ritual"]
check(march20 and march20[0].startswith("Anno Vxi Sol in Aries, Luna in Sagittarius Dies Jovis"),
      "the day's Thelemic date: %r" % march20)

uids = [str(e["UID"]) for e in events]
check(len(set(uids)) == len(uids), "UIDs repeat")
check(set(uids) == set(str(e["UID"]) for e in second.walk("VEVENT")),
      "UIDs differ between two runs in two zones")
print("\n".join(failures), file=sys.stderr)
sys.exit(1 if failures else 0)
EOF

# A year that is no number or out of range: a message naming it, status 1, no file written,
# and a file already there left as it was.
echo "mine" >"$root/work/kept.ics"
for year in 3001 0 twenty -1 ""; do
    run UTC "2026-01-05 10:00:00" --calendar "$year" "$root/work/kept.ics"
    [ "$status" -eq 1 ] || fail "year '$year': status $status"
    case "$err" in
    *"\"$year\" is not a number"* | *"year $year is outside the ephemeris range"*) ;;
    *) fail "year '$year': message '$err'" ;;
    esac
    [ "$(cat "$root/work/kept.ics")" = "mine" ] || fail "year '$year': the file was touched"
done

# Standard output that cannot take the text (a full disk) is a failure, not a success.
out=/dev/full run UTC "2026-01-05 10:00:00" --calendar 2025 -
[ "$status" -eq 1 ] || fail "calendar to a full standard output: status $status"
[[ "$err" == *"Cannot write to standard output"* ]] || fail "full standard output: '$err'"

# Without its two arguments the option is a usage error, not a batch conversion of "--calendar".
run UTC "2026-01-05 10:00:00" --calendar 2025
[ "$status" -eq 2 ] || fail "--calendar with one argument: status $status"
case "$err" in
*"--calendar takes a year and a file"*) ;;
*) fail "--calendar with one argument: message '$err'" ;;
esac
[ ! -e "$root/work/2025" ] || fail "--calendar with one argument wrote a file"

finish "calendar checks passed"
