// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/clock.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "places/tzif.h"

namespace halvora::places {
namespace {

constexpr std::string_view kZoneInfoDir = "/usr/share/zoneinfo/";
constexpr std::int64_t kSecondsPerDay = 86400;
// Half-width of the span searched for transitions around a wall time; offsets stay within a day.
constexpr std::int64_t kSearchSeconds = 2 * kSecondsPerDay;
constexpr int kDoubleSummerSeconds = 2 * 3600;
constexpr std::int64_t kLongestOrdinaryDstRunSeconds = 366 * kSecondsPerDay;
constexpr std::int64_t kWarTimeFromUtc = -957312000;  // 1939-09-01 00:00 UTC
constexpr std::int64_t kWarTimeUntilUtc = -757382400;  // 1946-01-01 00:00 UTC

// Zone names of the database: words of letters, digits, '_', '-' and '+' joined by '/'.
bool isZoneName(std::string_view name) {
  if (name.empty() || name.size() > 128 || name.front() == '/' || name.back() == '/') return false;
  std::size_t wordStart = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '/') {
      const std::string_view word = name.substr(wordStart, i - wordStart);
      if (word.empty() || word == "." || word == "..") return false;
      wordStart = i + 1;
      continue;
    }
    const char c = name[i];
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                         c == '-' || c == '+';
    if (!allowed) return false;
  }
  return true;
}

// One stretch of constant offset: [startUtc, next segment's startUtc).
using Segment = TzifPeriod;

// Seconds from 1970-01-01 00:00 to a wall date and time read as if it were universal time.
std::int64_t wallSeconds(const LocalClockTime& t) {
  std::int64_t year = t.year;
  year -= t.month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
  const std::int64_t days = era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
  return days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

// A date and time of the calendar; the calendar has no year 0 (1 BC comes before AD 1).
bool isCalendarTime(const LocalClockTime& t) {
  if (t.year == 0 || t.month < 1 || t.month > 12 || t.day < 1 || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
      t.second < 0 || t.second > 59)
    return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
  return t.day <= (t.month == 2 && leap ? 29 : kDays[t.month - 1]);
}

ClockKind kindOf(bool isDst, int saveSeconds, std::optional<std::int64_t> runStart, std::optional<std::int64_t> runEnd) {
  if (!isDst) return ClockKind::Standard;
  if (saveSeconds < 0) return ClockKind::Winter;
  if (saveSeconds >= kDoubleSummerSeconds) return ClockKind::DoubleSummer;
  if (runStart && runEnd && *runStart >= kWarTimeFromUtc && *runStart < kWarTimeUntilUtc &&
      *runEnd - *runStart > kLongestOrdinaryDstRunSeconds)
    return ClockKind::War;
  return ClockKind::Daylight;
}

// The clock of one segment at an instant inside it. Where the zone's table covers the instant, the
// abbreviation, whether it was daylight time, the standard time it departed from and since when
// are the table's facts, which record them as they were; past the table, the footer's rule's.
ZoneClock clockOf(const Segment& s, const std::optional<TzifZone>& file, std::int64_t instantUtc) {
  ZoneClock c;
  c.offsetSeconds = s.utcOffsetSeconds;
  c.abbreviation = s.abbreviation;
  bool isDst = s.isDst;
  c.standardOffsetSeconds = s.standardOffsetSeconds;
  std::optional<std::int64_t> runStart, runEnd;
  if (file) {
    if (const std::optional<TzifFacts> facts = FactsAt(*file, instantUtc);
        facts && facts->utcOffsetSeconds == c.offsetSeconds) {
      isDst = facts->isDst;
      c.abbreviation = facts->abbreviation;
      c.standardOffsetSeconds = facts->standardOffsetSeconds;
      runStart = facts->dstRunStartUtc;
      runEnd = facts->dstRunEndUtc;
    }
  }
  if (!isDst) c.standardOffsetSeconds = c.offsetSeconds;
  const int save = c.offsetSeconds - c.standardOffsetSeconds;
  c.kind = kindOf(isDst, save, runStart, runEnd);
  c.daylight = isDst && save >= 0;
  return c;
}

}  // namespace

