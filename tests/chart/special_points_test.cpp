// SPDX-License-Identifier: GPL-3.0-or-later
// The special points: arudha padas, time-rate points, indu, varnada, Sree Lagna and pranapada.
#include <gtest/gtest.h>

#include <limits>

#include "chart/rashi_chart.h"
#include "chart/special_points.h"
#include "ephemeris/calendar.h"

namespace halvora {
namespace {

PlanetLabels plainLabels() {
  PlanetLabels labels;
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = kPlainPlanetLabels[i];
  return labels;
}

TEST(SreeLagnaDegrees, FractionOfTheNakshatraScaledToTheCircle) {
  struct Row {
    const char* name;
    double asc, moon, start, expected;
  } rows[] = {
      {"Moon at the start of its nakshatra", 100, 173.29, 173.29, 100},
      {"Moon halfway through", 100, 173.29 + 20.0 / 3, 173.29, 280},
      {"one subtraction past the circle", 350, 13, 0, 341},
  };
  for (const auto& r : rows) EXPECT_NEAR(SreeLagnaDegrees(r.asc, r.moon, r.start), r.expected, 1e-9) << r.name;
}

TEST(HouseFromAscendant, CountsInclusivelyAndWraps) {
  struct Row {
    const char* name;
    int sign, asc, house;
  } rows[] = {
      {"own sign", 5, 5, 1}, {"next sign", 6, 5, 2}, {"sign before", 4, 5, 12},
      {"Pisces from Aries", 12, 1, 12}, {"Aries from Pisces", 1, 12, 2}, {"opposite", 11, 5, 7},
  };
  for (const auto& r : rows) EXPECT_EQ(HouseFromAscendant(r.sign, r.asc), r.house) << r.name;
}

TEST(InduPointIndex, CountsFromTheAscendantsSign) {
  EXPECT_EQ(InduPointIndex(1, 6, 6), 11) << "kala sum divisible by 12 from Aries falls in Pisces";
  EXPECT_EQ(InduPointIndex(1, 10, 1), 10) << "11 from Aries";
  EXPECT_EQ(InduPointIndex(5, 30, 16), 1) << "(46 mod 12 = 10) from Leo wraps to Taurus";
  EXPECT_EQ(InduPointIndex(12, 8, 10), 4) << "(18 mod 12 = 6) from Pisces";
}

TEST(VarnadaDegrees, OddAndEvenSignedAscendantAndHora) {
  struct Row {
    const char* name;
    int asc, hora, expected;
  } rows[] = {
      {"both odd-signed: sum", 10, 70, 80},
      {"odd ascendant, even hora: difference", 10, 40, 310},
      {"even ascendant, odd hora: difference, then from 360", 40, 70, 110},
      {"both even-signed: sum reduced, then from 360", 40, 100, 140},
      {"sum past the circle", 320, 250, 210},
      {"Pisces ascendant, odd hora", 350, 300, 70},
  };
  for (const auto& r : rows) EXPECT_EQ(VarnadaDegrees(r.asc, r.hora), r.expected) << r.name;
}

TEST(TimeRatePoint, ReducedWhileAbove360) {
  EXPECT_DOUBLE_EQ(TimeRatePoint(300, 130, kGhatiDegPerMinute), 300 + 162.5 - 360);
  EXPECT_DOUBLE_EQ(TimeRatePoint(300, 120, kHoraDegPerMinute), 360);
  EXPECT_DOUBLE_EQ(TimeRatePoint(10, 1440, kGhatiDegPerMinute), 10 + 1800 - 5 * 360);
}

TEST(Vighati2Degree, SignsDegreesAndMinutes) {
  const VighatiParts p = Vighati2Degree(16.5);
  EXPECT_EQ(p.signs, 1);
  EXPECT_EQ(p.degrees, 15);
  EXPECT_EQ(p.minutes, 0);
  const VighatiParts q = Vighati2Degree(-31.25);
  EXPECT_EQ(q.signs, 2);
  EXPECT_EQ(q.degrees, 7);
  EXPECT_EQ(q.minutes, 30);
}

TEST(PranapadaIndex, MovableFixedAndDualSunSigns) {
  // 7830 s gives 21.75 vighatis: 1 sign, 22 deg 30 min.
  struct Row {
    const char* name;
    const char* sun;
    int expected;
  } rows[] = {
      {"movable Aries", "00 Ari 00", 1},
      {"fixed Taurus adds eight", "00 Tau 00", 10},
      {"dual Gemini adds four", "00 Gem 00", 7},
      {"minutes and degrees carry a sign", "07 Aqu 31", (1 + 1 + 10 + 8) % 12},
  };
  for (const auto& r : rows) EXPECT_EQ(PranapadaIndex(7830, r.sun), r.expected) << r.name;
  EXPECT_FALSE(PranapadaIndex(7830, "00 0\" 00").has_value());
}

ChartPositions positionsWithAscendantIn(const char* asc) {
  return {"10 Ari 00", "10 Can 00", "10 Gem 00", "10 Tau 00", "10 Sco 00", "10 Sag 00", "10 Aqu 00",
          "10 Lib 00", "10 Ari 00", asc};
}

TEST(MarkArudhaPadas, TwelveHousesInOrderAndTheLordsSign) {
  const ArudhaPadas a = MarkArudhaPadas(positionsWithAscendantIn("05 Leo 10"), plainLabels());
  ASSERT_EQ(a.marks.size(), 13u);
  // House 1, Leo (5), lord Sun in Aries (1): 2 x (1 - 5) = -8 -> 4; 5 + 4 = 9, Sagittarius.
  EXPECT_EQ(a.marks[0], 8);
  EXPECT_EQ(a.marks[1], 0) << "the ascendant lord's sign follows the first house";
  // House 2, Virgo (6), lord Mercury in Gemini (3): 2 x (3 - 6) = -6 -> 6; 6 + 6 = 12, the seventh from
  // Virgo, so nine more: 21 -> 9, Capricorn.
  EXPECT_EQ(a.marks[2], 8);
  EXPECT_EQ(a.induStartSign, 5);
  EXPECT_EQ(a.lagnaKala, KalaValue[4]);
  EXPECT_EQ(a.moonKala, KalaValue[3]);
}

TEST(MarkArudhaPadas, ARetrogradeLordIsStillFound) {
  PlanetLabels marked = plainLabels();
  marked[6] = "Saturn (R) ";
  marked[2] = "Mercury (R) ";
  const ChartPositions positions = positionsWithAscendantIn("05 Cap 10");
  EXPECT_EQ(MarkArudhaPadas(positions, marked).marks, MarkArudhaPadas(positions, plainLabels()).marks);
}

TEST(FillRashiChart, BodiesInEntryOrderAfterAnEmptyLine) {
  ChartPositions p = {"05 Cap 00", "10 Can 00", "06 Cap 00", "07 Cap 00", "10 Sco 00",
                      "10 Leo 00", "10 Aqu 00", "10 Lib 00", "10 Ari 00", "20 Leo 00"};
  PlanetLabels labels = plainLabels();
  labels[4] = "Mars (R) ";
  const RashiChart c = FillRashiChart(p, labels);
  EXPECT_EQ(c.signLabels[9], "\r\nSun\r\nMercury\r\nVenus");
  EXPECT_EQ(c.signLabels[4], "\r\nJupiter\r\nAsc");
  EXPECT_EQ(c.AscSignNumber, 5);
  EXPECT_EQ(c.signLabels[7], "\r\nMars (R) ");
  EXPECT_EQ(c.signLabels[1], "") << "a sign with no body stays empty";
}

TEST(SignIndexOfChartText, FirstMatchOfCharactersFourToSix) {
  EXPECT_EQ(SignIndexOfChartText("08 Aqu 59"), 10);
  EXPECT_EQ(SignIndexOfChartText("00 Ari 00"), 0);
  EXPECT_FALSE(SignIndexOfChartText("00 0\" 00").has_value());
  EXPECT_FALSE(SignIndexOfChartText("").has_value());
  EXPECT_EQ(SignIndexOfLongitude(359.9), 11);
  EXPECT_FALSE(SignIndexOfLongitude(360).has_value());
}

// A longitude is placed by the sign its chart text shows, for any angle at all.
TEST(SignIndexOfLongitude, IsTheSignOfTheChartText) {
  const double rows[] = {0,    -0.0, 29.999999999, 30,   -45.5, 359.9999999, 360, 360.5, 389.99, 725.25,
                         1e14, 1e15, -1e15,        1e300, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()};
  for (double deg : rows) EXPECT_EQ(SignIndexOfLongitude(deg), SignIndexOfChartText(ChartTextOfLongitude(deg))) << deg;
  for (double deg = -400; deg < 800; deg += 0.37) {
    ASSERT_EQ(SignIndexOfLongitude(deg), SignIndexOfChartText(DmsToChart(LongitudeToText(deg)))) << deg;
  }
}

}  // namespace
}  // namespace halvora
