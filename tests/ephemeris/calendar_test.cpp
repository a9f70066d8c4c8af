// SPDX-License-Identifier: GPL-3.0-or-later
// Julian day numbers, the birth moment in universal time and the position text.
#include <gtest/gtest.h>

#include "ephemeris/calendar.h"
#include "ephemeris/date_time.h"
#include "support/births.h"

namespace halvora {
namespace {

struct JdnRow {
  const char* name;
  int month, day, year;
  double jdn;
};

TEST(JulianDayNumber, WorkedDatesAndTheCalendarSwitch) {
  const JdnRow rows[] = {
      {"J2000", 1, 1, 2000, 2451545},          {"eve of 2000", 12, 31, 1999, 2451544},
      {"1900", 1, 1, 1900, 2415021},           {"New Delhi birth", 2, 22, 2011, 2455615},
      {"start of the count", 1, 1, -4712, 0},  {"last Julian day", 10, 4, 1582, 2299160},
      {"first Gregorian day", 10, 16, 1582, 2299162},
      // The Julian reckoning of 15 October gives exactly the threshold, so it stays Julian.
      {"threshold stays Julian", 10, 15, 1582, 2299171},
  };
  for (const auto& r : rows) EXPECT_EQ(JulianDayNumber(r.month, r.day, r.year), r.jdn) << r.name;
}

TEST(JulianDayNumber, FollowsTheGregorianCalendarDayByDayFrom1583To2100) {
  constexpr double kJdnOf1970 = 2440588;
  for (LocalDateTime t{1583, 1, 1}; t.year <= 2100; t = addDays(t, 1)) {
    ASSERT_EQ(JulianDayNumber(t.month, t.day, t.year), kJdnOf1970 + daysFromCivil(t.year, t.month, t.day))
        << t.year << "-" << t.month << "-" << t.day;
  }
}

BirthData birthAt(int hour, int minute, int lonDeg, int lonMin, bool east, bool dst) {
  return testing_support::makeBirth(
      {.hour = hour, .minute = minute, .lonDeg = lonDeg, .lonMin = lonMin, .east = east, .dst = dst});
}

struct MomentRow {
  const char* name;
  BirthData birth;
  ZoneCorrection zone;
  double ut;
};

TEST(PrepareBirthMoment, UniversalTimeFromTheSignedZoneAndDaylightSaving) {
  const MomentRow rows[] = {
      {"east after midnight goes below zero", birthAt(1, 0, 77, 13, true, false), {-5, -30}, -4.5},
      {"west adds the zone", birthAt(6, 30, 74, 0, false, false), {5, 0}, 11.5},
      {"daylight saving in the west lowers the zone", birthAt(6, 30, 74, 0, false, true), {5, 0}, 10.5},
      {"daylight saving in the east raises the zone", birthAt(12, 0, 77, 13, true, true), {-5, -30}, 5.5},
      // The zone's own sign gives the direction, whatever side of Greenwich the place lies on.
      {"Madrid on Central European Time", birthAt(12, 0, 3, 42, false, false), {-1, 0}, 11.0},
      {"west African zone east of Greenwich", birthAt(12, 0, 5, 0, true, false), {1, 0}, 13.0},
      {"zero longitude marked east", birthAt(12, 0, 0, 0, true, true), {1, 0}, 12.0},
      {"Samoa on the date line's east side", birthAt(20, 0, 171, 45, false, false), {-13, 0}, 7.0},
  };
  for (const auto& r : rows) EXPECT_DOUBLE_EQ(PrepareBirthMoment(r.birth, r.zone).BirthUT, r.ut) << r.name;
}

TEST(PrepareBirthMoment, CenturiesCountFromTheLocalDate) {
  const BirthMoment noon = PrepareBirthMoment(birthAt(12, 0, 0, 0, false, false), ZoneCorrection{});
  EXPECT_EQ(noon.BirthJDN, 2451545);
  EXPECT_DOUBLE_EQ(noon.CenturiesJ2000, 0.0);
  // 01:00 local, 5 h 30 east: the previous UT evening, without any change of the date.
  const BirthMoment early = PrepareBirthMoment(birthAt(1, 0, 77, 13, true, false), ZoneCorrection{-5, -30});
  EXPECT_EQ(early.BirthJDN, 2451545);
  EXPECT_NEAR(early.CenturiesJ2000, (-4.5 / 24 - 0.5) / 36525, 1e-15);
}

struct TextRow {
  const char* name;
  double angle;
  const char* text;
};

TEST(LongitudeToText, TruncatedPartsAndTheSign) {
  const TextRow rows[] = {
      {"zero", 0, "0\u00b0 0' 0\" Ari"},
      {"half degree", 15.5, "15\u00b0 30' 0\" Ari"},
      {"negative angle uses its size", -15.5, "15\u00b0 30' 0\" Ari"},
      {"never rounds up to the next sign", 29.999, "29\u00b0 59' 56\" Ari"},
      {"within Leo", 123.456789, "3\u00b0 27' 24\" Leo"},
      {"end of the circle", 359.99999, "29\u00b0 59' 59\" Pis"},
      {"360 has no sign", 360, "0\u00b0 0' 0\" "},
  };
  for (const auto& r : rows) EXPECT_EQ(LongitudeToText(r.angle), r.text) << r.name;
}

TEST(LongitudeToText, SignAbbreviationIsAlwaysTheLastThreeCharacters) {
  for (int k = 0; k < 12; ++k) {
    const std::string text = LongitudeToText(30.0 * k + 17.25);
    EXPECT_EQ(text.substr(text.size() - 3), SignAbbreviations.substr(static_cast<std::size_t>(k) * 3, 3)) << k;
  }
}

}  // namespace
}  // namespace halvora
