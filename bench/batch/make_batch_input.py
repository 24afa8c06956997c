#!/usr/bin/env python3
"""Writes a batch input file of N lines (month-first dates, "/" separator) to standard output.

The lines cover dates from 1900 to 2100, both time notations, zones east and west and places
on every continent; the same N always gives the same file.
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
    return f'"{name}",entry{number},{month}/{day}/{year},{time},{zone},{longitude},{latitude}'


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 2000
    rng = random.Random(20010314)
    out = sys.stdout.buffer
    for number in range(1, count + 1):
        out.write(line(rng, number).encode("ascii") + b"\r\n")


if __name__ == "__main__":
    main()
