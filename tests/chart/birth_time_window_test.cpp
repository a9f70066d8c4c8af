// SPDX-License-Identifier: GPL-3.0-or-later
// The birth-time windows against a scan of every second, against the whole chart at their ends,
// and the lines the results show.
#include "chart/birth_time_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <variant>

#include "chart/birth_time_shift.h"
#include "chart/chart_request.h"
#include "ephemeris/moon.h"
#include "forms/form_reader.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "support/random_forms.h"

namespace halvora {
namespace {

using testing_support::chartOf;
using Kind = WindowEnd::Kind;

using SignOf = std::optional<int> (*)(const FastPoints&);

// The end one way from the birth found by looking at every second in turn.
WindowEnd scanEnd(const FastPointsAt& pointsAt, SignOf signOf, const LocalDateTime& birth, int direction) {
  const std::int64_t t0 = secondsSinceEpoch(birth);
  std::int64_t limit = t0 + direction * kWindowSearchSeconds;
  Kind kind = Kind::BeyondSearch;
  if (direction < 0 && limit < secondsSinceEpoch(kFirstListMoment)) {
    limit = secondsSinceEpoch(kFirstListMoment);
    kind = Kind::BeyondYearList;
  }
  if (direction > 0 && limit > secondsSinceEpoch(kLastListMoment)) {
    limit = secondsSinceEpoch(kLastListMoment);
    kind = Kind::BeyondYearList;
  }
  const auto sign = signOf(pointsAt(birth));
  for (std::int64_t t = t0; t != limit; t += direction) {
    const auto next = signOf(pointsAt(fromSecondsSinceEpoch(t + direction)));
    if (next != sign) return {Kind::Found, fromSecondsSinceEpoch(t), next};
  }
  return {kind, {}, std::nullopt};
}

BirthTimeWindows scanWindows(const FastPointsAt& pointsAt, const LocalDateTime& birth) {
  BirthTimeWindows w;
  w.sreeLagna = {SreeLagnaSignAt(pointsAt(birth)), scanEnd(pointsAt, SreeLagnaSignAt, birth, -1),
                 scanEnd(pointsAt, SreeLagnaSignAt, birth, +1)};
  w.ascendant = {AscendantSignAt(pointsAt(birth)), scanEnd(pointsAt, AscendantSignAt, birth, -1),
                 scanEnd(pointsAt, AscendantSignAt, birth, +1)};
  return w;
}

std::string describe(const SignWindow& w) {
  return std::string(SignTitle(w.sign)) + " " + WindowEndText(w.from, true) + " (" +
         std::string(SignTitle(w.from.otherSign)) + ") .. " + WindowEndText(w.to, false) + " (" +
         std::string(SignTitle(w.to.otherSign)) + ")";
}

// A model whose positions move within the minute as well: the built-in positions of the two
// minutes around a second, drawn straight between them.
FastPointsAt movingWithinTheMinute(const BirthData& birth, const ZoneCorrection& zone) {
  const FastPointsAt byMinute = BuiltInFastPoints(birth, zone);
  const auto between = [](double a, double b, double f) {
    double r = a + f * std::remainder(b - a, 360.0);
    if (r < 0) r += 360;
    if (r >= 360) r -= 360;
    return r;
  };
  return [byMinute, between](const LocalDateTime& clock) {
    LocalDateTime start = clock;
    start.second = 0;
    const FastPoints a = byMinute(start);
    const FastPoints b = byMinute(fromSecondsSinceEpoch(secondsSinceEpoch(start) + 60));
    const double f = clock.second / 60.0;
    const double moon = between(a.MoonLongitudeDeg, b.MoonLongitudeDeg, f);
    return FastPoints{between(a.AscendantDeg, b.AscendantDeg, f), moon, NakshatraStartOf(moon)};
  };
}

FormInput formOf(const std::string& jsonLine) {
  const forms::ReadResult read = forms::readFormJson(jsonLine);
  return std::get<forms::ReadForm>(read).form;
}

FormInput typed(int month, int day, int year, int hour, int minute, int second, const char* latDeg,
                const char* latMin, bool north, const char* lonDeg, const char* lonMin, bool east, int zoneRow) {
  return testing_support::typedForm({.year = year, .month = month, .day = day, .hour = hour, .minute = minute,
                                     .second = second, .latDeg = latDeg, .latMin = latMin, .north = north,
                                     .lonDeg = lonDeg, .lonMin = lonMin, .east = east, .zone = zoneRow,
                                     .name = "ASHA"});
}

// The same form at another clock time.
FormInput at(const FormInput& f, const LocalDateTime& t) { return FormAt(f, t); }

LocalDateTime shifted(const LocalDateTime& t, std::int64_t seconds) {
  return fromSecondsSinceEpoch(secondsSinceEpoch(t) + seconds);
}

TEST(BirthTimeWindow, EqualsAScanOfEverySecondForRandomBirths) {
  // Sound random forms, a sixth of them between 60 and 89 degrees of latitude, and as many again
  // at latitudes where the ascendant races near the polar circle or swings to and fro beyond it.
  testing_support::RandomForms random(2026);
  int births = 0, polar = 0;
  while (births < 240) {
    FormInput form = formOf(random.next(true).jsonLine);
    if (births % 2 == 1) {
      static constexpr const char* kPolar[] = {"65", "66", "67", "68", "70", "75", "80", "85", "89"};
      form.latDeg = kPolar[random.pick(0, 8)];
    }
    const ChartRequestOutcome outcome = RunChartRequest(form);
    const auto* chart = std::get_if<ChartResult>(&outcome);
    if (!chart) continue;  // 30 February and the like
    ++births;
    if (chart->birth.LatDeg >= 60) ++polar;
    const FastPointsAt pointsAt = BuiltInFastPoints(chart->birth, chart->zone);
    const BirthTimeWindows found = FindBirthTimeWindows(pointsAt, chart->birthMoment);
    const BirthTimeWindows scanned = scanWindows(pointsAt, chart->birthMoment);
    const std::string where = formatIsoMinute(chart->birthMoment) + " at " + chart->details.lblLatitude + " " +
                              chart->details.lblLongitude;
    EXPECT_EQ(found.sreeLagna, scanned.sreeLagna)
        << where << ": " << describe(found.sreeLagna) << " but the scan gives " << describe(scanned.sreeLagna);
    EXPECT_EQ(found.ascendant, scanned.ascendant)
        << where << ": " << describe(found.ascendant) << " but the scan gives " << describe(scanned.ascendant);
    // The window's sign is the chart's.
    EXPECT_EQ(found.sreeLagna.sign, chart->SreeLagnaSignIndex) << where;
    EXPECT_EQ(found.ascendant.sign, chart->AscSignNumber - 1) << where;
  }
  EXPECT_GE(polar, 120);
}

TEST(BirthTimeWindow, EqualsAScanOfEverySecondWhenThePositionsMoveWithinTheMinute) {
  testing_support::RandomForms random(21);
  int births = 0;
  while (births < 20) {
    FormInput form = formOf(random.next(true).jsonLine);
    if (births % 2 == 1) form.latDeg = births % 4 == 1 ? "66" : "72";
    const ChartRequestOutcome outcome = RunChartRequest(form);
    const auto* chart = std::get_if<ChartResult>(&outcome);
    if (!chart) continue;
    ++births;
    const FastPointsAt pointsAt = movingWithinTheMinute(chart->birth, chart->zone);
    const BirthTimeWindows found = FindBirthTimeWindows(pointsAt, chart->birthMoment);
    const BirthTimeWindows scanned = scanWindows(pointsAt, chart->birthMoment);
    EXPECT_EQ(found, scanned) << formatIsoMinute(chart->birthMoment) << " at " << chart->details.lblLatitude << ": "
                              << describe(found.sreeLagna) << " / " << describe(found.ascendant);
  }
}

// The chart of a form with Swiss Ephemeris (Lahiri, mean node), which moves within the minute.
ChartResult swissChartOf(const FormInput& form) {
  const ModelOutcome opened = OpenPositionModel({EphemerisKind::Swiss});
  if (const auto* why = std::get_if<std::string>(&opened)) ADD_FAILURE() << *why;
  const ChartRequestOutcome outcome = RunChartRequest(form, *std::get<std::shared_ptr<const PositionModel>>(opened));
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) ADD_FAILURE() << failure->message;
  return std::get<ChartResult>(outcome);
}

TEST(BirthTimeWindow, EqualsAScanOfEverySecondWithSwissEphemeris) {
  // Swiss Ephemeris's positions move at every second: its windows end anywhere in a minute.
  const ModelOutcome opened = OpenPositionModel({EphemerisKind::Swiss});
  ASSERT_TRUE(std::holds_alternative<std::shared_ptr<const PositionModel>>(opened)) << std::get<std::string>(opened);
  const PositionModel& swiss = *std::get<std::shared_ptr<const PositionModel>>(opened);
  testing_support::RandomForms random(1996);
  int births = 0, endsWithinAMinute = 0;
  while (births < 12) {
    FormInput form = formOf(random.next(true).jsonLine);
    if (births % 3 == 2) form.latDeg = births % 2 == 0 ? "64" : "71";
    const ChartRequestOutcome outcome = RunChartRequest(form, swiss);
    const auto* chart = std::get_if<ChartResult>(&outcome);
    if (!chart) continue;
    ++births;
    const FastPointsAt pointsAt = FastPointsOf(swiss, chart->birth, chart->zone);
    const BirthTimeWindows found = BirthTimeWindowsOf(*chart);
    const BirthTimeWindows scanned = scanWindows(pointsAt, chart->birthMoment);
    EXPECT_EQ(found, scanned) << formatIsoMinute(chart->birthMoment) << " at " << chart->details.lblLatitude << ": "
                              << describe(found.sreeLagna) << " / " << describe(found.ascendant) << " but the scan gives "
                              << describe(scanned.sreeLagna) << " / " << describe(scanned.ascendant);
    EXPECT_EQ(found.sreeLagna.sign, chart->SreeLagnaSignIndex);
    for (const WindowEnd* end : {&found.sreeLagna.from, &found.sreeLagna.to})
      if (end->kind == Kind::Found && end->at.second != 0 && end->at.second != 59) ++endsWithinAMinute;
  }
  EXPECT_GT(endsWithinAMinute, 0) << "the windows follow the Swiss positions, not the built-in minutes";
}

TEST(BirthTimeWindow, ChennaiWithSwissEphemerisEnteredAquariusSecondsBeforeTheBirth) {
  // Chennai, 7 December 1996, 10:34 IST, 13 deg 05' N 80 deg 17' E: with Swiss Ephemeris (Lahiri)
  // the Sree Lagna stands at Aquarius 0 deg 21' at the birth and entered Aquarius 40 seconds
  // before it (10:33:20), as the published reading of this chart says.
  const FormInput chennai = typed(12, 7, 1996, 10, 34, 0, "13", "5", true, "80", "17", true, 34);
  const ChartResult chart = swissChartOf(chennai);
  ASSERT_EQ(chart.SreeLagnaSignIndex, 10);
  const BirthTimeWindows w = BirthTimeWindowsOf(chart);
  ASSERT_EQ(w.sreeLagna.from.kind, Kind::Found);
  EXPECT_EQ(w.sreeLagna.from.otherSign, 9);
  const std::int64_t sinceEntry = secondsSinceEpoch(chart.birthMoment) - secondsSinceEpoch(w.sreeLagna.from.at);
  EXPECT_EQ(sinceEntry, 40);
  // The whole chart a second before the entry has the Sree Lagna in Capricorn, at the entry in Aquarius.
  EXPECT_EQ(swissChartOf(at(chennai, shifted(w.sreeLagna.from.at, -1))).SreeLagnaSignIndex, 9);
  EXPECT_EQ(swissChartOf(at(chennai, w.sreeLagna.from.at)).SreeLagnaSignIndex, 10);
  const std::string line = WindowLine("Sree Lagna", w.sreeLagna, chart.birthMoment);
  EXPECT_NE(line.find("; the birth is " + std::to_string(sinceEntry) +
                      " seconds after the Sree Lagna entered Aquarius: check the birth time"),
            std::string::npos)
      << line;
}

TEST(BirthTimeWindow, WorkedCasesAgreeWithTheWholeChartAtTheirEnds) {
  // Each end is checked against the chart the request computes one second either side of it.
  const FormInput chennai = typed(12, 7, 1996, 10, 32, 40, "13", "5", true, "80", "17", true, 34);
  const FormInput newDelhi = typed(2, 22, 2011, 23, 55, 0, "28", "37", true, "77", "13", true, 34);
  const FormInput polarNight = typed(1, 18, 2024, 6, 0, 0, "70", "0", true, "25", "0", true, 20);
  struct Row {
    const char* name;
    FormInput form;
    SignWindow sreeLagna, ascendant;
  } rows[] = {
      {"Chennai, 40 seconds after the Sree Lagna entered Aquarius", chennai,
       {10, {Kind::Found, {1996, 12, 7, 10, 32, 0}, 9}, {Kind::Found, {1996, 12, 7, 11, 28, 59}, 11}},
       {9, {Kind::Found, {1996, 12, 7, 9, 8, 0}, 8}, {Kind::Found, {1996, 12, 7, 11, 1, 59}, 10}}},
      {"New Delhi, the Sree Lagna's and the ascendant's windows cross midnight", newDelhi,
       {11, {Kind::Found, {2011, 2, 22, 23, 52, 0}, 10}, {Kind::Found, {2011, 2, 23, 0, 53, 59}, 0}},
       {6, {Kind::Found, {2011, 2, 22, 22, 2, 0}, 5}, {Kind::Found, {2011, 2, 23, 0, 21, 59}, 7}}},
      {"70 N in the polar night: the ascendant comes back into Libra either way", polarNight,
       {10, {Kind::Found, {2024, 1, 18, 5, 5, 0}, 9}, {Kind::Found, {2024, 1, 18, 6, 35, 59}, 11}},
       {7, {Kind::Found, {2024, 1, 18, 5, 37, 0}, 6}, {Kind::Found, {2024, 1, 18, 8, 20, 59}, 6}}},
  };
  for (const Row& r : rows) {
    const ChartResult chart = chartOf(r.form);
    const BirthTimeWindows w = BirthTimeWindowsOf(chart);
    EXPECT_EQ(w.sreeLagna, r.sreeLagna) << r.name << ": " << describe(w.sreeLagna);
    EXPECT_EQ(w.ascendant, r.ascendant) << r.name << ": " << describe(w.ascendant);
    for (const SignWindow* window : {&r.sreeLagna, &r.ascendant}) {
      const bool isSreeLagna = window == &r.sreeLagna;
      const auto signAt = [&](const LocalDateTime& t) {
        const ChartResult c = chartOf(at(r.form, t));
        return isSreeLagna ? c.SreeLagnaSignIndex : c.AscSignNumber - 1;
      };
      EXPECT_EQ(signAt(shifted(window->from.at, -1)), *window->from.otherSign) << r.name;
      EXPECT_EQ(signAt(window->from.at), *window->sign) << r.name;
      EXPECT_EQ(signAt(window->to.at), *window->sign) << r.name;
      EXPECT_EQ(signAt(shifted(window->to.at, 1)), *window->to.otherSign) << r.name;
    }
  }
  EXPECT_EQ(chartOf(polarNight).notice.has_value(), true) << "the polar-night birth has the notice and its window";
}

TEST(BirthTimeWindow, StopsAtTheEndsOfTheYearList) {
  struct Row {
    const char* name;
    FormInput form;
    SignWindow sreeLagna, ascendant;
  } rows[] = {
      {"half an hour into 1901 near the pole", typed(1, 1, 1901, 0, 30, 0, "89", "59", true, "0", "0", true, 29),
       {4, {Kind::BeyondYearList, {}, std::nullopt}, {Kind::Found, {1901, 1, 1, 0, 56, 59}, 5}},
       {5, {Kind::BeyondYearList, {}, std::nullopt}, {Kind::BeyondSearch, {}, std::nullopt}}},
      {"half an hour before the end of 2050 near the pole",
       typed(12, 31, 2050, 23, 30, 0, "89", "59", true, "0", "0", true, 29),
       {5, {Kind::Found, {2050, 12, 31, 23, 8, 0}, 4}, {Kind::BeyondYearList, {}, std::nullopt}},
       {5, {Kind::BeyondSearch, {}, std::nullopt}, {Kind::BeyondYearList, {}, std::nullopt}}},
  };
  for (const Row& r : rows) {
    const BirthTimeWindows w = BirthTimeWindowsOf(chartOf(r.form));
    EXPECT_EQ(w.sreeLagna, r.sreeLagna) << r.name << ": " << describe(w.sreeLagna);
    EXPECT_EQ(w.ascendant, r.ascendant) << r.name << ": " << describe(w.ascendant);
  }
}

TEST(BirthTimeWindow, EndTextsAndLines) {
  const LocalDateTime birth{1996, 12, 7, 10, 32, 40};
  const auto found = [](LocalDateTime t, int other) { return WindowEnd{Kind::Found, t, other}; };
  const WindowEnd beyond{Kind::BeyondSearch, {}, std::nullopt};
  struct Row {
    const char* name;
    const char* point;
    SignWindow window;
    const char* line;
  } rows[] = {
      {"forty seconds after the entry", "Sree Lagna",
       {10, found({1996, 12, 7, 10, 32, 0}, 9), found({1996, 12, 7, 11, 28, 59}, 11)},
       "Sree Lagna in Aquarius for births from 10:32:00 to 11:28:59 (before: Capricorn, after: Pisces); the birth "
       "is 40 seconds after the Sree Lagna entered Aquarius: check the birth time"},
      {"well inside", "Sree Lagna", {1, found({1996, 12, 7, 8, 47, 12}, 0), found({1996, 12, 7, 11, 44, 5}, 2)},
       "Sree Lagna in Taurus for births from 8:47:12 to 11:44:05 (before: Aries, after: Gemini)"},
      {"five minutes before leaving, to the second", "Ascendant",
       {9, found({1996, 12, 7, 9, 8, 0}, 8), found({1996, 12, 7, 10, 37, 39}, 10)},
       "Ascendant in Capricorn for births from 9:08:00 to 10:37:39 (before: Sagittarius, after: Aquarius); the birth "
       "is 5 minutes before the Ascendant leaves Capricorn: check the birth time"},
      {"five minutes and a second before leaving", "Ascendant",
       {9, found({1996, 12, 7, 9, 8, 0}, 8), found({1996, 12, 7, 10, 37, 40}, 10)},
       "Ascendant in Capricorn for births from 9:08:00 to 10:37:40 (before: Sagittarius, after: Aquarius)"},
      {"born in the first second", "Sree Lagna",
       {10, found({1996, 12, 7, 10, 32, 40}, 9), found({1996, 12, 7, 11, 28, 59}, 11)},
       "Sree Lagna in Aquarius for births from 10:32:40 to 11:28:59 (before: Capricorn, after: Pisces); the birth "
       "is in the very second the Sree Lagna entered Aquarius: check the birth time"},
      {"an end on another day, the other beyond the search", "Ascendant",
       {5, beyond, found({1996, 12, 8, 0, 1, 59}, 6)},
       "Ascendant in Virgo for births from more than 6 hours earlier to December 8, 1996, 0:01:59 (after: Libra)"},
      {"beyond the year list", "Ascendant",
       {5, {Kind::BeyondYearList, {}, std::nullopt}, beyond},
       "Ascendant in Virgo for births from before January 1, 1901 to more than 6 hours later"},
  };
  for (const Row& r : rows) EXPECT_EQ(WindowLine(r.point, r.window, birth), r.line) << r.name;

  EXPECT_EQ(WindowEndText(found({2011, 2, 23, 0, 53, 59}, 0), false), "2011-02-23 00:53:59");
  EXPECT_EQ(WindowEndText(beyond, true), "more than 6 hours");
  EXPECT_EQ(WindowEndText({Kind::BeyondYearList, {}, std::nullopt}, true), "before 1901");
  EXPECT_EQ(WindowEndText({Kind::BeyondYearList, {}, std::nullopt}, false), "after 2050");
}

}  // namespace
}  // namespace halvora
