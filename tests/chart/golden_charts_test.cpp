// SPDX-License-Identifier: GPL-3.0-or-later
// Whole charts computed apart from this project, pinned field by field. Doubles agree within 1e-9;
// texts, captions and whole numbers exactly.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "chart/chart_request.h"

namespace halvora {
namespace {

using nlohmann::json;

constexpr double kTolerance = 1e-9;

struct GoldenCase {
  std::string title;
  json form;
  json expect;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.title; }

std::vector<GoldenCase> loadCases() {
  std::ifstream in(std::string(HALVORA_TEST_DATA_DIR) + "/golden_charts.jsonl");
  std::vector<GoldenCase> cases;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const json j = json::parse(line);
    cases.push_back({j.at("case").get<std::string>(), j.at("form"), j.at("expect")});
  }
  return cases;
}

std::string text(const json& form, const char* key) {
  if (!form.contains(key)) return {};
  const json& v = form.at(key);
  return v.is_string() ? v.get<std::string>() : std::to_string(v.get<long long>());
}

FormInput formOf(const json& f) {
  FormInput form;
  form.name = text(f, "name");
  form.monthIndex = f.at("month").get<int>() - 1;
  form.day = text(f, "day");
  form.year = text(f, "year");
  form.hour = text(f, "hour");
  form.minute = text(f, "minute");
  form.second = text(f, "second");
  form.city = text(f, "city");
  form.state = text(f, "state");
  form.country = text(f, "country");
  form.latDeg = text(f, "lat-deg");
  form.latMin = text(f, "lat-min");
  form.lonDeg = text(f, "lon-deg");
  form.lonMin = text(f, "lon-min");
  form.north = !f.value("south", false);
  form.east = !f.value("west", false);
  form.dst = f.value("dst", false);
  form.zoneIndex = f.at("zone").get<int>();
  return form;
}

void expectNear(const json& expect, const char* key, double actual, const std::string& title) {
  EXPECT_NEAR(actual, expect.at(key).get<double>(), kTolerance) << title << ": " << key;
}

template <std::size_t N>
void expectTexts(const json& expect, const char* key, const std::array<std::string, N>& actual,
                 const std::string& title) {
  const auto wanted = expect.at(key).get<std::vector<std::string>>();
  ASSERT_EQ(wanted.size(), N) << title << ": " << key;
  for (std::size_t i = 0; i < N; ++i) EXPECT_EQ(actual[i], wanted[i]) << title << ": " << key << "[" << i << "]";
}

class GoldenChart : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenChart, MatchesEveryField) {
  const GoldenCase& c = GetParam();
  const auto outcome = RunChartRequest(formOf(c.form));
  if (c.expect.contains("error")) {
    ASSERT_TRUE(std::holds_alternative<ValidationFailure>(outcome)) << c.title;
    EXPECT_EQ(std::get<ValidationFailure>(outcome).message, c.expect.at("error").get<std::string>());
    return;
  }
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome)) << c.title;
  const ChartResult& r = std::get<ChartResult>(outcome);
  const json& e = c.expect;

  EXPECT_EQ(r.zone.hours, e.at("ZoneCorrectionHours").get<int>()) << c.title;
  EXPECT_EQ(r.zone.minutes, e.at("ZoneCorrectionMinutes").get<int>()) << c.title;
  expectNear(e, "AyanamsaDeg", r.ascendant.AyanamsaDeg, c.title);
  expectNear(e, "AscendantDeg", r.ascendant.AscendantDeg, c.title);
  EXPECT_EQ(r.ascendant.AscendantText, e.at("AscendantText").get<std::string>()) << c.title;
  expectNear(e, "MoonLongitudeDeg", r.moon.MoonLongitudeDeg, c.title);
  expectNear(e, "MoonNakshatraStart", r.moon.MoonNakshatraStart, c.title);
  EXPECT_EQ(r.moon.MoonText, e.at("MoonText").get<std::string>()) << c.title;
  expectTexts(e, "ChartPositions", r.chartPositions, c.title);
  expectTexts(e, "PlanetLabels", r.retrogrades.labels, c.title);
  expectTexts(e, "SignLabels", r.signLabels, c.title);
  expectTexts(e, "Markers", r.markers, c.title);
  EXPECT_EQ(r.AscSignNumber, e.at("AscSignNumber").get<int>()) << c.title;
  expectNear(e, "SreeLagnaDeg", r.SreeLagnaDeg, c.title);
  EXPECT_EQ(r.SreeLagnaSignIndex, e.at("SreeLagnaSignIndex").get<int>()) << c.title;
  EXPECT_EQ(r.SreeLagnaHouse, e.at("SreeLagnaHouse").get<int>()) << c.title;

  const json& d = e.at("Details");
  EXPECT_EQ(r.details.lblName, d.at("lblName").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblDOB, d.at("lblDOB").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblTOB, d.at("lblTOB").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblLatitude, d.at("lblLatitude").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblLongitude, d.at("lblLongitude").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblCity, d.at("lblCity").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblState, d.at("lblState").get<std::string>()) << c.title;
  EXPECT_EQ(r.details.lblCountry, d.at("lblCountry").get<std::string>()) << c.title;

  if (e.at("Sunrise").is_null()) {
    EXPECT_FALSE(r.sunrise.has_value()) << c.title;
    EXPECT_FALSE(r.ElapsedMinutes.has_value()) << c.title;
    EXPECT_FALSE(r.SunriseSunLongitude.has_value()) << c.title;
  } else {
    ASSERT_TRUE(r.sunrise.has_value()) << c.title;
    EXPECT_EQ(formatIsoMinute(*r.sunrise), e.at("Sunrise").get<std::string>()) << c.title;
    EXPECT_EQ(r.ElapsedMinutes, e.at("ElapsedMinutes").get<std::int64_t>()) << c.title;
    EXPECT_EQ(r.ElapsedSeconds, e.at("ElapsedSeconds").get<std::int64_t>()) << c.title;
    expectNear(e, "SunriseSunLongitude", r.SunriseSunLongitude.value_or(-1), c.title);
  }
  if (e.at("Notice").is_null()) {
    EXPECT_FALSE(r.notice.has_value()) << c.title;
  } else {
    EXPECT_EQ(r.notice.value_or(""), e.at("Notice").get<std::string>()) << c.title;
  }
}

std::string caseName(const testing::TestParamInfo<GoldenCase>& info) {
  std::string name;
  for (char ch : info.param.title) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenChart, testing::ValuesIn(loadCases()), caseName);

TEST(GoldenCharts, AllThirtyEightCasesAreRead) { EXPECT_EQ(loadCases().size(), 38u); }

}  // namespace
}  // namespace halvora
