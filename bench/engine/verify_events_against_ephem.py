#!/usr/bin/python3
"""Compares vantrel-engine's Moon phases and entries of the Sun into the signs with PyEphem.

For every sampled year this runs the engine's events switch (/%e YEAR), reads the listing, and
finds the same events with PyEphem (VSOP87/ELP, independent of the Swiss Ephemeris): the
phases by PyEphem's own next_new_moon ... next_last_quarter_moon searches, the entries by a
secant search of our own on PyEphem's apparent geocentric ecliptic longitude of date. Every
reference event must have its engine event of the same kind and name within two hours and
the other way round; the differences are printed per kind, as maximum and RMS, twice:

  * in universal time, as each program gives it (PyEphem and the Swiss Ephemeris extrapolate
    Delta T = TT - UT differently: seconds apart in the 1800s, minutes by 2400 and hours in
    antiquity, which no ephemeris can know);
  * in terrestrial time (each moment plus its own program's Delta T), which compares the
    ephemerides themselves;

and a third time against the same ephemeris as the engine's (libswe through ctypes, its
built-in theory beyond the files) searched by plain bisection, which measures the engine's
search alone, in every year served.

PyEphem's Moon leaves its theory on 2950 January 1 (its longitude jumps by 146"), so from that
year on the phases are compared by bisection only.

A verification tool for developers, not a test: it prints figures and every disagreement.
Needs the Debian package python3-ephem.

usage: verify_events_against_ephem.py ENGINE [--from 1800] [--to 2400] [--step 1]
                                      [--beyond-step 50] [--verbose]
"""

import argparse
import ctypes
import math
import os
import sys
import tempfile
from collections import defaultdict

import ephem

from verify_against_ephem import DUBLIN_TO_JD, apparent_longitude, run_engine, stats

PHASES = ["New Moon", "First Quarter", "Full Moon", "Last Quarter"]
PHASE_SEARCH = [ephem.next_new_moon, ephem.next_first_quarter_moon, ephem.next_full_moon,
                ephem.next_last_quarter_moon]
SIGNS = ["Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius",
         "Capricorn", "Aquarius", "Pisces"]
FIRST_SERVED, LAST_SERVED = 1, 3000
FILES_FROM, FILES_TO = 1800, 2399  # the years the Swiss Ephemeris files hold
MATCH_DAYS = 2 / 24.0
PYEPHEM_MOON_UNTIL = 2950

_swe = ctypes.CDLL("libswe.so.2")
_swe.swe_deltat.restype = ctypes.c_double
_swe.swe_deltat.argtypes = [ctypes.c_double]
_swe.swe_calc_ut.restype = ctypes.c_int
_swe.swe_calc_ut.argtypes = [ctypes.c_double, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_double),
                             ctypes.c_char_p]
_swe.swe_set_ephe_path(b"/usr/share/libswe/ephe")
_SWE_SUN, _SWE_MOON, _SEFLG_SWIEPH = 0, 1, 2


def swe_longitude(body, jd):
    x = (ctypes.c_double * 6)()
    error = ctypes.create_string_buffer(256)
    if _swe.swe_calc_ut(jd, body, _SEFLG_SWIEPH, x, error) < 0:
        raise RuntimeError(error.value.decode())
    return x[0]


def bisected(kind, name, jd):
    """The event near the engine's moment jd, by bisection on libswe's longitudes."""
    if kind == "phase":
        target = 90.0 * PHASES.index(name)
        f = lambda t: swe_longitude(_SWE_MOON, t) - swe_longitude(_SWE_SUN, t) - target
    else:
        target = 30.0 * SIGNS.index(name)
        f = lambda t: swe_longitude(_SWE_SUN, t) - target
    low, high = jd - 0.05, jd + 0.05
    for _ in range(40):
        mid = (low + high) / 2
        if (f(mid) + 180.0) % 360.0 - 180.0 < 0:
            low = mid
        else:
            high = mid
    return (low + high) / 2


def julian_day(y, m, d, seconds):
    """Julian day of a proleptic Gregorian date and universal time (as the engine counts)."""
    a = (14 - m) // 12
    yy, mm = y + 4800 - a, m + 12 * a - 3
    jdn = d + (153 * mm + 2) // 5 + 365 * yy + yy // 4 - yy // 100 + yy // 400 - 32045
    return jdn - 0.5 + seconds / 86400.0


def parse_listing(text):
    """(kind, name, Julian day UT) of every listing line; kind is 'phase' or 'entry'."""
    events = []
    for line in text.splitlines():
        if line.startswith("No events"):
            continue
        y, m, d = int(line[0:4]), int(line[5:7]), int(line[8:10])
        seconds = int(line[11:13]) * 3600 + int(line[14:16]) * 60 + int(line[17:19])
        body, name = line[24:28].strip(), line[30:43].strip()
        events.append(("phase" if body == "Moon" else "entry", name, julian_day(y, m, d, seconds)))
    return events


def reference_phases(start_jd, end_jd):
    out = []
    for index, search in enumerate(PHASE_SEARCH):
        d = ephem.Date(start_jd - DUBLIN_TO_JD - 1e-6)
        while True:
            d = search(d)
            jd = float(d) + DUBLIN_TO_JD
            if jd >= end_jd:
                break
            out.append(("phase", PHASES[index], jd))
    return out


