// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON answer of a chart against the JSON library's own writer, which halvora-chart used to
// answer with: the same text to the byte, on one line and indented, for random charts and for
// charts holding what no form gives (texts that are not UTF-8, control characters, numbers that
// are not finite). Then the key list of --fields and the escaping of texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "chart/sign_profiles.h"
#include "chart_json.h"
#include "forms/form_reader.h"
#include "support/random_forms.h"
#include "support/random_input.h"

namespace halvora::cli {
namespace {

using nlohmann::json;

using Origin = std::optional<place_form::AtlasFill>;

// The document of a chart as a tree of the JSON library: the reference the writer must match.
json referenceDocument(const ChartResult& c, const Origin& origin) {
  json j;
  j["ZoneCorrectionHours"] = c.zone.hours;
  j["ZoneCorrectionMinutes"] = c.zone.minutes;
  j["Zone"] = {{"row", c.zoneRow ? json(*c.zoneRow) : json(nullptr)},
               {"text", c.zoneText},
               {"offsetMinutes", -(c.zone.hours * 60 + c.zone.minutes)},
               {"dst", c.birth.IsDST},
               {"fromAtlas", origin && origin->zoneFromAtlas},
               {"ambiguous", origin && origin->ambiguous}};
  if (origin) {
    const places::Place& p = origin->place;
    j["Place"] = {{"name", p.name},           {"state", p.state},
                  {"country", p.country},     {"timeZone", p.timeZone},
                  {"latitudeDeg", p.latitudeDeg}, {"longitudeDeg", p.longitudeDeg}};
  } else {
    j["Place"] = nullptr;
  }
  j["AyanamsaDeg"] = c.ascendant.AyanamsaDeg;
  j["AscendantDeg"] = c.ascendant.AscendantDeg;
  j["AscendantText"] = c.ascendant.AscendantText;
  j["MoonLongitudeDeg"] = c.moon.MoonLongitudeDeg;
  j["MoonNakshatraStart"] = c.moon.MoonNakshatraStart;
  j["MoonText"] = c.moon.MoonText;
  j["ChartPositions"] = c.chartPositions;
  j["PlanetLabels"] = c.retrogrades.labels;
  j["SignLabels"] = c.signLabels;
  j["Markers"] = c.markers;
  j["Model"] = {{"ephemeris", std::string(c.model.ephemeris) + (c.model.moshier ? "-moshier" : "")},
                {"ayanamsa", c.model.ayanamsa},
                {"node", c.model.node},
                {"ayanamsaDeg", c.model.ayanamsaDeg}};
  j["AscSignNumber"] = c.AscSignNumber;
  j["SreeLagnaDeg"] = c.SreeLagnaDeg;
  j["SreeLagnaSignIndex"] = c.SreeLagnaSignIndex >= 0 ? json(c.SreeLagnaSignIndex) : json(nullptr);
  j["SreeLagnaHouse"] = c.SreeLagnaHouse > 0 ? json(c.SreeLagnaHouse) : json(nullptr);
  j["Details"] = {{"lblName", c.details.lblName},           {"lblDOB", c.details.lblDOB},
                  {"lblTOB", c.details.lblTOB},             {"lblLatitude", c.details.lblLatitude},
                  {"lblLongitude", c.details.lblLongitude}, {"lblCity", c.details.lblCity},
                  {"lblState", c.details.lblState},         {"lblCountry", c.details.lblCountry}};
  j["Sunrise"] = c.sunrise ? json(formatIsoMinute(*c.sunrise)) : json(nullptr);
  if (c.ElapsedMinutes) j["ElapsedMinutes"] = *c.ElapsedMinutes;
  if (c.ElapsedSeconds) j["ElapsedSeconds"] = *c.ElapsedSeconds;
  if (c.SunriseSunLongitude) j["SunriseSunLongitude"] = *c.SunriseSunLongitude;
  j["Notice"] = c.notice ? json(*c.notice) : json(nullptr);
  j["HouseText"] = c.houseText;
  json profile = json::object();
  for (const auto& [control, text] : c.profile) profile[std::string(control)] = text;
  j["Profile"] = c.profile.empty() ? json(nullptr) : profile;
  return j;
}

std::string reference(const ChartResult& c, int indent, const Origin& origin = std::nullopt) {
  return referenceDocument(c, origin).dump(indent, ' ', false, json::error_handler_t::replace);
}

std::string written(const ChartResult& c, bool indented, const ChartFields& fields = kAllChartFields,
                    const Origin& origin = std::nullopt) {
  std::string out;
  appendChartJson(out, c, origin, indented, fields);
  return out;
}

ChartResult chartOf(const std::string& jsonLine) {
  const auto read = forms::readFormJson(jsonLine);
  const auto& form = std::get<forms::ReadForm>(read).form;
  return std::get<ChartResult>(RunChartRequest(form));
}

TEST(ChartJson, RandomChartsReadAsTheLibraryWritesThem) {
  testing_support::RandomForms random(17);
  int charts = 0, polar = 0;
  for (int i = 0; i < 1500; ++i) {
    const auto read = forms::readFormJson(random.next(true).jsonLine);
    ASSERT_TRUE(std::holds_alternative<forms::ReadForm>(read)) << i;
    const auto outcome = RunChartRequest(std::get<forms::ReadForm>(read).form);
    const auto* chart = std::get_if<ChartResult>(&outcome);
    if (!chart) continue;  // a date such as 31 April
    ++charts;
    polar += chart->notice.has_value();
    ASSERT_EQ(written(*chart, false), reference(*chart, -1)) << i;
    ASSERT_EQ(written(*chart, true), reference(*chart, 2)) << i;
  }
  EXPECT_GT(charts, 1300);
  EXPECT_GT(polar, 10) << "places without sunrise, with their notice and no elapsed time";
}

// What a chart made by hand may hold that no form gives.
struct OddRow {
  const char* name;
  void (*change)(ChartResult&);
};

const std::string kLongControl(100, 'k');
const ControlText kOddProfile[] = {{"zeta", "last"},
                                   {"alpha", "first \"quoted\""},
                                   {"zeta", "kept"},
                                   {"a \"quoted\" name\n", "x"},
                                   {kLongControl, "a name longer than any of ours"},
                                   {"\xc3\xa9t\xc3\xa9", "a name beyond ASCII"}};

TEST(ChartJson, OddChartsReadAsTheLibraryWritesThem) {
  const ChartResult sound = chartOf(testing_support::RandomForms(1).next(true).jsonLine);
  const OddRow rows[] = {
      {"a name that is not UTF-8", [](ChartResult& c) { c.details.lblName = "A\xff\xfe" "B\xc3"; }},
      {"an overlong form and a surrogate", [](ChartResult& c) { c.details.lblCity = "\xc0\xaf \xed\xa0\x80"; }},
      {"control characters and the delete character",
       [](ChartResult& c) { c.details.lblState = std::string("\x01\x1f\x7f\b\f\t\n\r", 8) + '\0'; }},
      {"quotes and backslashes", [](ChartResult& c) { c.details.lblCountry = "\"\\/\\\""; }},
      {"a long text with escapes across its pieces",
       [](ChartResult& c) { c.notice = std::string(255, 'a') + "\"\n" + std::string(600, '\\') + "\xe6\x9d\xb1"; }},
      {"numbers that are not finite", [](ChartResult& c) {
         c.SreeLagnaDeg = std::numeric_limits<double>::quiet_NaN();
         c.ascendant.AscendantDeg = std::numeric_limits<double>::infinity();
         c.SunriseSunLongitude = -std::numeric_limits<double>::infinity();
       }},
      {"negative zero, tiny and huge numbers", [](ChartResult& c) {
         c.ascendant.AyanamsaDeg = -0.0;
         c.moon.MoonLongitudeDeg = 1e-300;
         c.moon.MoonNakshatraStart = 1.7976931348623157e308;
         c.SreeLagnaDeg = 123456789012345678.0;
       }},
      {"no sign for the Sree Lagna", [](ChartResult& c) {
         c.SreeLagnaSignIndex = -1;
         c.SreeLagnaHouse = 0;
         c.houseText = {};
         c.profile = {};
       }},
      {"a house text and a profile of their own", [](ChartResult& c) {
         c.houseText = "a house \"text\" of its own";
         c.profile = kOddProfile;
       }},
      {"a house text from another house", [](ChartResult& c) { c.houseText = HouseSignificance(c.SreeLagnaHouse % 12 + 1); }},
      {"a sunrise before the year 1000 and far negative numbers", [](ChartResult& c) {
         c.sunrise = LocalDateTime{987, 1, 2, 3, 4, 0};
         c.ElapsedMinutes = std::numeric_limits<std::int64_t>::min();
         c.zone = {-12, -45};
       }},
      {"no sunrise and no elapsed time", [](ChartResult& c) {
         c.sunrise.reset();
         c.ElapsedMinutes.reset();
         c.ElapsedSeconds.reset();
         c.SunriseSunLongitude.reset();
       }},
  };
  for (const auto& r : rows) {
    ChartResult c = sound;
    r.change(c);
    EXPECT_EQ(written(c, false), reference(c, -1)) << r.name;
    EXPECT_EQ(written(c, true), reference(c, 2)) << r.name;
  }
}

// A chart filled from a place of the atlas carries the place and says the atlas chose the zone.
TEST(ChartJson, APlaceOfTheAtlasReadsAsTheLibraryWritesIt) {
  ChartResult c = chartOf(testing_support::kNewDelhiJson);
  c.zoneRow.reset();
  c.zoneText = "Local clock of Pune, +5:21";
  place_form::AtlasFill fill;
  fill.place = {"Pune", "Maharashtra", "India", "IN", 18.51957, 73.85535, 3124458, "Asia/Kolkata"};
  fill.zoneFromAtlas = true;
  for (const bool ambiguous : {false, true}) {
    fill.ambiguous = ambiguous;
    EXPECT_EQ(written(c, false, kAllChartFields, fill), reference(c, -1, fill)) << ambiguous;
    EXPECT_EQ(written(c, true, kAllChartFields, fill), reference(c, 2, fill)) << ambiguous;
  }
  fill.place = {"Z\xc3\xbcrich \"Altstadt\"", "", "Switzerland", "CH", -0.0, 1e-7, std::nullopt, "Europe/Zurich"};
  EXPECT_EQ(written(c, false, kAllChartFields, fill), reference(c, -1, fill));
  const auto placeOnly = std::get<ChartFields>(parseFieldList("Place"));
  EXPECT_EQ(written(c, false, placeOnly), R"({"Place":null})");
}

TEST(ChartJson, FieldsAnswerOnlyTheirKeysInTheAnswersOrder) {
  const ChartResult c = chartOf(testing_support::kNewDelhiJson);
  const auto fields = [](std::string_view list) { return std::get<ChartFields>(parseFieldList(list)); };
  EXPECT_EQ(written(c, false, fields("Sunrise,SreeLagnaHouse")), R"({"SreeLagnaHouse":9,"Sunrise":"2011-02-22 06:55"})");
  EXPECT_EQ(written(c, true, fields("SreeLagnaHouse,Sunrise")),
            "{\n  \"SreeLagnaHouse\": 9,\n  \"Sunrise\": \"2011-02-22 06:55\"\n}");
  EXPECT_EQ(written(c, false, fields("PlanetLabels")),
            R"({"PlanetLabels":["Sun","Moon","Mercury","Venus","Mars","Jupiter","Saturn (R) ","Rahu","Ketu","Asc"]})");

  // Every key alone gives that member of the whole answer.
  const json whole = json::parse(written(c, false));
  for (const std::string_view key : chartJsonKeys()) {
    const json one = json::parse(written(c, false, fields(key)));
    ASSERT_EQ(one.size(), 1u) << key;
    EXPECT_EQ(one.begin().key(), key);
    EXPECT_EQ(one.begin().value(), whole.at(std::string(key))) << key;
  }

  // Members a chart does not have are left out, which may leave nothing.
  ChartResult polar = c;
  polar.ElapsedMinutes.reset();
  EXPECT_EQ(written(polar, false, fields("ElapsedMinutes")), "{}");
  EXPECT_EQ(written(polar, true, fields("ElapsedMinutes")), "{}");
}

TEST(ChartJson, FieldListsAndTheirProblems) {
  struct Row {
    const char* list;
    const char* problem;  // nullptr when the list is good
    bool repeated;
  };
  const Row rows[] = {
      {"Sunrise", nullptr, false},
      {"ZoneCorrectionMinutes,AscSignNumber,Profile", nullptr, false},
      {"", "", false},
      {"Sunrise,", "", false},
      {",Sunrise", "", false},
      {"sunrise", "sunrise", false},
      {"Sunrise, Profile", " Profile", false},
      {"Profile,Sunrise,Profile", "Profile", true},
      {"error", "error", false},
  };
  for (const auto& r : rows) {
    const auto parsed = parseFieldList(r.list);
    if (!r.problem) {
      EXPECT_TRUE(std::holds_alternative<ChartFields>(parsed)) << r.list;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<FieldListProblem>(parsed)) << r.list;
    EXPECT_EQ(std::get<FieldListProblem>(parsed).item, r.problem) << r.list;
    EXPECT_EQ(std::get<FieldListProblem>(parsed).repeated, r.repeated) << r.list;
  }
  EXPECT_EQ(std::get<ChartFields>(parseFieldList("Sunrise,AscSignNumber")).count(), 2u);
  EXPECT_EQ(chartJsonKeys().size(), kChartJsonKeyCount);
}

TEST(ChartJson, TextsAreEscapedAsTheLibraryEscapesThem) {
  const std::string rows[] = {
      "",
      "plain",
      "\"\\",
      std::string("\0\x01\x1f \x7f", 5),
      "Z\xc3\xbcrich \xe6\x9d\xb1\xe4\xba\xac \xf0\x9f\x98\x80",
      "\xff",
      "cut short \xe6\x9d",
      "\xf4\x90\x80\x80 above U+10FFFF",
      std::string(300, '\n'),
  };
  for (const auto& text : rows) {
    std::string out;
    appendJsonString(out, text);
    EXPECT_EQ(out, json(text).dump(-1, ' ', false, json::error_handler_t::replace)) << json(text).dump(-1, ' ', true, json::error_handler_t::replace);
  }
  std::string error;
  appendErrorJson(error, "month takes a whole number from 1 to 12, not \"13\"");
  EXPECT_EQ(error, R"({"error":"month takes a whole number from 1 to 12, not \"13\""})");
}

}  // namespace
}  // namespace halvora::cli
