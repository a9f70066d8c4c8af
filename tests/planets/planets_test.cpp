// SPDX-License-Identifier: GPL-3.0-or-later
// The planets from mean elements, the nodes, and the position and chart texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "ephemeris/calendar.h"
#include "planets/planets.h"

namespace halvora {
namespace {

TEST(DayNumber2000, WorkedMoments) {
  EXPECT_DOUBLE_EQ(DayNumber2000(2000, 1, 1, 12, 0), 0.0);
  EXPECT_NEAR(DayNumber2000(1980, 6, 15, 6, 30), -7139.2291667, 1e-7);
  EXPECT_DOUBLE_EQ(DayNumber2000(2000, 3, 1, 12, 0) - DayNumber2000(2000, 2, 28, 12, 0), 2.0);
}

struct LongitudeRow {
  const char* name;
  int body;
  double d;
  double tropicalDeg;
};

// Geocentric tropical longitudes of the mean-element model (the Sun is the Earth's index).
TEST(PlanetLongitude, WorkedLongitudes) {
  const LongitudeRow rows[] = {
      {"Sun at J2000", Earth, 0, 280.3796},          {"Mercury at J2000", Mercury, 0, 271.9060},
      {"Venus at J2000", Venus, 0, 241.5781},        {"Mars at J2000", Mars, 0, 327.9828},
      {"Jupiter at J2000", Jupiter, 0, 25.3611},     {"Saturn at J2000", Saturn, 0, 40.2147},
      {"Sun in 1980", Earth, -7139.2291667, 84.5838}, {"Mercury in 1980", Mercury, -7139.2291667, 109.0362},
      {"Venus in 1980", Venus, -7139.2291667, 84.6445}, {"Mars in 1980", Mars, -7139.2291667, 166.9384},
      {"Jupiter in 1980", Jupiter, -7139.2291667, 154.0203}, {"Saturn in 1980", Saturn, -7139.2291667, 170.9718},
  };
  for (const auto& r : rows) EXPECT_NEAR(PlanetLongitude(r.body, r.d), r.tropicalDeg, 5e-5) << r.name;
}

TEST(PlanetLongitude, MeanRahuAtJ2000) { EXPECT_NEAR(MeanRahuLongitude(0), 124.1225, 5e-5); }

TEST(KetuLongitude, OppositeRahu) {
  EXPECT_DOUBLE_EQ(KetuLongitude(200), 20);
  EXPECT_DOUBLE_EQ(KetuLongitude(10), 190);
  EXPECT_DOUBLE_EQ(KetuLongitude(180), 360);  // exactly 360 is not reduced
}

TEST(TrueAnomaly, CircularOrbitAndKeplerResidual) {
  EXPECT_NEAR(TrueAnomaly(1.0, 0.0), 1.0, 1e-12);
  // For an eccentric orbit the true anomaly lies ahead of the mean one in the first half.
  const double v = TrueAnomaly(1.0, 0.2);
  EXPECT_GT(v, 1.0);
  EXPECT_LT(v, 3.14159);
  // Back through the eccentric anomaly: M = E - e sin E.
  const double e = 0.2;
  const double ecc = 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(v / 2));
  EXPECT_NEAR(ecc - e * std::sin(ecc), 1.0, 1e-10);
}

TEST(Rev2Pi, BringsAnglesIntoOneTurn) {
  EXPECT_NEAR(Rev2Pi(7.0), 7.0 - 6.28318530717958, 1e-12);
  EXPECT_NEAR(Rev2Pi(-1.0), 6.28318530717958 - 1.0, 1e-12);
  EXPECT_NEAR(Rev2Pi(-13.0), 3 * 6.28318530717958 - 13.0, 1e-12);
  EXPECT_DOUBLE_EQ(Rev2Pi(0.5), 0.5);
}

struct ChartTextRow {
  const char* name;
  double deg;
  const char* position;
  const char* chart;
};

TEST(DmsToChart, PadsDigitsAndKeepsTheSignAtCharactersFourToSix) {
  const ChartTextRow rows[] = {
      {"two digits", 135.515625, "15\u00b0 30' 56\" Leo", "15 Leo 30"},
      {"single digits padded", 127.125, "7\u00b0 7' 30\" Leo", "07 Leo 07"},
      {"small angle", 3.0625, "3\u00b0 3' 45\" Ari", "03 Ari 03"},
      {"truncation on the stored double", 3.05, "3\u00b0 2' 59\" Ari", "03 Ari 02"},
      {"never thirty degrees", 29.99999, "29\u00b0 59' 59\" Ari", "29 Ari 59"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(DegToDms(r.deg), r.position) << r.name;
    EXPECT_EQ(DmsToChart(DegToDms(r.deg)), r.chart) << r.name;
  }
}

TEST(DmsToChart, A360PositionHasNoSign) {
  const std::string chart = DmsToChart(DegToDms(360));
  EXPECT_EQ(chart.find("Ari"), std::string::npos);
  EXPECT_EQ(chart.find("Pis"), std::string::npos);
}

struct LongitudeTextRow {
  const char* name;
  double deg;
  const char* chart;
};

// The chart text of a longitude is the chart text of its position text, whatever the angle.
TEST(ChartTextOfLongitude, IsTheChartTextOfThePositionText) {
  const double inf = std::numeric_limits<double>::infinity();
  const LongitudeTextRow rows[] = {
      {"zero", 0, "00 Ari 00"},
      {"negative angle uses its size", -15.5, "15 Ari 30"},
      {"single digits padded", 127.125, "07 Leo 07"},
      {"last second of the circle", 359.99999, "29 Pis 59"},
      {"just below a sign's end", 30 - 1e-12, "29 Ari 59"},
      {"360 shows its seconds where the sign was", 360, "00 0\" 00"},
      {"past the circle", 725.25, "05 0\" 15"},
      {"two-digit seconds past the circle: the last of them", 400.2575, "10 6\" 15"},
      {"a huge angle has an empty text", 1e15, "0  0"},
      {"infinity", inf, "0  0"},
      {"not a number", std::numeric_limits<double>::quiet_NaN(), "0  0"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ChartTextOfLongitude(r.deg), r.chart) << r.name;
    EXPECT_EQ(ChartTextOfLongitude(r.deg), DmsToChart(LongitudeToText(r.deg))) << r.name;
  }
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> angle(-800, 800);
  for (int i = 0; i < 20000; ++i) {
    const double deg = angle(rng);
    ASSERT_EQ(ChartTextOfLongitude(deg), DmsToChart(LongitudeToText(deg))) << deg;
  }
}

TEST(WriteDecimal, PlainDecimalOfAnyWholeNumber) {
  const std::pair<long long, const char*> rows[] = {
      {0, "0"}, {7, "7"}, {10, "10"}, {-5, "-5"}, {9223372036854775807LL, "9223372036854775807"},
      {std::numeric_limits<long long>::min(), "-9223372036854775808"}};
  for (const auto& [value, text] : rows) {
    char buf[24];
    EXPECT_EQ(std::string(buf, WriteDecimal(buf, value)), text);
  }
}

PlanetPassInput passAt(LocalDateTime moment, ZoneCorrection zone, PlanetPassMode mode = PlanetPassMode::Birth) {
  return {mode, moment, zone, -23.85, "2\u00b0 23' 2\" Lib", "23\u00b0 54' 0\" Pis"};
}

TEST(CalcPlanets, ZoneCorrectionCarriesTheDate) {
  // 02:10 local, 5 h 30 east: 20:40 UT of the previous day.
  const PlanetPass local = CalcPlanets(passAt({2000, 1, 2, 2, 10, 0}, {-5, -30}));
  const PlanetPass ut = CalcPlanets(passAt({2000, 1, 1, 20, 40, 0}, {0, 0}));
  EXPECT_EQ(local.PlanetTexts, ut.PlanetTexts);
  EXPECT_EQ(local.RahuText, ut.RahuText);
}

TEST(CalcPlanets, ChartPositionsInTheirOrder) {
  const PlanetPass p = CalcPlanets(passAt({2000, 1, 1, 12, 0, 0}, {0, 0}));
  EXPECT_EQ(p.chartPositions[0], DmsToChart(p.PlanetTexts[Earth]));
  EXPECT_EQ(p.chartPositions[1], "02 Lib 23");
  EXPECT_EQ(p.chartPositions[2], DmsToChart(p.PlanetTexts[Mercury]));
  EXPECT_EQ(p.chartPositions[6], DmsToChart(p.PlanetTexts[Saturn]));
  EXPECT_EQ(p.chartPositions[7], DmsToChart(p.RahuText));
  EXPECT_EQ(p.chartPositions[8], DmsToChart(p.KetuText));
  EXPECT_EQ(p.chartPositions[9], "23 Pis 54");
  // Sun at J2000: 280.3796 tropical less 23.85 = 256.53 sidereal, in Sagittarius.
  EXPECT_EQ(p.chartPositions[0], "16 Sag 31");
  EXPECT_FALSE(p.sunriseSun.has_value());
}

TEST(CalcPlanets, SunriseModeGivesTheSunsLongitude) {
  const PlanetPass p = CalcPlanets(passAt({2000, 1, 1, 12, 0, 0}, {0, 0}, PlanetPassMode::Sunrise));
  ASSERT_TRUE(p.sunriseSun.has_value());
  EXPECT_NEAR(p.sunriseSun->SunriseSunLongitude, 280.3796 - 23.85, 5e-5);
  EXPECT_EQ(p.sunriseSun->SunriseSunText, p.chartPositions[0]);
}

// The two lean passes give what the full pass gives, to the last bit, over moments across the
// years of the tables and zones on both sides of Greenwich.
TEST(CalcPlanets, LeanPassesGiveWhatTheFullPassGives) {
  std::mt19937_64 rng(11);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < 500; ++i) {
    const LocalDateTime moment{pick(1901, 2050), pick(1, 12), pick(1, 28), pick(0, 23), pick(0, 59), 0};
    const int zoneHours = pick(-12, 12);
    PlanetPassInput in{PlanetPassMode::Birth, moment, {zoneHours, zoneHours < 0 ? -30 : 30 * pick(0, 1)},
                       -22.0 - pick(0, 2000) / 1000.0, "2\u00b0 23' 2\" Lib", "23\u00b0 54' 0\" Pis",
                       pick(0, 1) == 1};
    SCOPED_TRACE(i);
    EXPECT_EQ(CalcChartPositions(in), CalcPlanets(in).chartPositions);
    in.mode = PlanetPassMode::Sunrise;
    const PlanetPass full = CalcPlanets(in);
    const SunriseSun lean = CalcSunriseSun(in);
    ASSERT_TRUE(full.sunriseSun.has_value());
    EXPECT_EQ(lean.SunriseSunLongitude, full.sunriseSun->SunriseSunLongitude);
    EXPECT_EQ(lean.SunriseSunText, full.sunriseSun->SunriseSunText);
  }
}

}  // namespace
}  // namespace halvora