def entry_near(sign, jd_guess):
    """Secant search for the moment PyEphem's Sun reaches 30 * sign degrees, Julian day UT."""
    target = 30.0 * sign

    def f(jd):
        lon = apparent_longitude("Sun", ephem.Date(jd - DUBLIN_TO_JD))
        return (lon - target + 180.0) % 360.0 - 180.0

    a, b = jd_guess, jd_guess + 1 / 24.0
    fa, fb = f(a), f(b)
    for _ in range(40):
        if fb == fa:
            break
        a, b, fa = b, b - fb * (b - a) / (fb - fa), fb
        fb = f(b)
        if abs(b - a) < 0.01 / 86400:
            break
    return b


def reference_entries(start_jd, end_jd):
    """Each of the year's entries: stepped by five days from the start, then refined."""
    out = []
    jd = start_jd
    lon = apparent_longitude("Sun", ephem.Date(jd - DUBLIN_TO_JD))
    while jd < end_jd:
        nxt = min(jd + 5.0, end_jd)
        lon2 = apparent_longitude("Sun", ephem.Date(nxt - DUBLIN_TO_JD))
        if int(lon2 // 30) != int(lon // 30):
            sign = int(lon2 // 30)
            moved = (lon2 - lon) % 360.0
            guess = jd + (nxt - jd) * ((30.0 * sign - lon) % 360.0) / moved
            for root in (entry_near(sign, guess),):
                if start_jd <= root < end_jd:
                    out.append(("entry", SIGNS[sign], root))
        jd, lon = nxt, lon2
    return out


def engine_events(engine, folder, year):
    text = "@0102\r\n/%%e %d\r\n/os events.txt\r\n" % year
    return parse_listing(run_engine(engine, folder, text, "events.txt"))


def category(kind, name):
    if kind == "phase":
        return name
    return "Sun enters " + ("cardinal sign" if SIGNS.index(name) % 3 == 0 else "other sign")


def compare_year(engine, folder, year, results, problems):
    start = julian_day(year, 1, 1, 0)
    end = julian_day(year + 1, 1, 1, 0)
    ours = engine_events(engine, folder, year)
    for kind, name, jd in ours:
        results[category(kind, name)].append(("bisection", (jd - bisected(kind, name, jd)) * 86400.0))
    moon = year < PYEPHEM_MOON_UNTIL
    theirs = (reference_phases(start, end) if moon else []) + reference_entries(start, end)
    unmatched = [e for e in ours if moon or e[0] == "entry"]
    for kind, name, ref in theirs:
        near = [e for e in unmatched if e[0] == kind and e[1] == name and abs(e[2] - ref) < MATCH_DAYS]
        if not near:
            problems.append("%d: %s %s at JD %.5f missing from the engine" % (year, kind, name, ref))
            continue
        unmatched.remove(near[0])
        jd = near[0][2]
        ut = (jd - ref) * 86400.0
        tt = ut + _swe.swe_deltat(jd) * 86400.0 - ephem.delta_t(ephem.Date(ref - DUBLIN_TO_JD))
        results[category(kind, name)] += [("UT", ut), ("TT", tt)]
    for kind, name, jd in unmatched:
        problems.append("%d: engine %s %s at JD %.5f has no reference" % (year, kind, name, jd))


def report(title, results):
    print(title)
    print("  %-26s %6s %9s %9s %9s %9s %9s %9s" % ("kind", "events", "UT max", "UT rms", "TT max", "TT rms",
                                                 "bis. max", "bis. rms"))
    for key in PHASES + ["Sun enters cardinal sign", "Sun enters other sign"]:
        rows = results.get(key, [])
        figures = []
        for scale in ("UT", "TT", "bisection"):
            rms, worst = stats([v for s, v in rows if s == scale])
            figures += [worst, rms]
        count = sum(1 for s, _ in rows if s == "bisection")
        print("  %-26s %6d %9.1f %9.1f %9.2f %9.2f %9.3f %9.3f" % ((key, count) + tuple(figures)))
    print("  (seconds; UT and TT against PyEphem, bis. against bisection on libswe)")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("engine")
    ap.add_argument("--from", dest="first", type=int, default=FILES_FROM)
    ap.add_argument("--to", dest="last", type=int, default=FILES_TO + 1)
    ap.add_argument("--step", type=int, default=1)
    ap.add_argument("--beyond-step", type=int, default=50,
                    help="also every this many years outside the files (0: none)")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    engine = os.path.abspath(args.engine)
    files_years = list(range(args.first, args.last + 1, args.step))
    beyond = []
    if args.beyond_step > 0:
        beyond = [y for y in range(FIRST_SERVED, LAST_SERVED + 1, args.beyond_step)
                  if not FILES_FROM <= y <= FILES_TO] + [LAST_SERVED]
    problems = []
    with tempfile.TemporaryDirectory(prefix="vantrel-events-") as folder:
        for title, years in (("years %d-%d, every %d" % (args.first, args.last, args.step), files_years),
                             ("years beyond the ephemeris files (built-in theory): %s" %
                              " ".join(map(str, beyond)), beyond)):
            if not years:
                continue
            results = defaultdict(list)
            for year in years:
                compare_year(engine, folder, year, results, problems)
                if args.verbose:
                    print("year %d done" % year, file=sys.stderr)
            report(title, results)
    print("events missing or without reference: %d" % len(problems))
    for p in problems:
        print("  " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
