#!/usr/bin/python3
"""Compares vantrel-engine's chart and rise/set listings with PyEphem.

PyEphem (VSOP87/ELP, its own rise/set search) is an implementation independent of the
Swiss Ephemeris the engine uses. For a seeded set of random charts (1900-2100, places on
every continent including polar ones, zones in whole, half and quarter hours east and west,
standard and daylight time) this writes the command files the calendar writes, runs the
engine on them in a temporary folder, parses the listings and compares:

  * chart listing: Sun..Pluto degree/sign/minute (truncated) against PyEphem's apparent
    geocentric ecliptic longitude of date;
  * rise/set listing: every rising, setting, upper and lower transit of Sun..Pluto that
    PyEphem finds within the chart's local calendar day, at the same truncated minute,
    nothing missing, nothing extra, and the sign column.

A verification tool for developers, not a test: it prints figures and every disagreement.
Needs the Debian package python3-ephem.

usage: verify_against_ephem.py ENGINE [--charts N] [--seed S] [--align-delta-t] [--verbose]

PyEphem extrapolates Delta T (TT - UT) beyond the present differently from the Swiss
Ephemeris (about 130 s apart by 2100), which moves the Moon by up to about 70". With
--align-delta-t the reference positions are taken at the same terrestrial time as the
engine's (Delta T from libswe), which separates that convention from real faults.
"""

import argparse
import math
import os
import random
import signal
import subprocess
import sys
import tempfile
from collections import defaultdict

import ephem

BODIES = ["Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"]
SIGNS = ["Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"]
KINDS = ["rises", "zeniths", "sets", "nadirs"]
DUBLIN_TO_JD = 2415020.0

# (name, latitude north, longitude east, standard zone in hours east) on every continent,
# polar places included; the generator jitters the place a little.
PLACES = [
    ("Minneapolis", 45.08, -93.35, -6), ("New York", 40.72, -74.0, -5), ("Anchorage", 61.2, -149.9, -9),
    ("Barrow", 71.29, -156.79, -9), ("Alert", 82.5, -62.3, -5), ("St. John's", 47.56, -52.71, -3.5),
    ("Mexico City", 19.43, -99.13, -6), ("Reykjavik", 64.15, -21.94, 0), ("London", 51.5, -0.12, 0),
    ("Tromso", 69.65, 18.96, 1), ("Longyearbyen", 78.22, 15.65, 1), ("Murmansk", 68.97, 33.08, 3),
    ("Cairo", 30.04, 31.24, 2), ("Nairobi", -1.29, 36.82, 3), ("Cape Town", -33.92, 18.42, 2),
    ("Lagos", 6.52, 3.38, 1), ("Tehran", 35.69, 51.39, 3.5), ("Kabul", 34.53, 69.17, 4.5),
    ("Delhi", 28.61, 77.21, 5.5), ("Kathmandu", 27.72, 85.32, 5.75), ("Yangon", 16.84, 96.17, 6.5),
    ("Norilsk", 69.35, 88.2, 7), ("Tokyo", 35.68, 139.69, 9), ("Tiksi", 71.64, 128.87, 9),
    ("Eucla", -31.68, 128.88, 8.75), ("Adelaide", -34.93, 138.6, 9.5), ("Sydney", -33.87, 151.21, 10),
    ("Auckland", -36.85, 174.76, 12), ("Chatham", -43.95, -176.55, 12.75), ("Honolulu", 21.3, -157.86, -10),
    ("Marquesas", -9.0, -139.5, -9.5), ("Quito", -0.18, -78.47, -5), ("Sao Paulo", -23.55, -46.63, -3),
    ("Caracas", 10.49, -66.88, -4.5), ("Ushuaia", -54.8, -68.3, -3), ("McMurdo", -77.85, 166.67, 12),
    ("Palmer", -64.77, -64.05, -4), ("Amundsen-Scott", -89.9, 0.0, 12), ("Vostok", -78.46, 106.84, 6),
    ("Kiritimati", 1.87, -157.4, 14), ("Baker", 0.19, -176.48, -12),
]


