// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/tzif.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace halvora::places {
namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::uintmax_t kLargestZoneFileBytes = 1 << 20;  // real files are under 10 kB

class Reader {
 public:
  explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
  bool has(std::size_t n) const { return n <= m_bytes.size() - m_at; }
  std::string_view take(std::size_t n) {
    const std::string_view s = m_bytes.substr(m_at, n);
    m_at += n;
    return s;
  }
  std::uint64_t bigEndian(std::size_t n) {
    std::uint64_t v = 0;
    for (const char c : take(n)) v = (v << 8) | static_cast<unsigned char>(c);
    return v;
  }
  std::string_view rest() const { return m_bytes.substr(m_at); }

 private:
  std::string_view m_bytes;
  std::size_t m_at = 0;
};

struct Header {
  char version = 0;
  std::uint64_t isUtCount, isStdCount, leapCount, timeCount, typeCount, charCount;
};

std::optional<Header> readHeader(Reader& r) {
  if (!r.has(kHeaderBytes)) return std::nullopt;
  if (r.take(4) != "TZif") return std::nullopt;
  Header h;
  h.version = r.take(1)[0];
  r.take(15);
  h.isUtCount = r.bigEndian(4);
  h.isStdCount = r.bigEndian(4);
  h.leapCount = r.bigEndian(4);
  h.timeCount = r.bigEndian(4);
  h.typeCount = r.bigEndian(4);
  h.charCount = r.bigEndian(4);
  if (h.version != 0 && h.version < '2') return std::nullopt;  // later versions extend version 2
  if (h.typeCount == 0 || h.typeCount > 256 || h.charCount == 0) return std::nullopt;
  if ((h.isUtCount != 0 && h.isUtCount != h.typeCount) || (h.isStdCount != 0 && h.isStdCount != h.typeCount))
    return std::nullopt;
  return h;
}

std::uint64_t blockBytes(const Header& h, std::size_t timeBytes) {
  return h.timeCount * timeBytes + h.timeCount + h.typeCount * 6 + h.charCount + h.leapCount * (timeBytes + 4) +
         h.isStdCount + h.isUtCount;
}

std::optional<TzifZone> readBlock(Reader& r, const Header& h, std::size_t timeBytes) {
  if (h.timeCount > (1u << 20) || h.leapCount > (1u << 16) || h.charCount > (1u << 16)) return std::nullopt;
  if (!r.has(blockBytes(h, timeBytes))) return std::nullopt;
  TzifZone zone;
  for (std::uint64_t i = 0; i < h.timeCount; ++i) {
    const std::uint64_t raw = r.bigEndian(timeBytes);
    const std::int64_t t = timeBytes == 8 ? static_cast<std::int64_t>(raw)
                                          : static_cast<std::int64_t>(static_cast<std::int32_t>(raw));
    if (!zone.transitionsUtc.empty() && t <= zone.transitionsUtc.back()) return std::nullopt;
    zone.transitionsUtc.push_back(t);
  }
  for (std::uint64_t i = 0; i < h.timeCount; ++i) {
    const auto type = static_cast<std::uint8_t>(r.bigEndian(1));
    if (type >= h.typeCount) return std::nullopt;
    zone.transitionTypes.push_back(type);
  }
  std::vector<std::uint8_t> abbreviationIndex;
  for (std::uint64_t i = 0; i < h.typeCount; ++i) {
    TzifLocalType t;
    t.utcOffsetSeconds = static_cast<std::int32_t>(static_cast<std::uint32_t>(r.bigEndian(4)));
    const auto dst = r.bigEndian(1);
    if (dst > 1) return std::nullopt;
    t.isDst = dst == 1;
    abbreviationIndex.push_back(static_cast<std::uint8_t>(r.bigEndian(1)));
    zone.localTypes.push_back(std::move(t));
  }
  const std::string_view chars = r.take(h.charCount);
  for (std::size_t i = 0; i < zone.localTypes.size(); ++i) {
    const std::size_t start = abbreviationIndex[i];
    const std::size_t end = chars.find('\0', start);
    if (start >= chars.size() || end == std::string_view::npos) return std::nullopt;
    zone.localTypes[i].abbreviation = std::string(chars.substr(start, end - start));
  }
  r.take(h.leapCount * (timeBytes + 4) + h.isStdCount + h.isUtCount);
  return zone;
}

}  // namespace

