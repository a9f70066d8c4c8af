// SPDX-License-Identifier: GPL-3.0-or-later
// Sunrise and sunset: the three worked cities, the US daylight rule, polar days and nights.
#include <gtest/gtest.h>

#include "ephemeris/sunrise.h"

namespace halvora {
namespace {

SunRiseSetInput place(int y, int m, int d, int latDeg, int latMin, bool south, int lonDeg, int lonMin, bool east,
                      int zoneHours, int zoneMinutes, bool dst, int hour = 12) {
  SunRiseSetInput in;
  in.year = y;
  in.month = m;
  in.day = d;
  in.hour = hour;
  in.latDeg = latDeg;
  in.latMin = latMin;
  in.isSouth = south;
  in.lonDeg = lonDeg;
  in.lonMin = lonMin;
  in.isEast = east;
  in.zoneHours = zoneHours;
  in.zoneMinutes = zoneMinutes;
  in.isDst = dst;
  return in;
}

std::string hhmm(const std::optional<LocalDateTime>& t) {
  if (!t) return "absent";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t->hour, t->minute);
  return buf;
}

struct CityRow {
  const char* name;
  SunRiseSetInput in;
  const char* sunrise;
  const char* sunset;
};

TEST(SunRiseSet, WorkedCities) {
  const CityRow rows[] = {
      {"New Delhi", place(2011, 2, 22, 28, 37, false, 77, 13, true, -5, -30, false), "06:55", "18:15"},
      {"New York with daylight saving", place(2005, 7, 4, 40, 43, false, 74, 0, false, 5, 0, true), "05:29", "20:31"},
      {"New York without", place(2005, 7, 4, 40, 43, false, 74, 0, false, 5, 0, false), "04:29", "19:31"},
      {"London", place(2000, 3, 20, 51, 30, false, 0, 7, false, 0, 0, false), "06:04", "18:13"},
  };
  for (const auto& r : rows) {
    const SunTimes t = SunRiseSet(r.in);
    EXPECT_EQ(hhmm(t.sunrise), r.sunrise) << r.name;
    EXPECT_EQ(hhmm(t.sunset), r.sunset) << r.name;
    ASSERT_TRUE(t.sunrise && t.sunset) << r.name;
    EXPECT_EQ(t.sunrise->day, r.in.day) << r.name << ": the event keeps the input date";
    EXPECT_EQ(t.sunrise->second, 0) << r.name;
  }
}

TEST(SunRiseSet, ZoneMinutesCountAsMinutesOfTime) {
  const SunTimes whole = SunRiseSet(place(2011, 2, 22, 28, 37, false, 77, 13, true, -5, 0, false));
  const SunTimes half = SunRiseSet(place(2011, 2, 22, 28, 37, false, 77, 13, true, -5, -30, false));
  ASSERT_TRUE(whole.sunrise && half.sunrise);
  EXPECT_EQ(minuteBoundariesBetween(*whole.sunrise, *half.sunrise), 30);
}

TEST(SunRiseSet, ThirteenHoursEastAfterDaylightSavingIsTakenAsElevenWest) {
  // Zone 12 h east plus the daylight hour makes 13: the same clock times as 11 h west.
  const SunTimes wrapped = SunRiseSet(place(2005, 7, 4, 36, 50, true, 174, 45, true, -12, 0, true));
  const SunTimes west = SunRiseSet(place(2005, 7, 4, 36, 50, true, 174, 45, true, 11, 0, false));
  EXPECT_EQ(wrapped.sunrise, west.sunrise);
  EXPECT_EQ(wrapped.sunset, west.sunset);
}

TEST(SunRiseSet, PolarDayAndNightHaveNoEventsAndSayWhich) {
  struct Row {
    const char* name;
    SunRiseSetInput in;
    std::optional<PolarSun> polar;
  } rows[] = {
      {"Tromso polar night", place(1990, 12, 21, 69, 39, false, 18, 57, true, -1, 0, false), PolarSun::Night},
      {"Tromso midnight sun", place(1990, 6, 21, 69, 39, false, 18, 57, true, -2, 0, false), PolarSun::Day},
      {"Antarctic midsummer", place(2015, 12, 21, 80, 44, true, 99, 42, true, -7, 0, false), PolarSun::Day},
      {"Antarctic midwinter", place(2015, 6, 21, 80, 44, true, 99, 42, true, -7, 0, false), PolarSun::Night},
      {"an ordinary day says nothing", place(2011, 2, 22, 28, 37, false, 77, 13, true, -5, -30, false),
       std::nullopt},
  };
  for (const auto& r : rows) {
    const SunTimes t = SunRiseSet(r.in);
    EXPECT_EQ(t.sunrise.has_value(), !r.polar.has_value()) << r.name;
    EXPECT_EQ(t.sunset.has_value(), !r.polar.has_value()) << r.name;
    EXPECT_EQ(t.polar, r.polar) << r.name;
  }
}

TEST(SunRiseSet, SunriseComesBeforeSunsetAtOrdinaryLatitudes) {
  for (int lat = -60; lat <= 60; lat += 15) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 15, 28}) {
        const SunTimes t =
            SunRiseSet(place(2001, month, day, std::abs(lat), 0, lat < 0, 0, 0, false, 0, 0, false));
        ASSERT_TRUE(t.sunrise && t.sunset) << lat << " " << month << "/" << day;
        EXPECT_LT(secondsSinceEpoch(*t.sunrise), secondsSinceEpoch(*t.sunset)) << lat << " " << month << "/" << day;
      }
    }
  }
}

TEST(SunEventClockTime, RoundsCarriesAndWraps) {
  struct Row {
    const char* name;
    double hours;
    int hh, mm;
  } rows[] = {
      {"rounds down", 6.9 + 0.2 / 60, 6, 54},
      {"rounds up from half a minute", 6.5 + 0.6 / 60, 6, 31},
      {"a minute of 60 carries into the hour", 5.9999, 6, 0},
      {"the last minute of the day wraps to midnight", 23.9999, 0, 0},
      {"an hour of 24 wraps to 0", 24.000001, 0, 0},
  };
  for (const auto& r : rows) {
    const LocalDateTime t = SunEventClockTime(2011, 2, 22, r.hours);
    EXPECT_EQ(t.hour, r.hh) << r.name;
    EXPECT_EQ(t.minute, r.mm) << r.name;
    EXPECT_EQ(t.day, 22) << r.name << ": the date never moves";
  }
}

struct DstRow {
  const char* name;
  int month, day, hour;
  bool inEffect;
};

TEST(UsDstInEffect, RuleOf2005) {
  const DstRow rows[] = {
      {"first Sunday of April before 2:00", 4, 3, 1, false},
      {"first Sunday of April after 2:00", 4, 3, 3, true},
      {"Monday after the change", 4, 4, 0, true},
      {"last day of March", 3, 31, 12, false},
      {"summer", 7, 4, 12, true},
      {"last Sunday of October before 2:00", 10, 30, 1, true},
      {"last Sunday of October after 2:00", 10, 30, 3, false},
      {"Monday after the change back", 10, 31, 12, false},
      {"Friday before the change back", 10, 28, 12, true},
      {"winter", 12, 15, 12, false},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(UsDstInEffect(r.day, weekdaySundayZero(2005, r.month, r.day), r.month, r.hour, 0), r.inEffect) << r.name;
  }
}

}  // namespace
}  // namespace halvora
