#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes src/planets/station_tables.cpp: the retrograde periods of Mercury, Venus, Mars, Jupiter and Saturn.

A station is the moment a planet's geocentric ecliptic longitude speed changes sign: from + to - the
retrograde period begins, from - to + it ends. The speeds come from Swiss Ephemeris through the swetest
program: a daily scan finds the day of each sign change, an hourly and then a minute scan place the
station, to the nearest minute of Universal Time. The tables hold the periods whose begin station lies in
1900 to 2050; the script checks them and exits with an error, writing nothing, when a check fails.

Usage: python3 tools/gen_station_tables.py [--output src/planets/station_tables.cpp]   (or: make tables)
Without --output the source goes to standard output; with it the file is replaced only when every check passes.
"""

import argparse
import concurrent.futures
import datetime
import os
import subprocess
import sys

EPHEMERIS_DIR = os.environ.get("SWE_EPHE_PATH", "/usr/share/libswe/ephe")

# Geometric positions corrected for light time but not for aberration, with the speed swetest computes
# alongside them; these settings reproduce the dates of the reference stations below.
SWETEST_FLAGS = ["-eswe", "-edir" + EPHEMERIS_DIR, "-noaberr", "-ut", "-head", "-fs", "-ep"]

# Julian day of 1900 January 1, 0h UT.
JD_1900 = 2415020.5
EPOCH_1900 = datetime.datetime(1900, 1, 1)

# The daily scan starts half a year early and ends a year late, so that every period that begins in the
# table's years is seen whole.
FIRST_YEAR, LAST_YEAR = 1900, 2050
SCAN_START = datetime.datetime(FIRST_YEAR - 1, 7, 1)
SCAN_END = datetime.datetime(LAST_YEAR + 2, 1, 1)

# swetest stops after 36525 output lines; days per call stay well below that.
DAYS_PER_CALL = 30000

# Name, swetest body number, rows, the first and last periods' begin and end dates (month, day, year),
# and the bounds of the period lengths in whole days elapsed.
PLANETS = [
    ("Mercury", "2", 476, ((3, 15, 1900), (4, 7, 1900)), ((12, 1, 2050), (12, 21, 2050)), (19, 24)),
    ("Venus", "3", 95, ((6, 16, 1900), (7, 30, 1900)), ((9, 25, 2050), (11, 6, 2050)), (40, 43)),
    ("Mars", "4", 71, ((1, 13, 1901), (4, 4, 1901)), ((7, 15, 2050), (9, 13, 2050)), (59, 81)),
    ("Jupiter", "5", 139, ((3, 27, 1900), (7, 29, 1900)), ((12, 21, 2050), (4, 21, 2051)), (116, 124)),
    ("Saturn", "6", 146, ((4, 14, 1900), (9, 2, 1900)), ((5, 18, 2050), (10, 6, 2050)), (133, 141)),
]


class TableError(Exception):
    pass


def julian_day(moment):
    return JD_1900 + (moment - EPOCH_1900) / datetime.timedelta(days=1)


def speeds(body, start, steps, step):
    """Longitude speeds in degrees per day at start, start + step, ... (step is '1' for days, '1m' for minutes)."""
    command = ["swetest", "-p" + body, "-bj%.6f" % julian_day(start), "-n%d" % steps, "-s" + step]
    command += SWETEST_FLAGS
    result = subprocess.run(command, capture_output=True, text=True, check=False)
    lines = result.stdout.split()
    if result.returncode != 0 or len(lines) != steps:
        raise TableError("swetest gave %d values instead of %d: %s\n%s"
                         % (len(lines), steps, " ".join(command), result.stdout[-500:] + result.stderr))
    try:
        return [float(line) for line in lines]
    except ValueError as error:
        raise TableError("unexpected swetest output: %s (%s)" % (error, " ".join(command))) from error


def daily_sign_changes(body):
    """(day, sign after the change) for every day start whose speed sign differs from the next day's."""
    days = (SCAN_END - SCAN_START).days + 1
    values = []
    for first in range(0, days, DAYS_PER_CALL):
        values += speeds(body, SCAN_START + datetime.timedelta(days=first), min(DAYS_PER_CALL, days - first), "1")
    changes = []
    for k in range(days - 1):
        if (values[k] > 0) != (values[k + 1] > 0):
            changes.append((SCAN_START + datetime.timedelta(days=k), values[k + 1] > 0))
    return changes


def sign_change(values):
    """Index k of the one pair values[k], values[k + 1] of opposite signs."""
    crossings = [k for k in range(len(values) - 1) if (values[k] > 0) != (values[k + 1] > 0)]
    if len(crossings) != 1:
        raise TableError("%d sign changes of the speed where one was expected" % len(crossings))
    return crossings[0]


