// SPDX-License-Identifier: GPL-3.0-or-later
// The ascendant pass and the ayanamsa of the planets.
#include <gtest/gtest.h>

#include "planets/ascendant.h"
#include "support/births.h"

namespace halvora {
namespace {

TEST(ArcTan2, Quadrants) {
  constexpr double kPi = 3.14159265358979;
  struct Row {
    const char* name;
    double y, x, expected;
  } rows[] = {
      {"first quadrant", 1, 1, kPi / 4},     {"second quadrant", 1, -1, kPi - kPi / 4},
      {"third quadrant", -1, -1, -(kPi - kPi / 4)}, {"fourth quadrant", -1, 1, -kPi / 4},
      {"straight up", 2, 0, kPi / 2},        {"straight down", -2, 0, -kPi / 2},
      {"origin", 0, 0, 0},                   {"negative x axis has sign 0", 0, -1, 0},
  };
  for (const auto& r : rows) EXPECT_NEAR(ArcTan2(r.y, r.x), r.expected, 1e-14) << r.name;
}

TEST(Norm360, OneStepEachWayAnd360Stays) {
  struct Row {
    double in, out;
  } rows[] = {{-10, 350}, {370, 10}, {360, 360}, {0, 0}, {725, 365}};
  for (const auto& r : rows) {
    double x = r.in;
    EXPECT_DOUBLE_EQ(Norm360(x), r.out) << r.in;
    EXPECT_DOUBLE_EQ(x, r.out) << r.in << ": the argument is updated too";
  }
}

TEST(CalcAyanamsa, AtTheEpochAndOneCenturyLater) {
  EXPECT_NEAR(CalcAyanamsa(0), -22.4663, 5e-5);
  EXPECT_NEAR(CalcAyanamsa(1), -23.8540, 5e-5);
}

BirthData birth(int y, int m, int d, int hour, int minute, int zoneH, int zoneM, int lonDeg, int lonMin, bool east,
                int latDeg, int latMin, bool dst) {
  return testing_support::makeBirth({y, m, d, hour, minute, zoneH, zoneM, lonDeg, lonMin, east, latDeg, latMin, false, dst});
}

// The worked examples give the zone as a distance from Greenwich on the side of the birth place.
AscendantResult ascendantOf(const BirthData& b) {
  const int sign = b.IsEast ? -1 : 1;
  return CalcAscendant(b, ZoneCorrection{sign * b.ZoneHours, sign * b.ZoneMinutes});
}

TEST(CalcAscendant, NoonAtGreenwichIsOneCenturyAfter1900) {
  const AscendantResult r = ascendantOf(birth(2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false));
  EXPECT_DOUBLE_EQ(r.CenturiesSince1900, 1.0);
  EXPECT_NEAR(r.AyanamsaDeg, -23.8540, 5e-5);
}

TEST(CalcAscendant, WorkedExampleEast) {
  const AscendantResult r = ascendantOf(birth(2000, 1, 1, 12, 0, 5, 30, 77, 13, true, 28, 39, false));
  EXPECT_NEAR(r.CenturiesSince1900, 0.9999937, 5e-8);
  EXPECT_NEAR(r.AyanamsaDeg, -23.85398, 5e-6);
  EXPECT_NEAR(r.AscendantDeg, 343.2082, 5e-5);
  EXPECT_EQ(r.AscendantDegInt, 343);
  EXPECT_EQ(r.AscendantText, "13\u00b0 12' 29\" Pis");
}

TEST(CalcAscendant, WorkedExampleWestWithDaylightSaving) {
  const AscendantResult r = ascendantOf(birth(1980, 6, 15, 6, 30, 5, 0, 74, 0, false, 40, 43, true));
  EXPECT_NEAR(r.CenturiesSince1900, 0.8045431, 5e-8);
  EXPECT_NEAR(r.AyanamsaDeg, -23.58186, 5e-6);
  EXPECT_NEAR(r.AscendantDeg, 74.6783, 5e-5);
  EXPECT_EQ(r.AscendantDegInt, 74);
}

TEST(CalcAscendant, EasternBirthAfterMidnightStaysOnItsDate) {
  // 02:10 with 5 h 30 east: UT -3.3333 h on the same day number, i.e. the previous evening.
  const AscendantResult early = ascendantOf(birth(2000, 1, 2, 2, 10, 5, 30, 77, 13, true, 28, 39, false));
  const AscendantResult evening = ascendantOf(birth(2000, 1, 1, 20, 40, 0, 0, 0, 0, false, 28, 39, false));
  EXPECT_NEAR(early.CenturiesSince1900, evening.CenturiesSince1900, 1e-12);
}

TEST(CalcAscendant, AscendantAlwaysWithinTheCircle) {
  for (int hour = 0; hour < 24; ++hour) {
    for (int lat : {0, 30, 60, 89}) {
      const AscendantResult r = ascendantOf(birth(1975, 12, 25, hour, 40, 10, 0, 151, 12, true, lat, 52, false));
      EXPECT_GE(r.AscendantDeg, 0) << hour << " " << lat;
      EXPECT_LE(r.AscendantDeg, 360) << hour << " " << lat;
      EXPECT_EQ(r.AscendantText.substr(r.AscendantText.size() - 3).size(), 3u);
    }
  }
}

}  // namespace
}  // namespace halvora
