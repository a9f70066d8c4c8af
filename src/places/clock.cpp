// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/clock.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "places/tzif.h"

namespace halvora::places {
namespace {

constexpr std::string_view kZoneInfoDir = "/usr/share/zoneinfo/";
constexpr qint64 kSecondsPerDay = 86400;
// Half-width of the span searched for transitions around a wall time; offsets stay within a day.
constexpr qint64 kSearchSeconds = 2 * kSecondsPerDay;
constexpr int kDoubleSummerSeconds = 2 * 3600;
constexpr qint64 kLongestOrdinaryDstRunSeconds = 366 * kSecondsPerDay;
constexpr qint64 kWarTimeFromUtc = -957312000;  // 1939-09-01 00:00 UTC
constexpr qint64 kWarTimeUntilUtc = -757382400;  // 1946-01-01 00:00 UTC

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
struct Segment {
  qint64 startUtc;  // lowest for the stretch before the first transition searched
  QTimeZone::OffsetData data;
};

ClockKind kindOf(bool isDst, int saveSeconds, std::optional<std::int64_t> runStart, std::optional<std::int64_t> runEnd) {
  if (!isDst) return ClockKind::Standard;
  if (saveSeconds < 0) return ClockKind::Winter;
  if (saveSeconds >= kDoubleSummerSeconds) return ClockKind::DoubleSummer;
  if (runStart && runEnd && *runStart >= kWarTimeFromUtc && *runStart < kWarTimeUntilUtc &&
      *runEnd - *runStart > kLongestOrdinaryDstRunSeconds)
    return ClockKind::War;
  return ClockKind::Daylight;
}

// The clock of one segment at an instant inside it. The offsets are the clock library's; where the
// zone's file covers the instant with the same offset, the abbreviation, whether it was daylight time
// and since when are taken from the file, which records them as they were (the library derives the
// daylight flag and misjudges, for one, Argentina's 1999 change).
ZoneClock clockOf(const Segment& s, const std::optional<TzifZone>& file, qint64 instantUtc) {
  ZoneClock c;
  c.offsetSeconds = s.data.offsetFromUtc;
  c.abbreviation = s.data.abbreviation.toStdString();
  bool isDst = s.data.daylightTimeOffset != 0;
  c.standardOffsetSeconds = s.data.standardTimeOffset;
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
  const QTimeZone zone(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  if (!file || !zone.isValid()) return r;

  const QDate date(local.year, local.month, local.day);
  const QTime time(local.hour, local.minute, local.second);
  if (!date.isValid() || !time.isValid()) {
    r.status = ClockStatus::InvalidTime;
    return r;
  }
  // The wall time as if it were universal time; a segment holds it when startUtc + offset <= wall.
  const qint64 wall = QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();

  std::vector<Segment> segments;
  const QDateTime from = QDateTime::fromSecsSinceEpoch(wall - kSearchSeconds, QTimeZone::utc());
  segments.push_back({std::numeric_limits<qint64>::min(), zone.offsetData(from)});
  for (const QTimeZone::OffsetData& t :
       zone.transitions(from, QDateTime::fromSecsSinceEpoch(wall + kSearchSeconds, QTimeZone::utc()))) {
    const qint64 at = t.atUtc.toSecsSinceEpoch();
    if (at > wall - kSearchSeconds) segments.push_back({at, t});
  }

  const auto localStart = [&](std::size_t i) {
    return i == 0 ? std::numeric_limits<qint64>::min() : segments[i].startUtc + segments[i].data.offsetFromUtc;
  };
  const auto localEnd = [&](std::size_t i) {
    return i + 1 == segments.size() ? std::numeric_limits<qint64>::max()
                                    : segments[i + 1].startUtc + segments[i].data.offsetFromUtc;
  };

  std::vector<std::size_t> holding;
  for (std::size_t i = 0; i < segments.size(); ++i)
    if (localStart(i) <= wall && wall < localEnd(i)) holding.push_back(i);

  if (holding.size() == 1) {
    const Segment& s = segments[holding[0]];
    r.status = ClockStatus::Ok;
    r.clock = clockOf(s, file, wall - s.data.offsetFromUtc);
  } else if (holding.size() >= 2) {
    const Segment& first = segments[holding[0]];
    const Segment& second = segments[holding[1]];
    r.status = ClockStatus::Repeated;
    r.earlier = clockOf(first, file, wall - first.data.offsetFromUtc);
    r.later = clockOf(second, file, wall - second.data.offsetFromUtc);
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