def chart_data_line(y, m, d, hour, minute, dt, zone_text, lon_text, lat_text):
    return "/qb %d %d %d %d:%02d%s %s %s %s %s" % (
        m, d, y, hour, minute, "PM" if hour >= 12 else "AM", "DT" if dt else "ST", zone_text, lon_text, lat_text)


def chart_command_file(line, day_first):
    return "\r\n".join(["@0102  ; Astrolog chart info.", line, "/os chart.txt", "-Yd" if day_first else "",
                        "/R Chir", "/R Cere", "/R Pall", "/R Juno", "/R Vest", "/R Lili", "/c 0"]) + "\r\n"


def rise_set_command_file(line, day_first):
    return "\r\n".join(["@0102  ; Astrolog chart info.", line, "/os riseset.txt", "/R Chir", "/R Cere",
                        "/R Pall", "/R Juno", "/R Vest", "/R Lili", "/Zd", "-Yd" if day_first else ""]) + "\r\n"


def zone_text(hours_west):
    """The zone as a user types it: 6, -1, 5:30, -5:45, sometimes 5.30."""
    sign = "-" if hours_west < 0 else ""
    a = abs(hours_west)
    h = int(a)
    mins = int(round((a - h) * 60))
    if mins == 0:
        return "%s%d" % (sign, h)
    sep = random.choice([":", ":", "."])
    return "%s%d%s%02d" % (sign, h, sep, mins)


def angle_text(value, pos, neg):
    a = abs(value)
    deg = int(a)
    mins = int(round((a - deg) * 60))
    if mins == 60:
        deg, mins = deg + 1, 0
    return "%d%s%02d" % (deg, pos if value >= 0 else neg, mins), (deg + mins / 60.0) * (1 if value >= 0 else -1)