ClockReading ClockAt(std::string_view timeZoneName, const LocalClockTime& local) {
  ClockReading r;
  if (!isZoneName(timeZoneName)) return r;
  const std::string name(timeZoneName);
  std::optional<TzifZone> file = ReadTzifFile(std::string(kZoneInfoDir) + name);
  if (!file) return r;

  if (!isCalendarTime(local)) {
    r.status = ClockStatus::InvalidTime;
    return r;
  }
  // The wall time as if it were universal time; a segment holds it when startUtc + offset <= wall.
  const std::int64_t wall = wallSeconds(local);
  const std::vector<Segment> segments = PeriodsBetween(*file, wall - kSearchSeconds, wall + kSearchSeconds);
  if (segments.empty()) return r;

  const auto localStart = [&](std::size_t i) {
    return i == 0 ? std::numeric_limits<std::int64_t>::min() : segments[i].startUtc + segments[i].utcOffsetSeconds;
  };
  const auto localEnd = [&](std::size_t i) {
    return i + 1 == segments.size() ? std::numeric_limits<std::int64_t>::max()
                                    : segments[i + 1].startUtc + segments[i].utcOffsetSeconds;
  };

  std::vector<std::size_t> holding;
  for (std::size_t i = 0; i < segments.size(); ++i)
    if (localStart(i) <= wall && wall < localEnd(i)) holding.push_back(i);

  if (holding.size() == 1) {
    const Segment& s = segments[holding[0]];
    r.status = ClockStatus::Ok;
    r.clock = clockOf(s, file, wall - s.utcOffsetSeconds);
  } else if (holding.size() >= 2) {
    const Segment& first = segments[holding[0]];
    const Segment& second = segments[holding[1]];
    r.status = ClockStatus::Repeated;
    r.earlier = clockOf(first, file, wall - first.utcOffsetSeconds);
    r.later = clockOf(second, file, wall - second.utcOffsetSeconds);
    r.clock = r.earlier;
  } else {
    // The wall time falls between the end of one segment's local span and the start of the next.
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
      if (localEnd(i) <= wall && wall < localStart(i + 1)) {
        r.status = ClockStatus::NonExistent;
        r.earlier = clockOf(segments[i], file, segments[i + 1].startUtc - 1);
        r.later = clockOf(segments[i + 1], file, segments[i + 1].startUtc);
        break;
      }
    }
  }
  return r;
}

std::string OffsetText(int offsetSeconds) {
  const long long magnitude = std::llabs(static_cast<long long>(offsetSeconds));
  const long long hours = magnitude / 3600;
  const long long minutes = magnitude / 60 % 60;
  const long long seconds = magnitude % 60;
  const auto twoDigits = [](long long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  std::string text = (offsetSeconds < 0 ? "-" : "+") + std::to_string(hours) + ":" + twoDigits(minutes);
  if (seconds != 0) text += ":" + twoDigits(seconds);
  return text;
}

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"January", "February", "March",     "April",
                                                          "May",     "June",     "July",      "August",
                                                          "September", "October", "November", "December"};

bool hasLetter(std::string_view s) {
  for (const char c : s)
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return false;
}

std::string_view kindText(ClockKind kind) {
  switch (kind) {
    case ClockKind::Standard: return "standard time";
    case ClockKind::Daylight: return "daylight saving time";
    case ClockKind::DoubleSummer: return "double summer time";
    case ClockKind::War: return "war time";
    case ClockKind::Winter: return "winter time";
  }
  return {};
}

// "+6:30 (war time)", "-4:00 (EDT, daylight saving time)", "+5:53:28 (local mean time)".
std::string clockText(const ZoneClock& c) {
  std::string text = OffsetText(c.offsetSeconds) + " (";
  if (c.abbreviation == "LMT") {
    text += "local mean time";
  } else {
    if (hasLetter(c.abbreviation)) text += c.abbreviation + ", ";
    text += kindText(c.kind);
  }
  return text + ")";
}

// "Clock of Pune on March 15, 1943, 9:05".
std::string clockOfPlace(std::string_view placeName, const LocalClockTime& t) {
  std::string text = "Clock of " + std::string(placeName) + " on ";
  text += std::string(kMonthNames[static_cast<std::size_t>(t.month - 1)]) + " " + std::to_string(t.day) + ", " +
          std::to_string(t.year) + ", " + std::to_string(t.hour) + ":" + (t.minute < 10 ? "0" : "") +
          std::to_string(t.minute);
  if (t.second != 0) text += std::string(t.second < 10 ? ":0" : ":") + std::to_string(t.second);
  return text;
}

constexpr std::string_view kFromDatabase = ", from the time-zone database";

}  // namespace

std::string ClockExplanation(std::string_view placeName, const LocalClockTime& local, const ClockReading& reading) {
  if (local.month < 1 || local.month > 12) return "Clock of " + std::string(placeName) + ": not a valid date and time";
  switch (reading.status) {
    case ClockStatus::Ok:
      if (reading.clock) return clockOfPlace(placeName, local) + ": " + clockText(*reading.clock) + std::string(kFromDatabase);
      break;
    case ClockStatus::Repeated:
      if (reading.earlier && reading.later)
        return clockOfPlace(placeName, local) + ": this time came twice, at " + clockText(*reading.earlier) +
               " and again at " + clockText(*reading.later) + "; the first is taken" + std::string(kFromDatabase);
      break;
    case ClockStatus::NonExistent:
      if (reading.earlier && reading.later)
        return clockOfPlace(placeName, local) + ": no such time, the clocks went forward from " +
               clockText(*reading.earlier) + " to " + clockText(*reading.later) + "; please check the time of birth";
      break;
    case ClockStatus::InvalidTime:
      return "Clock of " + std::string(placeName) + ": not a valid date and time";
    case ClockStatus::UnknownZone:
      break;
  }
  return "Clock of " + std::string(placeName) + ": the time zone is not in the time-zone database";
}

}  // namespace halvora::places
