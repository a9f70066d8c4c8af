// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's ayanamsa, its sidereal longitude and the start of its nakshatra.
#include <gtest/gtest.h>

#include "ephemeris/moon.h"
#include "support/births.h"

namespace halvora {
namespace {

TEST(MoonAyanamsa, WorkedValues) {
  EXPECT_NEAR(MoonAyanamsa(0), -23.85350, 5e-6);
  EXPECT_NEAR(MoonAyanamsa(0.11), -24.0158, 5e-5);
}

struct NakshatraRow {
  const char* name;
  double longitude;
  double start;
};

TEST(NakshatraStartOf, CountsWholeArcsButReadsTheThirteenPointThreeThreeTable) {
  const NakshatraRow rows[] = {
      {"first", 0.0, 0.0},
      {"just below 13 deg 20 min", 13.332, 0.0},
      {"just above 13 deg 20 min", 13.3334, 13.33},
      // 346.6 lies in the 26th whole arc; its start in the table is 333.25, more than a step away.
      {"table lags the arcs", 346.6, 333.25},
      {"last", 359.9, 346.58},
  };
  for (const auto& r : rows) EXPECT_DOUBLE_EQ(NakshatraStartOf(r.longitude), r.start) << r.name;
}

TEST(NakshatraStarts, StepsOfThirteenPointThreeThree) {
  for (std::size_t k = 0; k < NakshatraStarts.size(); ++k) EXPECT_NEAR(NakshatraStarts[k], 13.33 * k, 1e-9) << k;
}

TEST(MoonPass, NewDelhi2011) {
  const BirthData b = testing_support::newDelhiBirth();
  const MoonResult m = MoonPass(b, ZoneCorrection{-5, -30});
  EXPECT_NEAR(m.MoonLongitudeDeg, 182.38398746120308, 1e-9);
  EXPECT_EQ(m.MoonText, "2\u00b0 23' 2\" Lib");
  EXPECT_DOUBLE_EQ(m.MoonNakshatraStart, 173.29);
}

TEST(MoonPass, LongitudeStaysBelow360ForEveryYearOfTheLists) {
  BirthData b;
  b.IsEast = true;
  for (int year = 1901; year <= 2050; ++year) {
    for (int month = 1; month <= 12; ++month) {
      b.BirthYear = static_cast<std::int16_t>(year);
      b.BirthMonth = static_cast<std::int16_t>(month);
      const MoonResult m = MoonPass(b, ZoneCorrection{});
      ASSERT_GE(m.MoonLongitudeDeg, 0) << year << "/" << month;
      ASSERT_LT(m.MoonLongitudeDeg, 360) << year << "/" << month;
      ASSERT_LE(m.MoonNakshatraStart, m.MoonLongitudeDeg) << year << "/" << month;
    }
  }
}

}  // namespace
}  // namespace halvora
