// SPDX-License-Identifier: GPL-3.0-or-later
// The chart request from end to end: the sunrise choice, places without sunrise, the profile row,
// and a randomized sweep over the form's whole input space.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "chart/chart_request.h"
#include "chart/sign_profiles.h"
#include "chart/sunrise_choice.h"
#include "support/chart_of.h"

namespace halvora {
namespace {

using testing_support::chartOf;

SunTimes day(int y, int m, int d, int riseH, int riseM, int setH, int setM) {
  return {LocalDateTime{y, m, d, riseH, riseM, 0}, LocalDateTime{y, m, d, setH, setM, 0}, std::nullopt};
}

TEST(ChooseSunrise, DaylightBeforeSunriseAndAfterSunset) {
  const SunTimes today = day(2000, 3, 20, 6, 4, 18, 13);
  const SunTimes before = day(2000, 3, 19, 6, 6, 18, 11);
  const SunTimes after = day(2000, 3, 21, 6, 2, 18, 15);
  struct Row {
    const char* name;
    LocalDateTime birth;
    LocalDateTime sunrise;
    long long minutes, seconds;
  } rows[] = {
      {"exactly at sunrise is daylight", {2000, 3, 20, 6, 4, 0}, {2000, 3, 20, 6, 4, 0}, 0, 0},
      {"exactly at sunset is daylight", {2000, 3, 20, 18, 13, 0}, {2000, 3, 20, 6, 4, 0}, 729, 43740},
      {"seconds after sunset still counts the minute", {2000, 3, 20, 18, 13, 30}, {2000, 3, 21, 6, 2, 0}, 709,
       42510},
      {"one minute after sunset: the time until the next sunrise", {2000, 3, 20, 18, 14, 0},
       {2000, 3, 21, 6, 2, 0}, 708, 42480},
      {"before sunrise: the day before's sunrise", {2000, 3, 20, 5, 0, 30}, {2000, 3, 19, 6, 6, 0}, 1374, 82470},
  };
  for (const auto& r : rows) {
    const SunriseOutcome outcome = ChooseSunrise(today, before, after, r.birth);
    const auto* choice = std::get_if<SunriseChoice>(&outcome);
    ASSERT_NE(choice, nullptr) << r.name;
    EXPECT_EQ(choice->sunrise, r.sunrise) << r.name;
    EXPECT_EQ(choice->elapsedMinutes, r.minutes) << r.name;
    EXPECT_EQ(choice->elapsedSeconds, r.seconds) << r.name;
  }
}

// The sunrise pass reads the chosen sunrise on its own day's clock, so the choice carries that
// day's daylight-saving hour (a birth the day after the clocks went forward can be timed from a
// sunrise before they did).
TEST(ChooseSunrise, KeepsTheDaylightSavingHourOfTheDayItTakes) {
  struct Row {
    const char* name;
    LocalDateTime birth;
    int chosenDay;  // -1 the day before, 0 the birth date, 1 the next day
  } rows[] = {
      {"a daylight birth takes the birth date's", {2000, 3, 20, 12, 0, 0}, 0},
      {"a birth before sunrise takes the day before's", {2000, 3, 20, 5, 0, 0}, -1},
      {"a birth after sunset takes the next day's", {2000, 3, 20, 20, 0, 0}, 1},
  };
  for (const auto& r : rows) {
    for (const bool chosenDayHasTheHour : {true, false}) {
      SunTimes days[3] = {day(2000, 3, 19, 6, 6, 18, 11), day(2000, 3, 20, 6, 4, 18, 13),
                          day(2000, 3, 21, 6, 2, 18, 15)};
      for (int k = 0; k < 3; ++k) days[k].daylightSaving = (k - 1 == r.chosenDay) == chosenDayHasTheHour;
      const SunriseOutcome outcome = ChooseSunrise(days[1], days[0], days[2], r.birth);
      const auto* choice = std::get_if<SunriseChoice>(&outcome);
      ASSERT_NE(choice, nullptr) << r.name;
      EXPECT_EQ(choice->sunrise, days[r.chosenDay + 1].sunrise) << r.name;
      EXPECT_EQ(choice->daylightSaving, chosenDayHasTheHour) << r.name;
    }
  }
}

TEST(ChooseSunrise, WrappedSunsetTriesTheCasesInOrder) {
  // Sunset's clock time wrapped past midnight, so it lies before the sunrise on the same date.
  const SunTimes today = day(2000, 6, 20, 3, 0, 0, 30);
  const SunTimes before = day(2000, 6, 19, 3, 1, 0, 29);
  const SunTimes after = day(2000, 6, 21, 2, 59, 0, 31);
  const SunriseOutcome early = ChooseSunrise(today, before, after, {2000, 6, 20, 0, 10, 0});
  ASSERT_TRUE(std::holds_alternative<SunriseChoice>(early));
  EXPECT_EQ(std::get<SunriseChoice>(early).sunrise, before.sunrise) << "before sunrise comes first";
  const SunriseOutcome late = ChooseSunrise(today, before, after, {2000, 6, 20, 12, 0, 0});
  ASSERT_TRUE(std::holds_alternative<SunriseChoice>(late));
  EXPECT_EQ(std::get<SunriseChoice>(late).sunrise, after.sunrise);
}

TEST(ChooseSunrise, NamesTheFirstNeededDateWithoutItsEvent) {
  const SunTimes night{std::nullopt, std::nullopt, PolarSun::Night};
  const SunTimes polarDay{LocalDateTime{2000, 3, 20, 1, 0, 0}, std::nullopt, PolarSun::Day};
  const SunTimes today = day(2000, 3, 20, 6, 4, 18, 13);
  struct Row {
    const char* name;
    SunTimes today, before, after;
    LocalDateTime birth;
    std::optional<MissingSunrise> missing;  // nothing: a sunrise is chosen
  } rows[] = {
      {"no events on the birth date", night, today, today, {2000, 3, 20, 12, 0, 0},
       MissingSunrise{{2000, 3, 20, 0, 0, 0}, PolarSun::Night}},
      {"a sunrise without sunset on the birth date", polarDay, today, today, {2000, 3, 20, 12, 0, 0},
       MissingSunrise{{2000, 3, 20, 0, 0, 0}, PolarSun::Day}},
      {"before sunrise needs the day before", today, night, today, {2000, 3, 20, 5, 0, 0},
       MissingSunrise{{2000, 3, 19, 0, 0, 0}, PolarSun::Night}},
      {"after sunset needs the next day", today, today, night, {2000, 3, 20, 20, 0, 0},
       MissingSunrise{{2000, 3, 21, 0, 0, 0}, PolarSun::Night}},
      {"before sunrise does not need the next day", today, today, night, {2000, 3, 20, 5, 0, 0}, std::nullopt},
      {"a daylight birth needs neither neighbour", today, night, night, {2000, 3, 20, 12, 0, 0}, std::nullopt},
      {"the day before the first of March is the leap day", day(2000, 3, 1, 6, 4, 18, 13), night, today,
       {2000, 3, 1, 5, 0, 0}, MissingSunrise{{2000, 2, 29, 0, 0, 0}, PolarSun::Night}},
  };
  for (const auto& r : rows) {
    const SunriseOutcome outcome = ChooseSunrise(r.today, r.before, r.after, r.birth);
    if (!r.missing) {
      EXPECT_TRUE(std::holds_alternative<SunriseChoice>(outcome)) << r.name;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<MissingSunrise>(outcome)) << r.name;
    EXPECT_EQ(std::get<MissingSunrise>(outcome), *r.missing) << r.name;
  }
}

TEST(NoSunriseNotice, SaysWhichPolarPeriodAndTheDate) {
  EXPECT_EQ(NoSunriseNotice({{1990, 12, 21, 0, 0, 0}, PolarSun::Night}),
            "Polar night: the Sun does not rise at this place on December 21, 1990, so the points timed from "
            "sunrise are not shown.");
  EXPECT_EQ(NoSunriseNotice({{1990, 6, 22, 0, 0, 0}, PolarSun::Day}),
            "Polar day: the Sun does not set at this place on June 22, 1990, so the points timed from sunrise "
            "are not shown.");
}

FormInput form(const char* name, int month, int dayOfMonth, int year, int hour, int minute, const char* latD,
               const char* latM, bool north, const char* lonD, const char* lonM, bool east, int zone, bool dst) {
  FormInput f;
  f.name = name;
  f.monthIndex = month - 1;
  f.day = std::to_string(dayOfMonth);
  f.year = std::to_string(year);
  f.hour = std::to_string(hour);
  f.minute = std::to_string(minute);
  f.latDeg = latD;
  f.latMin = latM;
  f.north = north;
  f.lonDeg = lonD;
  f.lonMin = lonM;
  f.east = east;
  f.zoneIndex = zone;
  f.dst = dst;
  return f;
}

int lineCount(const std::string& caption) {
  int n = 1;
  for (std::size_t i = caption.find("\r\n"); i != std::string::npos; i = caption.find("\r\n", i + 2)) ++n;
  return n;
}

TEST(RunChartRequest, PolarNightStillPlacesTheSreeLagna) {
  const ChartResult r = chartOf(form("INGRID", 12, 21, 1990, 12, 0, "69", "39", true, "18", "57", true, 20, false));
  EXPECT_EQ(r.notice, "Polar night: the Sun does not rise at this place on December 21, 1990, so the points "
                      "timed from sunrise are not shown.");
  EXPECT_FALSE(r.sunrise.has_value());
  EXPECT_FALSE(r.ElapsedMinutes.has_value());
  EXPECT_EQ(r.SreeLagnaSignIndex, 3);
  EXPECT_EQ(r.SreeLagnaHouse, 12) << "the sign before the ascendant's";
  EXPECT_EQ(r.markers[3], "\r\n\r\nSrL");
  // Thirteen arudha marks, the indu point, the Moon's and the Sun's signs: sixteen empty lines, no more.
  int lines = 0;
  for (const auto& m : r.markers) lines += lineCount(m) - 1;
  EXPECT_EQ(lines, 13 + 1 + 2 + 1);
  EXPECT_FALSE(r.houseText.empty());
}

TEST(RunChartRequest, TheBirthDatesSunriseAndSunsetDecideAcrossThePolarNight) {
  // 70 deg N 25 deg E on Central European Time: 17 January 2024 has no sunrise; the 18th has its first,
  // 11:19 to 11:57; the 19th rises at 10:55.
  constexpr const char* kNoRiseOn17th =
      "Polar night: the Sun does not rise at this place on January 17, 2024, so the points timed from sunrise "
      "are not shown.";
  struct Row {
    const char* name;
    int day, hour, minute;
    const char* sunrise;  // nullptr: the notice
    long long elapsedMinutes;
  } rows[] = {
      {"before the first sunrise: the day before is needed and has none", 18, 6, 0, nullptr, 0},
      {"a night without any sunrise", 17, 20, 0, nullptr, 0},
      {"during the first day", 18, 11, 30, "2024-01-18 11:19", 11},
      {"after the first sunset: timed to the next sunrise", 18, 12, 0, "2024-01-19 10:55", 22 * 60 + 55},
  };
  for (const auto& r : rows) {
    const ChartResult c =
        chartOf(form("SIGRID", 1, r.day, 2024, r.hour, r.minute, "70", "0", true, "25", "0", true, 20, false));
    if (!r.sunrise) {
      EXPECT_EQ(c.notice, kNoRiseOn17th) << r.name;
      EXPECT_FALSE(c.sunrise.has_value()) << r.name;
      continue;
    }
    ASSERT_TRUE(c.sunrise.has_value()) << r.name << ": " << c.notice.value_or("");
    EXPECT_EQ(formatIsoMinute(*c.sunrise), r.sunrise) << r.name;
    EXPECT_EQ(c.ElapsedMinutes, r.elapsedMinutes) << r.name;
    EXPECT_FALSE(c.notice.has_value()) << r.name;
  }
}

TEST(RunChartRequest, SreeLagnaOnTheFifthLineBelowFourEarlierPoints) {
  // New York, 1980-06-15 06:30 with daylight saving: Gemini holds two arudha points, the hora point
  // and another before the Sree Lagna.
  const ChartResult r = chartOf(form("JOHN SMITH", 6, 15, 1980, 6, 30, "40", "43", true, "74", "0", false, 27, true));
  EXPECT_EQ(r.markers[2], "\r\n\r\n\r\n\r\nSrL");
  EXPECT_EQ(r.SreeLagnaHouse, 1) << "Sree Lagna in the ascendant's own sign";
  EXPECT_EQ(r.houseText, HouseSignificance(1));
}

TEST(RunChartRequest, ProfileRowFollowsTheSreeLagnasSign) {
  // Searching the hours of one day finds a Sree Lagna in Capricorn.
  for (int hour = 0; hour < 24; ++hour) {
    const ChartResult r = chartOf(form("ASHA", 2, 22, 2011, hour, 5, "28", "37", true, "77", "13", true, 34, false));
    if (r.SreeLagnaSignIndex != 9) continue;
    ASSERT_EQ(r.profile.size(), 28u);
    EXPECT_EQ(r.profile[0], (ControlText{"lblArudhaLagnaPresentInSign", "Capricorn"}));
    EXPECT_EQ(r.profile[1].second, "Makara");
    EXPECT_EQ(r.profile[4], (ControlText{"lblSymbol", "The Crocodile"}));
    EXPECT_EQ(r.profile[3].second, "Saturn");
    EXPECT_EQ(r.profile[18].second, "Blue Sapphire");
    EXPECT_EQ(r.profile[27].first, "lblNotCompatibleWith");
    return;
  }
  FAIL() << "no hour of the day put the Sree Lagna in Capricorn";
}

TEST(RunChartRequest, EveryRequestStartsFresh) {
  const FormInput delhi = form("ASHA", 2, 22, 2011, 9, 5, "28", "37", true, "77", "13", true, 34, false);
  const ChartResult first = chartOf(delhi);
  chartOf(form("INGRID", 12, 21, 1990, 12, 0, "69", "39", true, "18", "57", true, 20, false));
  const ChartResult again = chartOf(delhi);
  EXPECT_EQ(first.markers, again.markers);
  EXPECT_EQ(first.signLabels, again.signLabels);
  EXPECT_EQ(first.ElapsedSeconds, again.ElapsedSeconds);
}

bool wellFormedChartText(const std::string& t) {
  if (t.size() != 9 || t[2] != ' ' || t[6] != ' ') return false;
  const auto digits = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(t[i])) != 0; };
  if (!digits(0) || !digits(1) || !digits(7) || !digits(8)) return false;
  return std::stoi(t.substr(0, 2)) < 30 && std::stoi(t.substr(7, 2)) < 60;
}

