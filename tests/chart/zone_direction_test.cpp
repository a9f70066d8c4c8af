// SPDX-License-Identifier: GPL-3.0-or-later
// One birth moment for every pass: the ascendant, the Moon, the planets and the sunrise all take
// universal time from the zone's own signed correction, whichever side of Greenwich the place is.
#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>

#include "chart/chart_request.h"
#include "chart/time_zone_table.h"
#include "support/chart_of.h"

namespace halvora {
namespace {

using testing_support::chartOf;

// Zone rows of the entry form's list.
constexpr int kGmt = 29;
constexpr int kCet = 20;                // "Central European Time,CET,+1.0"
constexpr int kBst = 16;                // "British Summer Time,BST,+1.0"
constexpr int kAlaskaHawaiiStd = 1;     // "Alaska/Hawaii Standard Time,AHST,-10.0"
constexpr int kNewZealandSummer = 46;   // "New Zealand Std Summer Time,NZST,+13.0"
constexpr int kDateLineWest = 36;       // "Int'l Date Line West,IDLW,-12.0"

struct Place {
  const char* latDeg;
  const char* latMin;
  bool north;
  const char* lonDeg;
  const char* lonMin;
  bool east;
};

FormInput formAt(const Place& p, int month, int day, int year, int hour, int minute, int zone, bool dst) {
  FormInput f;
  f.name = "TEST";
  f.monthIndex = month - 1;
  f.day = std::to_string(day);
  f.year = std::to_string(year);
  f.hour = std::to_string(hour);
  f.minute = std::to_string(minute);
  f.latDeg = p.latDeg;
  f.latMin = p.latMin;
  f.north = p.north;
  f.lonDeg = p.lonDeg;
  f.lonMin = p.lonMin;
  f.east = p.east;
  f.zoneIndex = zone;
  f.dst = dst;
  return f;
}

struct SameMomentRow {
  const char* name;
  FormInput local;      // on the place's own clock
  FormInput greenwich;  // the same moment on Greenwich Mean Time
};

TEST(ZoneDirection, AClockOnEitherSideOfGreenwichGivesTheSameChartAsGreenwichTime) {
  const Place madrid{"40", "25", true, "3", "42", false};
  const Place london{"51", "30", true, "0", "7", false};
  const Place attu{"52", "55", true, "172", "55", true};   // Aleutians, west of the date line
  const Place apia{"13", "50", false, "171", "45", false};  // Samoa, on New Zealand's side of the line
  const Place suva{"18", "8", false, "178", "26", true};
  const SameMomentRow rows[] = {
      {"Madrid on CET at noon is 11:00 GMT", formAt(madrid, 6, 15, 1990, 12, 0, kCet, false),
       formAt(madrid, 6, 15, 1990, 11, 0, kGmt, false)},
      {"Madrid on CET with daylight saving", formAt(madrid, 6, 15, 1990, 13, 0, kCet, true),
       formAt(madrid, 6, 15, 1990, 11, 0, kGmt, false)},
      {"New York on EST with daylight saving", formAt({"40", "43", true, "74", "0", false}, 7, 4, 2005, 9, 0, 27, true),
       formAt({"40", "43", true, "74", "0", false}, 7, 4, 2005, 13, 0, kGmt, false)},
      {"London on BST instead of GMT and the box", formAt(london, 7, 1, 1985, 9, 30, kBst, false),
       formAt(london, 7, 1, 1985, 8, 30, kGmt, false)},
      {"Attu on Alaska/Hawaii time", formAt(attu, 3, 3, 1970, 8, 0, kAlaskaHawaiiStd, false),
       formAt(attu, 3, 3, 1970, 18, 0, kGmt, false)},
      {"Apia thirteen hours east", formAt(apia, 5, 9, 2015, 20, 0, kNewZealandSummer, false),
       formAt(apia, 5, 9, 2015, 7, 0, kGmt, false)},
      {"Suva on the date line's west zone", formAt(suva, 11, 30, 1999, 5, 0, kDateLineWest, false),
       formAt(suva, 11, 30, 1999, 17, 0, kGmt, false)},
  };
  for (const auto& r : rows) {
    const ChartResult a = chartOf(r.local);
    const ChartResult b = chartOf(r.greenwich);
    // Exactly equal: both compute the same universal time before any trigonometry.
    EXPECT_EQ(a.ascendant.AscendantDeg, b.ascendant.AscendantDeg) << r.name;
    EXPECT_EQ(a.ascendant.AyanamsaDeg, b.ascendant.AyanamsaDeg) << r.name;
    EXPECT_EQ(a.moon.MoonLongitudeDeg, b.moon.MoonLongitudeDeg) << r.name;
    EXPECT_EQ(a.SreeLagnaDeg, b.SreeLagnaDeg) << r.name;
    EXPECT_EQ(a.chartPositions[1], b.chartPositions[1]) << r.name << ": the Moon's chart text";
    EXPECT_EQ(a.chartPositions[9], b.chartPositions[9]) << r.name << ": the ascendant's chart text";
    // The planets are timed from the same moment, the daylight-saving hour included.
    EXPECT_EQ(a.chartPositions, b.chartPositions) << r.name << ": every body";
  }
}

// Reads a hexadecimal floating-point text such as -0x1.82b36dfddb859p+4.
double hexDouble(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.starts_with("0x")) text.remove_prefix(2);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex);
  EXPECT_TRUE(ec == std::errc() && end == text.data() + text.size()) << text;
  return negative ? -value : value;
}

