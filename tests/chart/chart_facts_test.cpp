// SPDX-License-Identifier: GPL-3.0-or-later
// The facts block under the details: the zone and daylight saving, the sunrise used, the Sree
// Lagna's degree and house, the Moon's degree, nakshatra and pada.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "chart/chart_facts.h"
#include "chart/chart_request.h"
#include "ephemeris/moon.h"
#include "planets/position_model.h"
#include "support/births.h"
#include "support/chart_of.h"

namespace halvora {
namespace {

using testing_support::chartOf;

FormInput form(int month, int day, int year, int hour, int minute, const char* latDeg, const char* latMin, bool north,
               const char* lonDeg, const char* lonMin, bool east, int zone, bool dst) {
  return testing_support::typedForm({.year = year, .month = month, .day = day, .hour = hour, .minute = minute,
                                     .latDeg = latDeg, .latMin = latMin, .north = north, .lonDeg = lonDeg,
                                     .lonMin = lonMin, .east = east, .zone = zone, .dst = dst});
}

// Pune, 15 March 1980, 9:05 on "Indian Time, IST, +5.3", 18°31′ N 73°51′ E. The Moon pass gives
// 307.9184°: Aquarius 7°55′; 307.9184 × 60 / 800 = 23.09 whole arcs of 13°20′ (the 24th
// nakshatra, Shatabhisha, from 306°40′) and 307.9184 × 60 / 200 = 92.37 quarters, 92 = 4 × 23, so
// the first pada. The Sree Lagna is 49.9622°, Taurus 19°57′, second from the ascendant in Aries.
FormInput pune() { return form(3, 15, 1980, 9, 5, "18", "31", true, "73", "51", true, 34, false); }

TEST(ChartFacts, LinesOfWholeCharts) {
  FormInput kathmandu = form(3, 15, 1980, 9, 5, "27", "42", true, "85", "19", true, kCustomZonePosition, false);
  kathmandu.customZone = CustomZone{"Local clock of Kathmandu, +5:45", -5, -45};
  const struct Row {
    const char* name;
    FormInput form;
    const char* zone;       // nullptr: not looked at in this row
    const char* sunrise;
    const char* sreeLagna;
    const char* moon;
  } rows[] = {
      {"Pune, the worked example", pune(), "Zone: Indian Time, IST, +5:30; no daylight saving",
       "Sunrise used: March 15, 1980, 6:43", "Sree Lagna: 19°57′ Taurus, house 2",
       "Moon: 7°55′ Aquarius, nakshatra Shatabhisha, pada 1"},
      {"the entry after the rows stands as it is", kathmandu, "Zone: Local clock of Kathmandu, +5:45; no daylight saving",
       nullptr, nullptr, nullptr},
      // New York, 4 July 1990, 10:00 on Eastern Standard Time with the box ticked: the clock ran at -4:00.
      {"daylight saving ticked", form(7, 4, 1990, 10, 0, "40", "43", true, "74", "0", false, 27, true),
       "Zone: Eastern Standard Time, EST, -5:00; daylight saving, clock -4:00", nullptr, nullptr, nullptr},
      // The row text writes half an hour as ".5" here and as ".3" for India; the row's numbers say 30 minutes.
      {"a half-hour row west of Greenwich", form(7, 4, 1990, 10, 0, "21", "18", true, "157", "51", false, 32, false),
       "Zone: Hawaiian Standard Time, HST, -10:30; no daylight saving", nullptr, nullptr, nullptr},
      {"Greenwich", form(1, 14, 2000, 12, 0, "51", "30", true, "0", "7", false, 29, false),
       "Zone: Greenwich Mean Time, GMT, +0:00; no daylight saving", nullptr, nullptr,
       // 358.938°: past 356°40′, the start of Revati's last quarter.
       "Moon: 28°56′ Pisces, nakshatra Revati, pada 4"},
      // 70° N 25° E on Central European Time: 17 January 2024 has no sunrise, the 18th its first
      // (11:19 to 11:57), the 19th rises at 10:55.
      {"polar night: the day before has no sunrise", form(1, 18, 2024, 6, 0, "70", "0", true, "25", "0", true, 20, false),
       "Zone: Central European Time, CET, +1:00; no daylight saving", "Sunrise used: none, polar night on January 17, 2024",
       nullptr, nullptr},
      // Midsummer there: the Sun does not set. The Moon at 295.68° is 22.18 arcs of 13°20′ and
      // 88.7 quarters: Dhanishta (from 293°20′), its first pada.
      {"polar day", form(6, 21, 2000, 12, 0, "70", "0", true, "25", "0", true, 20, false), nullptr,
       "Sunrise used: none, polar day on June 21, 2000", nullptr, "Moon: 25°41′ Capricorn, nakshatra Dhanishta, pada 1"},
      {"after the first sunset: the next sunrise", form(1, 18, 2024, 12, 0, "70", "0", true, "25", "0", true, 20, false),
       nullptr, "Sunrise used: January 19, 2024, 10:55", nullptr, nullptr},
  };
  for (const Row& r : rows) {
    const ChartFacts facts = FactsOf(chartOf(r.form));
    if (r.zone) {
      EXPECT_EQ(facts.zone, r.zone) << r.name;
    }
    if (r.sunrise) {
      EXPECT_EQ(facts.sunrise, r.sunrise) << r.name;
    }
    if (r.sreeLagna) {
      EXPECT_EQ(facts.sreeLagna, r.sreeLagna) << r.name;
    }
    if (r.moon) {
      EXPECT_EQ(facts.moon, r.moon) << r.name;
    }
  }
}

// The lines read the chart's own values, whichever model computed them: Swiss Ephemeris (Lahiri)
// puts the Moon of Chennai, 7 December 1996, 10:34 IST, 13°05′ N 80°17′ E at Libra 6°57′33″ and
// the Sree Lagna at Aquarius 0°21′13″ (swetest; the model's own tests hold these figures).
TEST(ChartFacts, TakeTheChartsOwnModelsValues) {
  auto opened = OpenPositionModel({EphemerisKind::Swiss, AyanamsaKind::Lahiri, NodeKind::Mean}, {});
  ASSERT_TRUE(std::holds_alternative<std::shared_ptr<const PositionModel>>(opened)) << std::get<std::string>(opened);
  const auto& model = *std::get<std::shared_ptr<const PositionModel>>(opened);
  const ChartRequestOutcome outcome =
      RunChartRequest(form(12, 7, 1996, 10, 34, "13", "05", true, "80", "17", true, 34, false), model);
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
  const ChartFacts facts = FactsOf(std::get<ChartResult>(outcome));
  EXPECT_EQ(facts.sreeLagna, "Sree Lagna: 0°21′ Aquarius, house 2");
  // 186.959° lies past Swati's start, 186°40′, by less than a quarter of 3°20′.
  EXPECT_EQ(facts.moon, "Moon: 6°57′ Libra, nakshatra Swati, pada 1");
}

TEST(ChartFacts, DegreesAreCutToTheMinute) {
  ChartResult chart = chartOf(pune());
  const struct {
    const char* name;
    double moonDeg;
    const char* moon;
  } rows[] = {
      {"a second short of the next minute", 307.0 + 59.0 / 60 + 59.9 / 3600, "Moon: 7°59′ Aquarius, nakshatra Shatabhisha, pada 1"},
      {"the first point of Aries", 0.0, "Moon: 0°0′ Aries, nakshatra Ashwini, pada 1"},
      {"the last minute of Pisces", 359.0 + 59.5 / 60, "Moon: 29°59′ Pisces, nakshatra Revati, pada 4"},
  };
  for (const auto& r : rows) {
    chart.moon.MoonLongitudeDeg = r.moonDeg;
    EXPECT_EQ(FactsOf(chart).moon, r.moon) << r.name;
  }
}

TEST(NakshatraPadaOf, CountsArcsOf13Deg20MinAndTheirQuarters) {
  const struct {
    const char* name;
    double deg;
    std::optional<NakshatraPada> expected;
  } rows[] = {
      {"the first point of Aries", 0.0, NakshatraPada{0, 1}},
      {"just below the first quarter's end, 3°20′", 3.3333, NakshatraPada{0, 1}},
      {"just past it", 3.33334, NakshatraPada{0, 2}},
      {"Ashwini's last quarter", 13.332, NakshatraPada{0, 4}},
      {"Bharani begins at 13°20′, not at the table's 13.33", 13.3334, NakshatraPada{1, 1}},
      {"the Moon pass's 346.6: Uttara Bhadrapada, counted by whole arcs", 346.6, NakshatraPada{25, 4}},
      {"Revati begins at 346°40′", 346.6667, NakshatraPada{26, 1}},
      {"Revati's last quarter begins at 356°40′", 356.6667, NakshatraPada{26, 4}},
      {"the last of the circle", std::nextafter(360.0, 0.0), NakshatraPada{26, 4}},
      {"a full turn has none", 360.0, std::nullopt},
      {"below zero has none", -0.001, std::nullopt},
      {"not a number has none", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(NakshatraPadaOf(r.deg), r.expected) << r.name;
}

TEST(NakshatraPadaOf, FindsTheNakshatraTheMoonPassStartsFrom) {
  // Every 0.01° of the circle and both sides of every boundary.
  for (int step = 0; step < 36000; ++step) {
    for (double deg : {step / 100.0, (step / 100.0) * (1 + 1e-15)}) {
      const auto place = NakshatraPadaOf(deg);
      if (deg >= 360) continue;
      ASSERT_TRUE(place.has_value()) << deg;
      EXPECT_EQ(NakshatraStarts[static_cast<std::size_t>(place->nakshatra)], NakshatraStartOf(deg)) << deg;
      EXPECT_GE(place->pada, 1) << deg;
      EXPECT_LE(place->pada, 4) << deg;
    }
  }
  EXPECT_EQ(kNakshatraNames.front(), "Ashwini");
  EXPECT_EQ(kNakshatraNames[23], "Shatabhisha");
  EXPECT_EQ(kNakshatraNames.back(), "Revati");
}

}  // namespace
}  // namespace halvora