// Random form inputs, valid and invalid, over every list position, zone and hemisphere.
TEST(RunChartRequest, RandomizedFormsNeverFailOrProduceNonsense) {
  std::mt19937 rng(20261207);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* oddTexts[] = {"", " ", "-3", "1.5", "abc", "7x", "99", "180", "60", "0", "059", "1e2"};
  const auto coordinate = [&](int maxValue) {
    if (pick(0, 9) == 0) return std::string(oddTexts[pick(0, 11)]);
    return std::to_string(pick(0, maxValue));
  };
  int charts = 0;
  for (int i = 0; i < 100000; ++i) {
    FormInput f;
    f.name = pick(0, 50) == 0 ? "  " : "NAME";
    f.monthIndex = pick(0, 11);
    f.day = std::to_string(pick(1, 31));
    f.year = std::to_string(pick(1901, 2050));
    f.hour = std::to_string(pick(0, 23));
    f.minute = std::to_string(pick(0, 59));
    f.second = std::to_string(pick(0, 59));
    f.latDeg = coordinate(89);
    f.latMin = coordinate(59);
    f.lonDeg = coordinate(179);
    f.lonMin = coordinate(59);
    f.north = pick(0, 1) == 0;
    f.east = pick(0, 1) == 0;
    f.dst = pick(0, 1) == 0;
    f.zoneIndex = pick(0, 70);

    const auto outcome = RunChartRequest(f);
    if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) {
      ASSERT_FALSE(failure->message.empty());
      continue;
    }
    ++charts;
    const ChartResult& r = std::get<ChartResult>(outcome);
    for (double v : {r.ascendant.AscendantDeg, r.ascendant.AyanamsaDeg, r.moon.MoonLongitudeDeg, r.SreeLagnaDeg})
      ASSERT_TRUE(std::isfinite(v)) << i;
    ASSERT_GE(r.SreeLagnaDeg, 0) << i;
    ASSERT_LE(r.SreeLagnaDeg, 360) << i;
    for (const auto& t : r.chartPositions) ASSERT_TRUE(wellFormedChartText(t)) << i << ": " << t;
    ASSERT_GE(r.AscSignNumber, 1) << i;
    ASSERT_LE(r.AscSignNumber, 12) << i;
    ASSERT_GE(r.SreeLagnaHouse, 1) << i;
    ASSERT_LE(r.SreeLagnaHouse, 12) << i;
    ASSERT_EQ(r.profile.size(), 28u) << i;
    ASSERT_EQ(r.sunrise.has_value(), !r.notice.has_value()) << i;
    if (r.SunriseSunLongitude) {
      ASSERT_TRUE(std::isfinite(*r.SunriseSunLongitude)) << i;
    }
    int srl = 0;
    for (const auto& m : r.markers) {
      for (std::size_t p = m.find("SrL"); p != std::string::npos; p = m.find("SrL", p + 1)) ++srl;
      ASSERT_EQ(m.find_first_not_of("\r\nSrL"), std::string::npos) << i;
    }
    ASSERT_EQ(srl, 1) << i;
  }
  EXPECT_GT(charts, 50000);
}

}  // namespace
}  // namespace halvora
