// SPDX-License-Identifier: GPL-3.0-or-later
// Retrograde marks from the station tables: the lookup by calendar date, the generated tables themselves
// against the reference stations, and the labels of whole golden charts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "ephemeris/date_time.h"
#include "planets/retrogrades.h"
#include "planets/station_tables.h"

namespace halvora {
namespace {

constexpr std::array<std::string_view, 5> kPlanets = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"};

LocalDateTime parseStation(std::string_view text) {
  LocalDateTime t;
  EXPECT_EQ(std::sscanf(std::string(text).c_str(), "%d,%d,%d,%d,%d,", &t.month, &t.day, &t.year, &t.hour,
                        &t.minute), 5)
      << text;
  return t;
}

bool isRetrogradeOn(const LocalDateTime& t, std::string_view planet) {
  return IsRetrograde(t.year, t.month, t.day, planet);
}

TEST(RetroLookup, StrictlyBetweenTheStationDates) {
  struct Row {
    const char* name;
    std::string_view planet;
    LocalDateTime date;
    bool retrograde;
  } rows[] = {
      {"inside Mercury's first period", "Mercury", {1900, 3, 20}, true},
      {"on Mercury's first begin date", "Mercury", {1900, 3, 15}, false},
      {"a day after Mercury's first begin", "Mercury", {1900, 3, 16}, true},
      {"a day before Mercury's first end", "Mercury", {1900, 4, 6}, true},
      {"on Mercury's first end date", "Mercury", {1900, 4, 7}, false},
      {"Mars before its first period", "Mars", {1900, 6, 1}, false},
      {"a day before Jupiter's last end, in 2051", "Jupiter", {2051, 4, 20}, true},
      {"on Jupiter's last end date", "Jupiter", {2051, 4, 21}, false},
      {"Saturn after its last period", "Saturn", {2050, 12, 1}, false},
      {"a body without a table", "Sun", {1900, 3, 20}, false},
  };
  for (const auto& r : rows) EXPECT_EQ(isRetrogradeOn(r.date, r.planet), r.retrograde) << r.name;
}

TEST(RetroStationTables, CountsAndAnchorRowsMatchTheReferenceStations) {
  // The reference times came from a less accurate ephemeris: the dates must agree, the times within this.
  constexpr std::int64_t kToleranceMinutes = 90;
  struct Row {
    std::string_view planet;
    std::size_t rows;
    std::array<std::string_view, 4> anchors;  // first begin, first end, last begin, last end
  } rows[] = {
      {"Mercury", 476, {"3,15,1900,13,19,", "4,7,1900,18,42,", "12,1,2050,17,17,", "12,21,2050,11,33,"}},
      {"Venus", 95, {"6,16,1900,22,56,", "7,30,1900,2,44,", "9,25,2050,22,15,", "11,6,2050,19,4,"}},
      {"Mars", 71, {"1,13,1901,6,16,", "4,4,1901,7,21,", "7,15,2050,5,50,", "9,13,2050,9,41,"}},
      {"Jupiter", 139, {"3,27,1900,20,39,", "7,29,1900,1,35,", "12,21,2050,13,21,", "4,21,2051,23,46,"}},
      {"Saturn", 146, {"4,14,1900,6,2,", "9,2,1900,14,39,", "5,18,2050,13,6,", "10,6,2050,11,5,"}},
  };
  for (const auto& r : rows) {
    const auto table = stationTable(r.planet);
    ASSERT_TRUE(table) << r.planet;
    ASSERT_EQ(table->size(), r.rows) << r.planet;
    const std::array<std::string_view, 4> ours = {table->front().begins, table->front().ends,
                                                  table->back().begins, table->back().ends};
    for (std::size_t k = 0; k < ours.size(); ++k) {
      LocalDateTime expected = parseStation(r.anchors[k]);
      LocalDateTime actual = parseStation(ours[k]);
      EXPECT_LE(std::abs(minuteBoundariesBetween(expected, actual)), kToleranceMinutes) << r.planet << " " << ours[k];
      expected.hour = expected.minute = actual.hour = actual.minute = 0;
      EXPECT_EQ(actual, expected) << r.planet << " anchor " << k << ": " << ours[k];
    }
  }
}

TEST(RetroStationTables, RowsAreOrderedDisjointAndTheirDayNumbersMatchTheTexts) {
  for (const auto planet : kPlanets) {
    const auto table = stationTable(planet);
    ASSERT_TRUE(table) << planet;
    for (std::size_t k = 0; k < table->size(); ++k) {
      const StationPeriod& p = (*table)[k];
      const LocalDateTime begins = parseStation(p.begins);
      const LocalDateTime ends = parseStation(p.ends);
      EXPECT_EQ(p.beginDay, daysFromCivil(begins.year, begins.month, begins.day)) << planet << " " << p.begins;
      EXPECT_EQ(p.endDay, daysFromCivil(ends.year, ends.month, ends.day)) << planet << " " << p.ends;
      EXPECT_LT(secondsSinceEpoch(begins), secondsSinceEpoch(ends)) << planet << " " << p.begins;
      if (k > 0) {
        EXPECT_LT(secondsSinceEpoch(parseStation((*table)[k - 1].ends)), secondsSinceEpoch(begins))
            << planet << " overlaps the row before: " << p.begins;
      }
    }
  }
}

TEST(RetroStationTables, EveryPeriodIsRetrogradeJustInsideItsStationDates) {
  for (const auto planet : kPlanets) {
    const auto table = stationTable(planet);
    ASSERT_TRUE(table) << planet;
    for (const StationPeriod& p : *table) {
      const LocalDateTime begins = parseStation(p.begins);
      const LocalDateTime ends = parseStation(p.ends);
      EXPECT_FALSE(isRetrogradeOn(begins, planet)) << planet << " begins " << p.begins;
      EXPECT_FALSE(isRetrogradeOn(ends, planet)) << planet << " ends " << p.ends;
      if (p.endDay - p.beginDay <= 2) continue;
      EXPECT_TRUE(isRetrogradeOn(addDays(begins, 1), planet)) << planet << " a day after " << p.begins;
      EXPECT_TRUE(isRetrogradeOn(addDays(ends, -1), planet)) << planet << " a day before " << p.ends;
    }
  }
}

TEST(RetroMarks, LabelsCarryTheMarkOnlyOnRetrogradePlanets) {
  struct Row {
    const char* name;
    LocalDateTime date;
    RetrogradeFlags flags;  // Mercury, Venus, Mars, Jupiter, Saturn
  } rows[] = {
      {"Mercury alone", {1900, 3, 20}, {true, false, false, false, false}},
      {"Saturn alone", {2011, 2, 22}, {false, false, false, false, true}},
      {"four at once", {1900, 7, 19}, {true, true, false, true, true}},
      {"none", {1900, 1, 10}, {false, false, false, false, false}},
  };
  for (const auto& r : rows) {
    const RetrogradeMarks marks = MarkRetrogrades(r.date.year, r.date.month, r.date.day);
    EXPECT_EQ(marks.flags, r.flags) << r.name;
    for (std::size_t i = 0; i < kPlainPlanetLabels.size(); ++i) {
      const bool marked = i >= 2 && i <= 6 && r.flags[i - 2];
      EXPECT_EQ(marks.labels[i], std::string(kPlainPlanetLabels[i]) + (marked ? " (R) " : "")) << r.name;
    }
  }
}

TEST(RetroMarks, AgreeWithTheGoldenCharts) {
  std::ifstream file(std::string(HALVORA_TEST_DATA_DIR) + "/golden_charts.jsonl");
  ASSERT_TRUE(file) << "golden_charts.jsonl";
  int checked = 0;
  for (std::string line; std::getline(file, line);) {
    const auto chart = nlohmann::json::parse(line);
    if (!chart["expect"].contains("PlanetLabels")) continue;  // a case the entry form refuses
    const auto& form = chart["form"];
    const RetrogradeMarks marks = MarkRetrogrades(form["year"], form["month"], form["day"]);
    EXPECT_EQ(nlohmann::json(marks.labels), chart["expect"]["PlanetLabels"]) << chart["case"];
    ++checked;
  }
  EXPECT_GE(checked, 30);
}

}  // namespace
}  // namespace halvora
