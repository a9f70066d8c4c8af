// The chart request from end to end: the sunrise choice, places without sunrise, the profile row,
// and a randomized sweep over the form's whole input space.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "chart/chart_request.h"
#include "chart/sign_profiles.h"
#include "chart/sunrise_choice.h"

namespace halvora {
namespace {

SunTimes day(int y, int m, int d, int riseH, int riseM, int setH, int setM) {
  return {LocalDateTime{y, m, d, riseH, riseM, 0}, LocalDateTime{y, m, d, setH, setM, 0}};
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
    const auto choice = ChooseSunrise(today, before, after, r.birth);
    ASSERT_TRUE(choice.has_value()) << r.name;
    EXPECT_EQ(choice->sunrise, r.sunrise) << r.name;
    EXPECT_EQ(choice->elapsedMinutes, r.minutes) << r.name;
    EXPECT_EQ(choice->elapsedSeconds, r.seconds) << r.name;
  }
}

TEST(ChooseSunrise, WrappedSunsetTriesTheCasesInOrder) {
  // Sunset's clock time wrapped past midnight, so it lies before the sunrise on the same date.
  const SunTimes today = day(2000, 6, 20, 3, 0, 0, 30);
  const SunTimes before = day(2000, 6, 19, 3, 1, 0, 29);
  const SunTimes after = day(2000, 6, 21, 2, 59, 0, 31);
  const auto early = ChooseSunrise(today, before, after, {2000, 6, 20, 0, 10, 0});
  ASSERT_TRUE(early.has_value());
  EXPECT_EQ(early->sunrise, before.sunrise) << "before sunrise comes first";
  const auto late = ChooseSunrise(today, before, after, {2000, 6, 20, 12, 0, 0});
  ASSERT_TRUE(late.has_value());
  EXPECT_EQ(late->sunrise, after.sunrise);
}

TEST(ChooseSunrise, AbsentWhenANeededEventIsMissing) {
  const SunTimes none{};
  const SunTimes today = day(2000, 3, 20, 6, 4, 18, 13);
  EXPECT_FALSE(ChooseSunrise(none, today, today, {2000, 3, 20, 12, 0, 0}).has_value());
  EXPECT_FALSE(ChooseSunrise(today, none, today, {2000, 3, 20, 5, 0, 0}).has_value());
  EXPECT_FALSE(ChooseSunrise(today, today, none, {2000, 3, 20, 20, 0, 0}).has_value());
  EXPECT_TRUE(ChooseSunrise(today, none, none, {2000, 3, 20, 12, 0, 0}).has_value());
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

ChartResult chartOf(const FormInput& f) {
  auto outcome = RunChartRequest(f);
  EXPECT_TRUE(std::holds_alternative<ChartResult>(outcome));
  return std::get<ChartResult>(outcome);
}

int lineCount(const std::string& caption) {
  int n = 1;
  for (std::size_t i = caption.find("\r\n"); i != std::string::npos; i = caption.find("\r\n", i + 2)) ++n;
  return n;
}

TEST(RunChartRequest, PolarNightStillPlacesTheSreeLagna) {
  const ChartResult r = chartOf(form("INGRID", 12, 21, 1990, 12, 0, "69", "39", true, "18", "57", true, 20, false));
  EXPECT_EQ(r.notice, std::string(kNoSunriseNotice));
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
    EXPECT_EQ(r.profile[0], (std::pair<std::string, std::string>{"lblArudhaLagnaPresentInSign", "Capricorn"}));
    EXPECT_EQ(r.profile[1].second, "Makara");
    EXPECT_EQ(r.profile[4], (std::pair<std::string, std::string>{"lblSymbol", "The Crocodile"}));
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