def station_minute(body, day):
    """The moment of the sign change of the speed within the day, to the nearest minute: the day is scanned
    hour by hour, then the hour of the change minute by minute."""
    try:
        hour = sign_change(speeds(body, day, 25, "60m"))
        start = day + datetime.timedelta(hours=hour)
        values = speeds(body, start, 61, "1m")
        m = sign_change(values)
    except TableError as error:
        raise TableError("body %s on %s: %s" % (body, day.date(), error)) from error
    fraction = values[m] / (values[m] - values[m + 1])
    return start + datetime.timedelta(minutes=int(m + fraction + 0.5))


def station_text(moment):
    return "%d,%d,%d,%d,%d," % (moment.month, moment.day, moment.year, moment.hour, moment.minute)


def periods_of(body):
    """(begin, end) moments of every retrograde period whose begin lies in the table's years."""
    changes = daily_sign_changes(body)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count()) as pool:
        moments = list(pool.map(lambda change: station_minute(body, change[0]), changes))
    stations = [(moment, direct) for moment, (_, direct) in zip(moments, changes)]
    periods = []
    for k, (moment, direct) in enumerate(stations):
        if direct or not FIRST_YEAR <= moment.year <= LAST_YEAR:
            continue
        if k + 1 == len(stations) or not stations[k + 1][1]:
            raise TableError("body %s: no end station follows the begin on %s" % (body, moment))
        periods.append((moment, stations[k + 1][0]))
    return periods


def check(name, rows, first, last, lengths, periods):
    def date_of(moment):
        return (moment.month, moment.day, moment.year)

    if len(periods) != rows:
        raise TableError("%s: %d periods instead of %d" % (name, len(periods), rows))
    for k, (begin, end) in enumerate(periods):
        if not begin < end:
            raise TableError("%s row %d: begin %s is not before end %s" % (name, k, begin, end))
        if k > 0 and not periods[k - 1][1] < begin:
            raise TableError("%s row %d: overlaps or precedes the row before" % (name, k))
        days = (end - begin) // datetime.timedelta(days=1)
        if not lengths[0] <= days <= lengths[1]:
            raise TableError("%s row %d: period of %d whole days" % (name, k, days))
    for label, period, expected in (("first", periods[0], first), ("last", periods[-1], last)):
        if (date_of(period[0]), date_of(period[1])) != expected:
            raise TableError("%s %s period on %s / %s, expected the dates %s" % (name, label, *period, expected))


def cpp_source(tables):
    out = [
        "// SPDX-License-Identifier: GPL-3.0-or-later",
        "// Generated by tools/gen_station_tables.py with Swiss Ephemeris (swetest %s); remake with `make tables`."
        % " ".join(flag for flag in SWETEST_FLAGS if not flag.startswith("-edir")),
        "// Retrograde periods whose begin station lies in %d to %d: begin and end station as"
        % (FIRST_YEAR, LAST_YEAR),
        "// \"month,day,year,hour,minute,\" in Universal Time. Do not edit by hand.",
        "",
        "#include \"planets/station_tables.h\"",
        "",
        "namespace halvora {",
        "",
        "namespace {",
    ]
    for name, periods in tables:
        out.append("")
        out.append("constexpr StationPeriod k%sPeriods[] = {" % name)
        for begin, end in periods:
            out.append("    stationPeriod(\"%s\", \"%s\")," % (station_text(begin), station_text(end)))
        out.append("};")
    out += [
        "",
        "}  // namespace",
        "",
        "std::optional<std::span<const StationPeriod>> stationTable(std::string_view planetName) {",
    ]
    for name, _ in tables:
        out.append("  if (planetName == \"%s\") return k%sPeriods;" % (name, name))
    out += ["  return std::nullopt;", "}", "", "}  // namespace halvora", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description="Writes the retrograde station tables as C++ source.")
    parser.add_argument("--output", help="file to write instead of standard output")
    arguments = parser.parse_args()
    try:
        tables = []
        for name, body, rows, first, last, lengths in PLANETS:
            periods = periods_of(body)
            check(name, rows, first, last, lengths, periods)
            tables.append((name, periods))
    except (TableError, OSError) as error:
        print("gen_station_tables.py: %s" % error, file=sys.stderr)
        return 1
    source = cpp_source(tables)
    if arguments.output is None:
        sys.stdout.write(source)
    else:
        with open(arguments.output, "w", encoding="ascii", newline="\n") as file:
            file.write(source)
    return 0


if __name__ == "__main__":
    sys.exit(main())