std::optional<TzifZone> ParseTzif(std::string_view bytes) {
  Reader r(bytes);
  const std::optional<Header> first = readHeader(r);
  if (!first) return std::nullopt;
  if (first->version == 0) return readBlock(r, *first, 4);

  // Version 2 and later repeat the data with 64-bit times, followed by the footer: skip the 32-bit block.
  if (!r.has(blockBytes(*first, 4))) return std::nullopt;
  r.take(blockBytes(*first, 4));
  const std::optional<Header> second = readHeader(r);
  if (!second) return std::nullopt;
  std::optional<TzifZone> zone = readBlock(r, *second, 8);
  if (!zone) return std::nullopt;
  const std::string_view rest = r.rest();
  if (rest.size() < 2 || rest[0] != '\n') return std::nullopt;
  const std::size_t end = rest.find('\n', 1);
  if (end == std::string_view::npos) return std::nullopt;
  zone->footer = std::string(rest.substr(1, end - 1));
  return zone;
}

std::optional<TzifZone> ReadTzifFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestZoneFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseTzif(bytes);
}

std::optional<TzifFacts> FactsAt(const TzifZone& zone, std::int64_t utcSeconds) {
  const auto& times = zone.transitionsUtc;
  if (times.empty() && !zone.footer.empty()) return std::nullopt;
  if (!times.empty() && utcSeconds >= times.back() && !zone.footer.empty()) return std::nullopt;

  // Period k runs from transition k-1 to transition k; period 0 precedes every transition.
  const std::size_t periods = times.size() + 1;
  const auto typeOf = [&](std::size_t k) -> const TzifLocalType& {
    return zone.localTypes[k == 0 ? 0 : zone.transitionTypes[k - 1]];
  };
  const std::size_t here =
      static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), utcSeconds) - times.begin());

  const TzifLocalType& type = typeOf(here);
  TzifFacts facts;
  facts.utcOffsetSeconds = type.utcOffsetSeconds;
  facts.isDst = type.isDst;
  facts.abbreviation = type.abbreviation;
  facts.standardOffsetSeconds = type.utcOffsetSeconds;
  if (!type.isDst) return facts;

  std::size_t first = here;
  while (first > 0 && typeOf(first - 1).isDst) --first;
  std::size_t last = here;
  while (last + 1 < periods && typeOf(last + 1).isDst) ++last;
  std::optional<int> before, after;
  if (first > 0) {
    facts.dstRunStartUtc = times[first - 1];
    before = typeOf(first - 1).utcOffsetSeconds;
  }
  if (last + 1 < periods) {
    facts.dstRunEndUtc = times[last];
    after = typeOf(last + 1).utcOffsetSeconds;
  }
  // A zone may change its standard time across a daylight run (Samoa crossed the date line in one,
  // occupied Kyiv went from Moscow to Central European time in another): the daylight time departs
  // from the standard time nearer to it, and of two equally near, from the one it is ahead of.
  const auto distance = [&](int standard) { return std::abs(facts.utcOffsetSeconds - standard); };
  if (before && after) {
    const bool beforeNearer = distance(*before) != distance(*after) ? distance(*before) < distance(*after)
                                                                    : *before <= *after;
    facts.standardOffsetSeconds = beforeNearer ? *before : *after;
  } else if (before || after) {
    facts.standardOffsetSeconds = before ? *before : *after;
  }
  return facts;
}

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool isLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t yearOf(std::int64_t utcSeconds) {
  const std::int64_t days = utcSeconds >= 0 ? utcSeconds / kSecondsPerDay : (utcSeconds - kSecondsPerDay + 1) / kSecondsPerDay;
  // From Howard Hinnant's civil_from_days.
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// One of the rule's two dates: Jn (1..365, no 29 February), n (0..365) or Mm.w.d, and the local
// time of day it takes effect.
struct RuleDate {
  enum class Kind { Julian, ZeroBased, MonthWeekDay } kind = Kind::MonthWeekDay;
  int day = 0, month = 0, week = 0;
  int timeSeconds = 7200;  // 02:00 when not given
};

struct PosixRule {
  std::string standardName, daylightName;
  int standardOffset = 0;  // east of Greenwich positive
  std::optional<int> daylightOffset;
  RuleDate start, end;
};

class RuleReader {
 public:
  explicit RuleReader(std::string_view text) : m_text(text) {}
  bool atEnd() const { return m_at == m_text.size(); }
  bool take(char c) {
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }
  std::optional<std::string> name() {
    std::string out;
    if (take('<')) {
      while (m_at < m_text.size() && m_text[m_at] != '>') out += m_text[m_at++];
      if (!take('>') || out.size() < 3) return std::nullopt;
      return out;
    }
    while (m_at < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_at]))) out += m_text[m_at++];
    if (out.size() < 3) return std::nullopt;
    return out;
  }
  std::optional<int> number(int maxValue) {
    int value = 0, digits = 0;
    while (m_at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_at]))) {
      value = value * 10 + (m_text[m_at++] - '0');
      if (++digits > 3 || value > maxValue) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    return value;
  }
  // [+-]hh[:mm[:ss]] in seconds; hours up to 167, as the TZif footer allows for times.
  std::optional<int> signedTime() {
    int sign = 1;
    if (take('-')) sign = -1;
    else take('+');
    const auto hours = number(167);
    if (!hours) return std::nullopt;
    int seconds = *hours * 3600;
    if (take(':')) {
      const auto minutes = number(59);
      if (!minutes) return std::nullopt;
      seconds += *minutes * 60;
      if (take(':')) {
        const auto secs = number(59);
        if (!secs) return std::nullopt;
        seconds += *secs;
      }
    }
    return sign * seconds;
  }
  std::optional<RuleDate> date() {
    RuleDate d;
    if (take('J')) {
      d.kind = RuleDate::Kind::Julian;
      const auto n = number(365);
      if (!n || *n < 1) return std::nullopt;
      d.day = *n;
    } else if (take('M')) {
      const auto month = number(12);
      if (!month || *month < 1 || !take('.')) return std::nullopt;
      const auto week = number(5);
      if (!week || *week < 1 || !take('.')) return std::nullopt;
      const auto weekday = number(6);
      if (!weekday) return std::nullopt;
      d.month = *month;
      d.week = *week;
      d.day = *weekday;
    } else {
      d.kind = RuleDate::Kind::ZeroBased;
      const auto n = number(365);
      if (!n) return std::nullopt;
      d.day = *n;
    }
    if (take('/')) {
      const auto time = signedTime();
      if (!time) return std::nullopt;
      d.timeSeconds = *time;
    }
    return d;
  }

 private:
  std::string_view m_text;
  std::size_t m_at = 0;
};