def make_chart(rng):
    name, lat, lon, zone_east = rng.choice(PLACES)
    lat = max(-89.9, min(89.9, lat + rng.uniform(-1.5, 1.5)))
    lon = lon + rng.uniform(-1.5, 1.5)
    lon = (lon + 180) % 360 - 180
    lat_text, lat_used = angle_text(lat, "N", "S")
    lon_text, lon_used = angle_text(lon, "E", "W")
    y = rng.randint(1900, 2100)
    m = rng.randint(1, 12)
    days = [31, 29 if (y % 4 == 0 and (y % 100 != 0 or y % 400 == 0)) else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    d = rng.randint(1, days[m - 1])
    hour, minute = rng.randint(0, 23), rng.randint(0, 59)
    dt = rng.random() < 0.35
    return dict(place=name, lat=lat_used, lon=lon_used, lat_text=lat_text, lon_text=lon_text, y=y, m=m, d=d,
                hour=hour, minute=minute, dt=dt, zone_west=-zone_east, day_first=rng.random() < 0.5)


def run_engine(engine, folder, text, out_name):
    path = os.path.join(folder, "input.txt")
    with open(path, "w", newline="") as f:
        f.write(text)
    out = os.path.join(folder, out_name)
    if os.path.exists(out):
        os.remove(out)
    r = subprocess.run([engine, "-i", "input.txt"], cwd=folder, capture_output=True, text=True, timeout=30)
    if r.returncode != 0:
        raise RuntimeError("engine exit %d: %s" % (r.returncode, r.stderr.strip()))
    with open(out, newline="") as f:
        return f.read()


def parse_chart_rows(text):
    rows = {}
    for line in text.splitlines():
        for b in BODIES:
            if line.startswith("%-4s: " % b[:4]):
                deg = int(line[6:8])
                sign = SIGNS.index(line[8:11])
                mins = int(line[11:13])
                rows[b] = sign * 30 + deg + mins / 60.0
    return rows


def parse_rise_set(text):
    events = []
    for line in text.splitlines():
        if not line.strip() or line.startswith("No horizon events"):
            continue
        t = line[17:24]
        h, mm = int(t[:2]), int(t[3:5])
        ap = t[5:7]
        if h == 12:
            h = 0
        if ap == "pm":
            h += 12
        body = line[25:32].strip()
        sign = line[34:37]
        kind = line[39:46].strip()
        events.append(dict(minute=h * 60 + mm, body=body, sign=sign, kind=kind,
                           retro=line[33] == "[", line=line))
    return events


_delta_t_shift = None


def align_delta_t():
    """Makes apparent_longitude use the Swiss Ephemeris's Delta T instead of PyEphem's."""
    global _delta_t_shift
    import ctypes
    swe = ctypes.CDLL("libswe.so.2")
    swe.swe_deltat.restype = ctypes.c_double
    swe.swe_deltat.argtypes = [ctypes.c_double]
    swe.swe_set_ephe_path(b"/usr/share/libswe/ephe")
    _delta_t_shift = lambda d: swe.swe_deltat(float(d) + DUBLIN_TO_JD) - ephem.delta_t(d) / 86400.0


def make_body(name):
    return getattr(ephem, name)()


def apparent_longitude(name, date):
    """Apparent geocentric ecliptic longitude of date, degrees."""
    b = make_body(name)
    if _delta_t_shift is not None:
        date = ephem.Date(float(date) + _delta_t_shift(date))
    b.compute(date, epoch=date)
    ecl = ephem.Ecliptic(ephem.Equatorial(b.g_ra, b.g_dec, epoch=date), epoch=date)
    return math.degrees(ecl.lon) % 360.0


def interval_residual(true_value, shown, width):
    """How far true_value lies outside [shown, shown + width)."""
    if true_value < shown:
        return true_value - shown
    if true_value >= shown + width:
        return true_value - (shown + width)
    return 0.0


def make_observer(chart):
    o = ephem.Observer()
    o.lat = ephem.degrees(math.radians(chart["lat"]))
    o.lon = ephem.degrees(math.radians(chart["lon"]))
    o.elevation = 0
    o.pressure = 0
    o.horizon = "-0:34"
    return o


def scan_rise_set(obs, name, start, end):
    """Risings and settings by sampling the altitude each minute (used where PyEphem's own
    search gives up because the body is circumpolar at the moment asked)."""
    b = make_body(name)
    limb = name in ("Sun", "Moon")
    hz = math.radians(-34 / 60.0)

    def up(t):
        obs.date = t
        b.compute(obs)
        return b.alt + (b.radius if limb else 0) >= hz

    out = []
    step = ephem.minute
    prev = up(start)
    t = start
    while t < end:
        t2 = min(t + step, end)
        cur = up(t2)
        if cur != prev:
            a, c = t, t2
            for _ in range(30):
                mid = (a + c) / 2
                if up(mid) == prev:
                    a = mid
                else:
                    c = mid
            out.append(("rises" if cur else "sets", (a + c) / 2))
        prev, t = cur, t2
    return out


class SearchTimeout(Exception):
    pass


def _on_alarm(signum, frame):
    raise SearchTimeout()


def with_deadline(fn, *args, **kwargs):
    """PyEphem's rise/set iteration can cycle forever near the poles; give it two seconds."""
    signal.signal(signal.SIGALRM, _on_alarm)
    signal.setitimer(signal.ITIMER_REAL, 2.0)
    try:
        return fn(*args, **kwargs)
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)


stuck_searches = []


def ephem_events(chart, start, end):
    obs = make_observer(chart)
    events = []
    for name in BODIES:
        b = make_body(name)
        use_center = name not in ("Sun", "Moon")
        finders = {"zeniths": obs.next_transit, "nadirs": obs.next_antitransit}
        for kind, fn in finders.items():
            t = start
            while True:
                obs.date = t
                e = float(fn(b, start=t))
                if e >= end:
                    break
                events.append((name, kind, e))
                t = e + ephem.second
        fallback = False
        for kind, fn in (("rises", obs.next_rising), ("sets", obs.next_setting)):
            t = start
            try:
                while True:
                    obs.date = t
                    e = float(with_deadline(fn, b, start=t, use_center=use_center))
                    if e >= end:
                        break
                    events.append((name, kind, e))
                    t = e + ephem.second
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                fallback = True
            except SearchTimeout:
                stuck_searches.append((name, kind, ephem.Date(t)))
                fallback = True
        if fallback:
            events = [ev for ev in events if not (ev[0] == name and ev[1] in ("rises", "sets"))]
            events += [(name, k, e) for k, e in scan_rise_set(obs, name, start, end)]
    return events


