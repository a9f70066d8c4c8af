// SPDX-License-Identifier: GPL-3.0-or-later
// The zone list's entry after its rows: a clock that no row holds (Nepal's +5:45, Venezuela's
// -4:30, Amsterdam's +0:20), taken by every pass like a row.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "chart/chart_request.h"
#include "chart/time_zone_table.h"
#include "ephemeris/sunrise.h"
#include "support/births.h"
#include "support/chart_of.h"

namespace halvora {
namespace {

using testing_support::chartOf;

constexpr int kGmt = 29;       // "Greenwich Mean Time,GMT,0.0"
constexpr int kIst = 34;       // "Indian Time, IST, +5.3"
constexpr int kAtlantic = 3;   // "Atlantic Standard Time,AST,-4.0"

TEST(CustomZone, ItsNumbersMustBeAnOffset) {
  const struct {
    const char* name;
    CustomZone zone;
    bool valid;
  } rows[] = {
      {"Nepal", {"x", -5, -45}, true},
      {"Venezuela", {"x", 4, 30}, true},
      {"east under an hour", {"x", 0, -20}, true},
      {"west under an hour", {"x", 0, 25}, true},
      {"Greenwich", {"x", 0, 0}, true},
      {"the largest east", {"x", -14, -59}, true},
      {"the largest west", {"x", 14, 59}, true},
      {"past the largest", {"x", -15, 0}, false},
      {"minutes against the hours", {"x", -5, 45}, false},
      {"minutes against the hours, west", {"x", 4, -30}, false},
      {"a whole hour of minutes", {"x", 0, -60}, false},
      {"huge hours", {"x", 30000, 0}, false},
  };
  for (const auto& r : rows) EXPECT_EQ(IsValidCustomZone(r.zone), r.valid) << r.name;
}

TEST(CustomZone, TakenAtItsPositionAfterTheRows) {
  const CustomZone nepal{"Local clock of Kathmandu, +5:45", -5, -45};
  EXPECT_EQ(kCustomZonePosition, 71);
  EXPECT_EQ(Zone_Calculation(kCustomZonePosition, nepal), (ZoneCorrection{-5, -45}));
  EXPECT_EQ(Zone_Calculation(kCustomZonePosition, std::nullopt), std::nullopt) << "a list without the entry";
  EXPECT_EQ(Zone_Calculation(kCustomZonePosition, CustomZone{"bad", -5, 45}), std::nullopt);
  EXPECT_EQ(Zone_Calculation(kIst, nepal), (ZoneCorrection{-5, -30})) << "a row picked while the entry is listed";
  EXPECT_EQ(Zone_Calculation(72, nepal), std::nullopt);
  EXPECT_EQ(ZoneEntryText(kCustomZonePosition, nepal), "Local clock of Kathmandu, +5:45");
  EXPECT_EQ(ZoneEntryText(kIst, nepal), "Indian Time, IST, +5.3");
  EXPECT_EQ(ZoneEntryText(kCustomZonePosition, std::nullopt), "");
}

TEST(CustomZone, TextsNameTheOffsetEastOfGreenwich) {
  const struct {
    const char* name;
    const char* place;
    ZoneCorrection zone;
    const char* text;
  } rows[] = {
      {"Nepal", "Kathmandu", {-5, -45}, "Local clock of Kathmandu, +5:45"},
      {"Venezuela", "Caracas", {4, 30}, "Local clock of Caracas, -4:30"},
      {"Madras time", "Pune", {-5, -21}, "Local clock of Pune, +5:21"},
      {"east under an hour", "Amsterdam", {0, -20}, "Local clock of Amsterdam, +0:20"},
      {"west under an hour", "X", {0, 5}, "Local clock of X, -0:05"},
      {"Greenwich", "X", {0, 0}, "Local clock of X, +0:00"},
      {"blanks round the name", "  Pune ", {-5, -21}, "Local clock of Pune, +5:21"},
      {"no name", "", {-5, -45}, "Local clock, +5:45"},
  };
  for (const auto& r : rows) EXPECT_EQ(CustomZoneText(r.place, r.zone), r.text) << r.name;
  EXPECT_EQ(MakeCustomZone("Kathmandu", {-5, -45}), (CustomZone{"Local clock of Kathmandu, +5:45", -5, -45}));
}

FormInput birthForm(int year, int month, int day, int hour, int minute, const char* latDeg, const char* latMin,
                    bool north, const char* lonDeg, const char* lonMin, bool east) {
  return testing_support::typedForm({.year = year, .month = month, .day = day, .hour = hour, .minute = minute,
                                     .latDeg = latDeg, .latMin = latMin, .north = north, .lonDeg = lonDeg,
                                     .lonMin = lonMin, .east = east});
}

FormInput onCustom(FormInput f, const CustomZone& zone) {
  f.zoneIndex = kCustomZonePosition;
  f.customZone = zone;
  return f;
}

FormInput onRow(FormInput f, int row) {
  f.zoneIndex = row;
  return f;
}

int minutesOfDay(const LocalDateTime& t) { return t.hour * 60 + t.minute; }

TEST(CustomZone, ValidationAsksForAZoneWhenThePositionHoldsNothing) {
  FormInput f = birthForm(1990, 1, 1, 12, 0, "27", "42", true, "85", "19", true);
  f.zoneIndex = kCustomZonePosition;
  const auto outcome = RunChartRequest(f);
  ASSERT_TRUE(std::holds_alternative<ValidationFailure>(outcome));
  EXPECT_EQ(std::get<ValidationFailure>(outcome),
            (ValidationFailure{"Please choose a time zone from its list.", MessageIcon::Information, "cmbTimeZone"}));
}

// A clock no row holds gives the chart of the same universal moment on a row: the bodies exactly,
// the sunrise on the row's clock shifted by the difference of the offsets.
TEST(CustomZone, TheSameMomentAsARowAtTheShiftedClockTime) {
  const struct {
    const char* name;
    FormInput custom;
    FormInput row;
    int shiftMinutes;  // the custom clock minus the row's clock
  } rows[] = {
      {"Kathmandu +5:45 at 12:00 is IST at 11:45",
       onCustom(birthForm(1990, 1, 1, 12, 0, "27", "42", true, "85", "19", true), {"x", -5, -45}),
       onRow(birthForm(1990, 1, 1, 11, 45, "27", "42", true, "85", "19", true), kIst), 15},
      {"Caracas -4:30 at 12:00 is AST at 12:30",
       onCustom(birthForm(2010, 1, 1, 12, 0, "10", "29", true, "66", "53", false), {"x", 4, 30}),
       onRow(birthForm(2010, 1, 1, 12, 30, "10", "29", true, "66", "53", false), kAtlantic), -30},
      {"Amsterdam +0:20 at 12:20 is GMT at 12:00",
       onCustom(birthForm(1938, 6, 1, 12, 20, "52", "22", true, "4", "54", true), {"x", 0, -20}),
       onRow(birthForm(1938, 6, 1, 12, 0, "52", "22", true, "4", "54", true), kGmt), 20},
  };
  for (const auto& r : rows) {
    const ChartResult a = chartOf(r.custom);
    const ChartResult b = chartOf(r.row);
    EXPECT_NEAR(a.ascendant.AscendantDeg, b.ascendant.AscendantDeg, 1e-9) << r.name;
    EXPECT_NEAR(a.moon.MoonLongitudeDeg, b.moon.MoonLongitudeDeg, 1e-9) << r.name;
    EXPECT_EQ(a.chartPositions, b.chartPositions) << r.name;
    EXPECT_FALSE(a.zoneRow.has_value()) << r.name;
    EXPECT_EQ(a.zoneText, "x") << r.name;
    ASSERT_TRUE(a.sunrise && b.sunrise) << r.name;
    // Sunrise times are rounded to the minute on each clock.
    EXPECT_NEAR(minutesOfDay(*a.sunrise) - minutesOfDay(*b.sunrise), r.shiftMinutes, 1) << r.name;
    EXPECT_NEAR(static_cast<double>(*a.ElapsedSeconds), static_cast<double>(*b.ElapsedSeconds), 60) << r.name;
  }
}

// An offset east of Greenwich under an hour has hours 0 and negative minutes: its direction lies in
// the minutes. Amsterdam kept +0:20 from 1937 to 1940 (time-zone database, Europe/Amsterdam).
TEST(CustomZone, ASunriseEastOfGreenwichByLessThanAnHour) {
  SunRiseSetInput in;
  in.year = 1938;
  in.month = 1;
  in.day = 1;
  in.hour = 12;
  in.latDeg = 52;
  in.latMin = 22;
  in.lonDeg = 4;
  in.lonMin = 54;
  in.isEast = true;
  in.zoneHours = 0;
  in.zoneMinutes = -20;
  const SunTimes amsterdam = SunRiseSet(in);
  ASSERT_TRUE(amsterdam.sunrise.has_value());
  // NOAA's solar calculator: sunrise 07:50.7 UT, so 08:10.7 on a clock twenty minutes ahead.
  EXPECT_NEAR(minutesOfDay(*amsterdam.sunrise), 8 * 60 + 11, 4);

  in.zoneMinutes = 0;
  const SunTimes greenwich = SunRiseSet(in);
  ASSERT_TRUE(greenwich.sunrise.has_value());
  EXPECT_NEAR(minutesOfDay(*amsterdam.sunrise) - minutesOfDay(*greenwich.sunrise), 20, 1);
  in.zoneMinutes = 25;  // twenty-five minutes west
  const SunTimes west = SunRiseSet(in);
  EXPECT_NEAR(minutesOfDay(*west.sunrise) - minutesOfDay(*greenwich.sunrise), -25, 1);
}

// Reads a hexadecimal floating-point text such as 0x1.f0f72da412a94p+6.
double hexDouble(std::string_view text) {
  if (text.starts_with("0x")) text.remove_prefix(2);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

TEST(CustomZone, EveryRowKeepsItsSunrisesToTheLastBit) {
  std::ifstream in(std::string(HALVORA_TEST_DATA_DIR) + "/zone_row_sunrises.txt");
  ASSERT_TRUE(in) << "zone_row_sunrises.txt";
  int births = 0;
  std::array<int, 71> perRow{};
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int month, day, year, hour, minute, second, south, east, zone, dst;
    std::string latDeg, latMin, lonDeg, lonMin, bar, sunrise, elapsed, sunLongitude;
    fields >> month >> day >> year >> hour >> minute >> second >> latDeg >> latMin >> south >> lonDeg >> lonMin >>
        east >> zone >> dst >> bar >> sunrise >> elapsed >> sunLongitude;
    ASSERT_TRUE(fields && bar == "|" && zone >= 0 && zone <= 70) << line;
    FormInput f = onRow(birthForm(year, month, day, hour, minute, latDeg.c_str(), latMin.c_str(), south == 0,
                                  lonDeg.c_str(), lonMin.c_str(), east == 1),
                        zone);
    f.second = std::to_string(second);
    f.dst = dst == 1;
    const ChartResult r = chartOf(f);
    ++births;
    ++perRow[static_cast<std::size_t>(zone)];
    if (sunrise == "-") {  // recorded at a place without sunrise on the dates the chart needs
      EXPECT_FALSE(r.sunrise.has_value()) << line;
      continue;
    }
    ASSERT_TRUE(r.sunrise.has_value()) << line;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%04d-%02d-%02dT%02d:%02d", r.sunrise->year, r.sunrise->month, r.sunrise->day,
                  r.sunrise->hour, r.sunrise->minute);
    EXPECT_EQ(shown, sunrise) << line;
    EXPECT_EQ(std::to_string(*r.ElapsedSeconds), elapsed) << line;
    EXPECT_EQ(*r.SunriseSunLongitude, hexDouble(sunLongitude)) << line;
  }
  EXPECT_EQ(births, 400);
  for (std::size_t row = 0; row < perRow.size(); ++row) EXPECT_GT(perRow[row], 0) << "row " << row << " is recorded";
}

}  // namespace
}  // namespace halvora
