// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Julian day numbers, the birth moment in universal time, and the position text of a longitude.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ephemeris/birth_data.h"

namespace halvora {

// The twelve sign abbreviations, three characters each, Aries first.
inline constexpr std::string_view SignAbbreviations = "AriTauGemCanLeoVirLibScoSagCapAquPis";

// Julian Day Number (days counted at noon) of a calendar date; Julian calendar up to
// 1582 October 15 inclusive, Gregorian after it.
double JulianDayNumber(int month, int day, int year);

struct BirthMoment {
  double BirthJDN = 0;        // day number of the local calendar date
  double BirthUT = 0;         // universal time in hours, not brought into 0..24
  double CenturiesJ2000 = 0;  // Julian centuries since 2000 January 1.5
};

// The birth moment in universal time, timed from the local calendar date. Universal time is the
// local clock plus the zone's signed correction, less one hour when daylight saving is ticked.
BirthMoment PrepareBirthMoment(const BirthData& birth, const ZoneCorrection& zone);

// Universal time in hours of the local clock time (not brought into 0..24): the local hours plus
// the zone's signed correction, less one hour under daylight saving.
double UniversalHours(const BirthData& birth, const ZoneCorrection& zone);

// Degrees within the sign, minutes and seconds (all truncated) and the sign abbreviation:
// 123.456789 gives 3° 27' 24" Leo. An angle of 360 or more has an empty sign part.
std::string LongitudeToText(double angleDeg);

// The numbers a position text is written from: the size of the angle cut into whole degrees
// within the sign, minutes and seconds, and its sign index 0..11 (none from 360 on). Nothing for
// an angle whose text is empty (not finite, or 1e15 degrees or more).
struct PositionParts {
  long long degInSign = 0, minutes = 0, seconds = 0;
  std::optional<int> sign;
};
std::optional<PositionParts> PositionPartsOf(double angleDeg);

// Writes a number in plain decimal at `out`, which has room for 20 characters; returns the end.
char* WriteDecimal(char* out, long long value);

}  // namespace halvora
