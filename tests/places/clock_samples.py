#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes clock_samples.tsv: the clocks of the atlas's time zones at sample local times, read with
Python's zoneinfo from the system's tzdata, for the clock tests to compare against.

Usage: python3 clock_samples.py ZONES.txt > data/clock_samples.tsv
ZONES.txt lists one zone name a line (the distinct zones of the atlas's places).

For every zone: three random local times from 1880 to 2037, and local times inside up to three
random gaps or repeats (found by scanning the zone's offset week by week and bisecting to the second).
Columns: zone year month day hour minute status offset0 abbr0 dst0 offset1 abbr1 dst1, where status is
ok, gap or repeat; for a gap the 0 columns are the clock before the jump and the 1 columns after it,
for a repeat the first and the second occurrence (fold=0 and fold=1); dst is dst() in seconds.
"""
import random
import sys
from datetime import datetime, timedelta, timezone
from zoneinfo import ZoneInfo

START = datetime(1880, 1, 1, tzinfo=timezone.utc)
END = datetime(2037, 12, 1, tzinfo=timezone.utc)
WEEK = timedelta(days=7)


def offset_at(tz, utc):
    return utc.astimezone(tz).utcoffset()


def transitions(tz):
    """UTC instants (to the second) where the zone's offset changes, with the offsets around them."""
    found = []
    t = START
    before = offset_at(tz, t)
    while t < END:
        nxt = t + WEEK
        after = offset_at(tz, nxt)
        if after != before:
            lo, hi = t, nxt
            while hi - lo > timedelta(seconds=1):
                mid = lo + (hi - lo) / 2
                mid = mid.replace(microsecond=0)
                if mid <= lo:
                    break
                if offset_at(tz, mid) == before:
                    lo = mid
                else:
                    hi = mid
            found.append((hi, before, offset_at(tz, hi)))
        t, before = nxt, after
    return found


def classify(tz, wall):
    d0 = wall.replace(tzinfo=tz, fold=0)
    d1 = wall.replace(tzinfo=tz, fold=1)
    if d0.utcoffset() == d1.utcoffset():
        return "ok", d0, d0
    exists = d0.astimezone(timezone.utc).astimezone(tz).replace(tzinfo=None) == wall
    return ("repeat" if exists else "gap"), d0, d1


def row(zone, tz, wall):
    status, a, b = classify(tz, wall)
    cols = [zone, wall.year, wall.month, wall.day, wall.hour, wall.minute, status]
    for d in (a, b):
        cols += [int(d.utcoffset().total_seconds()), d.tzname(), int(d.dst().total_seconds())]
    return "\t".join(str(c) for c in cols)


def main():
    zones = [line.strip() for line in open(sys.argv[1]) if line.strip()]
    print("# zone year month day hour minute status offset0 abbr0 dst0 offset1 abbr1 dst1")
    try:
        version = open("/usr/share/zoneinfo/tzdata.zi").readline().split()[-1]
    except OSError:
        version = "unknown"
    print(f"# Python {sys.version.split()[0]} zoneinfo, tzdata {version}")
    for zone in zones:
        tz = ZoneInfo(zone)
        rng = random.Random(zone)
        span = int((END - START).total_seconds() // 60)
        for _ in range(3):
            wall = (START + timedelta(minutes=rng.randrange(span))).replace(tzinfo=None)
            print(row(zone, tz, wall))
        jumps = transitions(tz)
        for at, before, after in rng.sample(jumps, min(3, len(jumps))):
            low = at + min(before, after)
            high = at + max(before, after)
            # The first whole minute inside the local span of the jump, if the jump is that long.
            minute = low.replace(second=0, microsecond=0)
            if minute < low:
                minute += timedelta(minutes=1)
            if minute < high:
                print(row(zone, tz, minute.replace(tzinfo=None)))


if __name__ == "__main__":
    main()
