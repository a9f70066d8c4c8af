// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Births and entry forms shared by the tests and the benchmarks.

#include <cstdint>
#include <string>

#include "chart/chart_request.h"
#include "ephemeris/birth_data.h"

namespace halvora::testing_support {

struct BirthSpec {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
  int zoneHours = 0, zoneMinutes = 0;  // magnitudes
  int lonDeg = 0, lonMin = 0;
  bool east = false;
  int latDeg = 0, latMin = 0;
  bool south = false;
  bool dst = false;
};

inline BirthData makeBirth(const BirthSpec& s) {
  const auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
  BirthData b;
  b.BirthYear = i16(s.year);
  b.BirthMonth = i16(s.month);
  b.BirthDay = i16(s.day);
  b.BirthHour = i16(s.hour);
  b.BirthMinute = i16(s.minute);
  b.ZoneHours = i16(s.zoneHours);
  b.ZoneMinutes = i16(s.zoneMinutes);
  b.LonDeg = i16(s.lonDeg);
  b.LonMin = i16(s.lonMin);
  b.IsEast = s.east;
  b.LatDeg = i16(s.latDeg);
  b.LatMin = i16(s.latMin);
  b.IsSouth = s.south;
  b.IsDST = s.dst;
  return b;
}

// New Delhi, 2011 February 22, 9:05 (5 h 30 east of Greenwich).
inline BirthData newDelhiBirth() {
  BirthData b = makeBirth({.year = 2011, .month = 2, .day = 22, .hour = 9, .minute = 5, .zoneHours = 5,
                           .zoneMinutes = 30, .lonDeg = 77, .lonMin = 13, .east = true, .latDeg = 28, .latMin = 37});
  b.BirthName = "ASHA";
  return b;
}

// The same birth as the entry form holds it, at 9:05:30, zone row "Indian Time, IST, +5.3".
inline FormInput newDelhiForm() {
  FormInput f;
  f.name = "ASHA";
  f.monthIndex = 1;
  f.day = "22";
  f.year = "2011";
  f.hour = "9";
  f.minute = "5";
  f.second = "30";
  f.city = "New Delhi";
  f.state = "Delhi";
  f.country = "India";
  f.latDeg = "28";
  f.latMin = "37";
  f.lonDeg = "77";
  f.lonMin = "13";
  f.zoneIndex = 34;
  return f;
}

// Pune, 18°31' N 73°51' E, on Indian time, at a whole hour of 1980: the births whose cells crowd.
inline FormInput puneForm(int month, int day, int hour) {
  FormInput form = newDelhiForm();
  form.monthIndex = month - 1;
  form.day = std::to_string(day);
  form.year = "1980";
  form.hour = std::to_string(hour);
  form.minute = "0";
  form.second = "0";
  form.latDeg = "18";
  form.latMin = "31";
  form.lonDeg = "73";
  form.lonMin = "51";
  form.zoneIndex = 34;  // "Indian Time, IST, +5.3"
  return form;
}

// A form typed by hand: the date and time, the coordinates with their hemispheres, the zone row
// and the daylight-saving box; everything else as a fresh entry form holds it.
struct TypedBirth {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  const char* latDeg = "";
  const char* latMin = "";
  bool north = true;
  const char* lonDeg = "";
  const char* lonMin = "";
  bool east = true;
  int zone = 0;
  bool dst = false;
  const char* name = "TEST";
};

inline FormInput typedForm(const TypedBirth& t) {
  FormInput f;
  f.name = t.name;
  f.monthIndex = t.month - 1;
  f.day = std::to_string(t.day);
  f.year = std::to_string(t.year);
  f.hour = std::to_string(t.hour);
  f.minute = std::to_string(t.minute);
  f.second = std::to_string(t.second);
  f.latDeg = t.latDeg;
  f.latMin = t.latMin;
  f.north = t.north;
  f.lonDeg = t.lonDeg;
  f.lonMin = t.lonMin;
  f.east = t.east;
  f.zoneIndex = t.zone;
  f.dst = t.dst;
  return f;
}

}  // namespace halvora::testing_support
