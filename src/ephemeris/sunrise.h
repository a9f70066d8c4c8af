// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sunrise and sunset (upper limb with refraction) of one calendar date at one place, in local clock time.

#include <optional>

#include "ephemeris/date_time.h"

namespace halvora {

struct SunRiseSetInput {
  int month = 1, day = 1, year = 2000;
  int hour = 0, minute = 0;  // clock time; only the daylight-saving rule reads it
  int latDeg = 0, latMin = 0;
  bool isSouth = false;
  int lonDeg = 0, lonMin = 0;
  bool isEast = true;
  int zoneHours = 0, zoneMinutes = 0;  // signed, west of Greenwich positive
  bool isDst = false;
};

// Why the Sun does not cross the horizon on a date: it stays below it all day (polar night, no
// sunrise) or above it all day (polar day, no sunset).
enum class PolarSun { Night, Day };

// Each event is the input date at HH:MM:00, even when the clock time has wrapped past midnight;
// an event that does not happen that day is absent, and `polar` then says whether the Sun stays
// below or above the horizon.
struct SunTimes {
  std::optional<LocalDateTime> sunrise;
  std::optional<LocalDateTime> sunset;
  std::optional<PolarSun> polar;
  bool daylightSaving = false;  // the clock times include the daylight-saving hour
};

SunTimes SunRiseSet(const SunRiseSetInput& in);

// The date at the clock time of decimal hours in 0..24: minutes rounded to the nearest, a minute
// of 60 carried into the hour, and an hour of 24 wrapped to 0 on the same date.
LocalDateTime SunEventClockTime(int year, int month, int day, double hours);

// United States daylight saving (the rule of 1987-2006) at a local moment; weekday Sunday = 0.
bool UsDstInEffect(int day, int weekday, int month, int hour, int minute);

}  // namespace halvora
