// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock a place kept at a local date and time, from the system's time-zone database.

#include <optional>
#include <string>
#include <string_view>

namespace halvora::places {

// A reading of a local wall clock, with no zone attached.
struct LocalClockTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalClockTime&, const LocalClockTime&) = default;
};

// What kind of time the clock showed.
enum class ClockKind {
  Standard,      // the zone's standard time, or local mean time
  Daylight,      // ordinary daylight saving (summer) time
  DoubleSummer,  // two or more hours ahead of standard time
  War,           // daylight time kept without a break for more than a year during the Second World War
  Winter,        // a daylight rule that sets the clock back from standard time (Ireland since 1971)
};

struct ZoneClock {
  int offsetSeconds = 0;          // from universal time, east of Greenwich positive: India +19800
  int standardOffsetSeconds = 0;  // the standard time the clock departed from; = offsetSeconds when standard
  bool daylight = false;          // daylight saving or another summer time was in force
  ClockKind kind = ClockKind::Standard;
  std::string abbreviation;  // as the database writes it: "EDT", "IST", "+0630"
  friend bool operator==(const ZoneClock&, const ZoneClock&) = default;
};

enum class ClockStatus {
  Ok,           // the local time happened once
  NonExistent,  // the clocks went forward over the local time
  Repeated,     // the clocks went back and the local time happened twice
  UnknownZone,  // the name is not a zone of the database
  InvalidTime,  // not a calendar date and time of day
};

struct ClockReading {
  ClockStatus status = ClockStatus::UnknownZone;
  std::optional<ZoneClock> clock;    // the clock to use: Ok, or the first of a repeated time
  std::optional<ZoneClock> earlier;  // NonExistent: in force before the jump; Repeated: the first
  std::optional<ZoneClock> later;    // NonExistent: in force after the jump; Repeated: the second
};

// The clock of the zone `timeZoneName` ("Asia/Kolkata") at the local date and time.
ClockReading ClockAt(std::string_view timeZoneName, const LocalClockTime& local);

// "+5:30", "-4:30", "+5:21:10", "+0:00": an offset east of Greenwich positive, seconds only when present.
std::string OffsetText(int offsetSeconds);

// The line under the zone list: "Clock of Pune on March 15, 1943, 9:05: +6:30 (war time), from the
// time-zone database", and its variants for a time that did not exist or came twice.
std::string ClockExplanation(std::string_view placeName, const LocalClockTime& local, const ClockReading& reading);

}  // namespace halvora::places