def stats(values):
    if not values:
        return 0.0, 0.0
    return math.sqrt(sum(v * v for v in values) / len(values)), max(abs(v) for v in values)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("engine")
    ap.add_argument("--charts", type=int, default=300)
    ap.add_argument("--seed", type=int, default=20240611)
    ap.add_argument("--align-delta-t", action="store_true")
    ap.add_argument("--verbose", action="store_true")
    args = ap.parse_args()
    engine = os.path.abspath(args.engine)
    if args.align_delta_t:
        align_delta_t()
    rng = random.Random(args.seed)
    random.seed(args.seed + 1)

    lon_res = defaultdict(list)          # body -> residual arcsec outside the shown minute
    time_res = defaultdict(list)         # (body, kind) -> residual seconds outside the shown minute
    minute_diff = defaultdict(int)       # engine minute - ephem truncated minute -> count
    az_diff = defaultdict(list)
    problems = []
    worst = []                           # (seconds outside, description) of every rise/set event
    compared = 0
    polar_days = 0

    with tempfile.TemporaryDirectory(prefix="vantrel-verify-") as folder:
        for n in range(args.charts):
            c = make_chart(rng)
            ztext = zone_text(c["zone_west"])
            line = chart_data_line(c["y"], c["m"], c["d"], c["hour"], c["minute"], c["dt"], ztext,
                                   c["lon_text"], c["lat_text"])
            tag = "#%d %s %s" % (n, c["place"], line)
            offset_h = c["zone_west"] - (1 if c["dt"] else 0)
            midnight = ephem.Date((c["y"], c["m"], c["d"], 0, 0, 0)) + offset_h * ephem.hour
            chart_ut = midnight + (c["hour"] * 60 + c["minute"]) * ephem.minute

            try:
                listing = run_engine(engine, folder, chart_command_file(line, c["day_first"]), "chart.txt")
                rows = parse_chart_rows(listing)
            except Exception as e:  # noqa: BLE001 - reported, the run goes on
                problems.append("%s: chart run failed: %s" % (tag, e))
                continue
            for b in BODIES:
                if b not in rows:
                    problems.append("%s: chart listing lacks %s" % (tag, b))
                    continue
                true_lon = apparent_longitude(b, chart_ut)
                shown = rows[b]
                diff = (true_lon - shown + 180) % 360 - 180 + shown  # unwrap near 0 Aries
                r = interval_residual(diff, shown, 1 / 60.0) * 3600
                lon_res[b].append(r)
                if abs(r) > 60:
                    problems.append("%s: %s shown %.4f deg, ephem %.4f deg (%.1f\" outside)" %
                                    (tag, b, shown, true_lon, r))

            try:
                rs = parse_rise_set(run_engine(engine, folder, rise_set_command_file(line, c["day_first"]),
                                               "riseset.txt"))
            except Exception as e:  # noqa: BLE001
                problems.append("%s: rise/set run failed: %s" % (tag, e))
                continue
            ref = ephem_events(c, float(midnight), float(midnight) + 1)
            if any(b == "Sun" for b, k, _ in ref if k in ("rises", "sets")) is False:
                polar_days += 1
            unmatched = list(rs)
            obs = make_observer(c)
            for body, kind, t in sorted(ref, key=lambda x: x[2]):
                exact_min = (t - float(midnight)) * 1440.0
                m_ref = int(math.floor(exact_min))
                cand = [e for e in unmatched if e["body"] == body and e["kind"] == kind and abs(e["minute"] - m_ref) <= 1]
                if not cand:
                    near_edge = min(exact_min, 1440 - exact_min) < 0.05
                    problems.append("%s: missing %s %s at %02d:%06.3f local%s" %
                                    (tag, body, kind, m_ref // 60, exact_min % 60,
                                     " (within 3 s of the day's edge)" if near_edge else ""))
                    continue
                e = min(cand, key=lambda e: abs(e["minute"] - m_ref))
                unmatched.remove(e)
                compared += 1
                minute_diff[e["minute"] - m_ref] += 1
                res = interval_residual(exact_min, e["minute"], 1.0) * 60.0
                time_res[(body, kind)].append(res)
                worst.append((abs(res), "%s: %s %s engine %02d:%02d, ephem %02d:%06.3f" %
                              (tag, body, kind, e["minute"] // 60, e["minute"] % 60, m_ref // 60, exact_min % 60)))
                if abs(res) > 60:
                    problems.append("%s: %s %s engine %d, ephem %.3f min" % (tag, body, kind, e["minute"], exact_min))
                lon = apparent_longitude(body, ephem.Date(t))
                sign = SIGNS[int(lon // 30) % 12]
                near_cusp = min(lon % 30, 30 - lon % 30) < 1 / 60.0
                if e["sign"] != sign and not near_cusp:
                    problems.append("%s: %s %s sign %s, ephem %s (%.4f)" % (tag, body, kind, e["sign"], sign, lon))
                if kind in ("rises", "sets"):
                    obs.date = ephem.Date(t)
                    bb = make_body(body)
                    bb.compute(obs)
                    az_line = e["line"][50:].strip().rstrip("'")
                    try:
                        dd, mm = az_line.split(":")
                        az_engine = int(dd) + int(mm) / 60.0
                        az_diff[body].append(((az_engine - math.degrees(bb.az) + 180) % 360 - 180) * 60)
                    except ValueError:
                        problems.append("%s: unreadable azimuth in %r" % (tag, e["line"]))
            for e in unmatched:
                problems.append("%s: extra event: %s" % (tag, e["line"]))
            if args.verbose:
                print("%s: %d events" % (tag, len(ref)), file=sys.stderr)

    print("Charts: %d (seed %d); rise/set events compared: %d; charts without a sunrise or sunset: %d"
          % (args.charts, args.seed, compared, polar_days))
    print("PyEphem rise/set searches that did not converge (replaced by a one-minute altitude scan): %d"
          % len(stuck_searches))
    print()
    print("Chart listing longitude, arcseconds outside the shown (truncated) minute:")
    print("  %-8s %5s %8s %8s" % ("body", "rows", "RMS", "max"))
    for b in BODIES:
        rms, mx = stats(lon_res[b])
        print("  %-8s %5d %8.2f %8.2f" % (b, len(lon_res[b]), rms, mx))
    print()
    print("Rise/set times, seconds outside the shown (truncated) minute:")
    print("  %-8s %-8s %5s %8s %8s" % ("body", "kind", "count", "RMS", "max"))
    for b in BODIES:
        for k in KINDS:
            v = time_res[(b, k)]
            if v:
                rms, mx = stats(v)
                print("  %-8s %-8s %5d %8.2f %8.2f" % (b, k, len(v), rms, mx))
    print()
    print("Engine minute minus PyEphem's truncated minute: " +
          ", ".join("%+d: %d" % (k, minute_diff[k]) for k in sorted(minute_diff)))
    print()
    print("Azimuth at rising/setting, engine minus PyEphem, arcminutes (RMS / max):")
    for b in BODIES:
        if az_diff[b]:
            rms, mx = stats(az_diff[b])
            print("  %-8s %5d %8.2f %8.2f" % (b, len(az_diff[b]), rms, mx))
    print()
    print("Largest rise/set time residuals (seconds outside the shown minute):")
    for r, text in sorted(worst, reverse=True)[:12]:
        if r > 0:
            print("  %6.1f  %s" % (r, text))
    print()
    print("Disagreements: %d" % len(problems))
    for p in problems:
        print("  " + p)
    return 0


if __name__ == "__main__":
    sys.exit(main())
