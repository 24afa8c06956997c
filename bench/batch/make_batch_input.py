#!/usr/bin/env python3
"""Writes a batch input file of N lines (month-first dates, "/" separator) to standard output.

The lines cover dates from 1900 to 2100, both time notations, zones east and west and places
on every continent; the same N always gives the same file.

With a second argument, also writes to that file the same moments and places plainly, one line
each, for programs that read no batch file:
    YEAR MONTH DAY HOUR MINUTE ZONE_MINUTES_WEST LONGITUDE_EAST LATITUDE_NORTH ZONE LON LAT
the first eight as numbers (degrees, the local clock on standard time), the last three as
the batch line writes them.
"""
import random
import sys

PLACES = [
    ("Minneapolis", "6", "93W16", "44N59"),
    ("New York", "5", "74W00", "40N43"),
    ("London", "0", "0W07", "51N30"),
    ("Cairo", "-2", "31E14", "30N03"),
    ("Delhi", "-5:30", "77E13", "28N37"),
    ("Sydney", "-10", "151E12", "33S52"),
    ("Lima", "5", "77W03", "12S03"),
    ("Tromso", "-1", "18E57", "69N39"),
]


def degrees(text, negative):
    """93W16 -> -93.2667 when W is the negative letter."""
    for letter in "NSEW":
        if letter in text:
            whole, minutes = text.split(letter)
            value = int(whole) + int(minutes) / 60
            return -value if letter == negative else value
    raise ValueError(text)


def zone_minutes(zone):
    sign = -1 if zone.startswith("-") else 1
    hours, _, minutes = zone.lstrip("-").partition(":")
    return sign * (int(hours) * 60 + int(minutes or 0))


def line(rng, number):
    name, zone, longitude, latitude = rng.choice(PLACES)
    year = rng.randint(1900, 2100)
    month = rng.randint(1, 12)
    day = rng.randint(1, 28)
    hour = rng.randint(0, 23)
    minute = rng.randint(0, 59)
    if rng.random() < 0.5:
        time = f"{hour}:{minute:02d}"
    else:
        time = f"{(hour + 11) % 12 + 1}:{minute:02d}{'PM' if hour >= 12 else 'AM'}"
    batch = f'"{name}",entry{number},{month}/{day}/{year},{time},{zone},{longitude},{latitude}'
    plain = (f"{year} {month} {day} {hour} {minute} {zone_minutes(zone)} "
             f"{degrees(longitude, 'W'):.6f} {degrees(latitude, 'S'):.6f} "
             f"{zone} {longitude} {latitude}")
    return batch, plain


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 2000
    moments = open(sys.argv[2], "w", encoding="ascii") if len(sys.argv) > 2 else None
    rng = random.Random(20010314)
    out = sys.stdout.buffer
    for number in range(1, count + 1):
        batch, plain = line(rng, number)
        out.write(batch.encode("ascii") + b"\r\n")
        if moments:
            moments.write(plain + "\n")
    if moments:
        moments.close()


if __name__ == "__main__":
    main()