TEST(ZoneDirection, BirthsWhoseZoneAndHemisphereAgreeKeepTheirValuesToTheLastBit) {
  std::ifstream in(std::string(HALVORA_TEST_DATA_DIR) + "/zone_agreeing_births.txt");
  ASSERT_TRUE(in) << "zone_agreeing_births.txt";
  int births = 0, zoneZero = 0, daylightSaving = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int month, day, year, hour, minute, second, south, east, zone, dst;
    std::string latDeg, latMin, lonDeg, lonMin, bar, ayanamsa, ascendant, moon, nakshatra, sreeLagna;
    fields >> month >> day >> year >> hour >> minute >> second >> latDeg >> latMin >> south >> lonDeg >> lonMin >>
        east >> zone >> dst >> bar >> ayanamsa >> ascendant >> moon >> nakshatra >> sreeLagna;
    ASSERT_TRUE(fields && bar == "|") << line;
    const int zoneHours = TimeZoneTable[static_cast<std::size_t>(zone)].ZoneCorrectionHours;
    ASSERT_TRUE(zoneHours == 0 || (zoneHours < 0) == (east == 1)) << "the row must agree: " << line;

    FormInput f = formAt({latDeg.c_str(), latMin.c_str(), south == 0, lonDeg.c_str(), lonMin.c_str(), east == 1},
                         month, day, year, hour, minute, zone, dst == 1);
    f.second = std::to_string(second);
    const ChartResult r = chartOf(f);
    EXPECT_EQ(r.ascendant.AyanamsaDeg, hexDouble(ayanamsa)) << line;
    EXPECT_EQ(r.ascendant.AscendantDeg, hexDouble(ascendant)) << line;
    EXPECT_EQ(r.moon.MoonLongitudeDeg, hexDouble(moon)) << line;
    EXPECT_EQ(r.moon.MoonNakshatraStart, hexDouble(nakshatra)) << line;
    EXPECT_EQ(r.SreeLagnaDeg, hexDouble(sreeLagna)) << line;
    ++births;
    zoneZero += zoneHours == 0;
    daylightSaving += dst;
  }
  EXPECT_EQ(births, 300);
  EXPECT_GT(zoneZero, 0) << "zone 0 is among the recorded births";
  EXPECT_GT(daylightSaving, 0) << "daylight saving is among the recorded births";
}

}  // namespace
}  // namespace halvora