std::optional<PosixRule> parseRule(std::string_view text) {
  RuleReader r(text);
  PosixRule rule;
  const auto standardName = r.name();
  const auto standardWest = standardName ? r.signedTime() : std::nullopt;
  if (!standardWest) return std::nullopt;
  rule.standardName = *standardName;
  rule.standardOffset = -*standardWest;
  if (r.atEnd()) return rule;
  const auto daylightName = r.name();
  if (!daylightName) return std::nullopt;
  rule.daylightName = *daylightName;
  rule.daylightOffset = rule.standardOffset + 3600;
  if (!r.atEnd() && !r.take(',')) {
    const auto daylightWest = r.signedTime();
    if (!daylightWest || !r.take(',')) return std::nullopt;
    rule.daylightOffset = -*daylightWest;
  }
  const auto start = r.date();
  if (!start || !r.take(',')) return std::nullopt;
  const auto end = r.date();
  if (!end || !r.atEnd()) return std::nullopt;
  rule.start = *start;
  rule.end = *end;
  return rule;
}

// The local second since 1970 at which a rule date falls in `year`, on the clock then in force.
std::int64_t localSecondsOf(const RuleDate& d, std::int64_t year) {
  std::int64_t days = 0;
  switch (d.kind) {
    case RuleDate::Kind::Julian: {
      // 1..365, 29 February never counted: day 60 is always 1 March.
      int dayOfYear = d.day - 1;
      if (isLeapYear(year) && d.day >= 60) ++dayOfYear;
      days = daysFromCivil(year, 1, 1) + dayOfYear;
      break;
    }
    case RuleDate::Kind::ZeroBased: days = daysFromCivil(year, 1, 1) + d.day; break;
    case RuleDate::Kind::MonthWeekDay: {
      const std::int64_t first = daysFromCivil(year, d.month, 1);
      const int firstWeekday = static_cast<int>(((first % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
      int day = 1 + (d.day - firstWeekday + 7) % 7 + (d.week - 1) * 7;
      while (day > daysInMonth(year, d.month)) day -= 7;
      days = daysFromCivil(year, d.month, day);
      break;
    }
  }
  return days * kSecondsPerDay + d.timeSeconds;
}

TzifPeriod periodOf(const TzifLocalType& type) {
  return {0, type.utcOffsetSeconds, type.isDst, type.abbreviation, type.utcOffsetSeconds};
}

}  // namespace

std::vector<TzifPeriod> PeriodsBetween(const TzifZone& zone, std::int64_t fromUtc, std::int64_t toUtc) {
  std::vector<TzifPeriod> all;
  const auto& times = zone.transitionsUtc;
  if (zone.localTypes.empty()) return all;
  // The table: before the first transition the first type holds.
  TzifPeriod before = periodOf(zone.localTypes[0]);
  before.startUtc = std::numeric_limits<std::int64_t>::min();
  all.push_back(before);
  for (std::size_t i = 0; i < times.size(); ++i) {
    if (times[i] > toUtc) break;
    TzifPeriod p = periodOf(zone.localTypes[zone.transitionTypes[i]]);
    p.startUtc = times[i];
    all.push_back(p);
  }
  // After the table's end, the footer's rule.
  const std::int64_t tableEnd = times.empty() ? std::numeric_limits<std::int64_t>::min() : times.back();
  if (!zone.footer.empty() && toUtc >= tableEnd) {
    const auto rule = parseRule(zone.footer);
    if (!rule) return {};
    if (!rule->daylightOffset) {
      const TzifPeriod fixed{times.empty() ? std::numeric_limits<std::int64_t>::min() : tableEnd, rule->standardOffset,
                             false, rule->standardName, rule->standardOffset};
      if (times.empty()) all = {fixed};
      else all.back() = TzifPeriod{tableEnd, fixed.utcOffsetSeconds, false, fixed.abbreviation, fixed.utcOffsetSeconds};
    } else {
      const int standard = rule->standardOffset, daylight = *rule->daylightOffset;
      // The table's last clock runs on under the rule, whose standard time its daylight time leaves.
      if (all.back().startUtc == tableEnd && all.back().isDst) all.back().standardOffsetSeconds = standard;
      std::vector<TzifPeriod> changes;
      const std::int64_t firstYear = yearOf(std::max(tableEnd, fromUtc)) - 1;
      for (std::int64_t year = firstYear; year <= yearOf(toUtc) + 1; ++year) {
        // Daylight time begins on the standard clock and ends on the daylight clock.
        changes.push_back({localSecondsOf(rule->start, year) - standard, daylight, true, rule->daylightName, standard});
        changes.push_back({localSecondsOf(rule->end, year) - daylight, standard, false, rule->standardName, standard});
      }
      std::stable_sort(changes.begin(), changes.end(),
                       [](const TzifPeriod& a, const TzifPeriod& b) { return a.startUtc < b.startUtc; });
      for (const TzifPeriod& change : changes) {
        if (change.startUtc <= tableEnd) {
          // The clock in force when the table ends is the rule's: the last table type stays only as
          // long as the rule agrees with it.
          continue;
        }
        all.push_back(change);
      }
    }
  }
  // In force at fromUtc, then every start in (fromUtc, toUtc].
  std::vector<TzifPeriod> out;
  for (const TzifPeriod& p : all) {
    if (p.startUtc <= fromUtc) {
      if (out.empty()) out.push_back(p);
      else out.back() = p;
    } else if (p.startUtc <= toUtc) {
      out.push_back(p);
    }
  }
  return out;
}

}  // namespace halvora::places
