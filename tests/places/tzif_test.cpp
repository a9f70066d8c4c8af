// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of compiled time-zone files: strict about the bytes, exact about daylight runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "places/tzif.h"

namespace halvora::places {
namespace {

struct Type {
  int offset;
  bool dst;
  std::string abbreviation;
};

void putBigEndian(std::string& out, std::uint64_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A version-2 file with an empty 32-bit block, as RFC 8536 allows, then the 64-bit data and a footer.
std::string tzifBytes(const std::vector<std::int64_t>& times, const std::vector<std::uint8_t>& typeOfTransition,
                      const std::vector<Type>& types, const std::string& footer) {
  std::string chars;
  std::vector<std::uint8_t> index;
  for (const Type& t : types) {
    index.push_back(static_cast<std::uint8_t>(chars.size()));
    chars += t.abbreviation + '\0';
  }
  const auto header = [&](std::string& out, std::uint64_t timeCount, std::uint64_t typeCount,
                          std::uint64_t charCount) {
    out += "TZif2";
    out += std::string(15, '\0');
    for (const std::uint64_t count : {std::uint64_t{0}, std::uint64_t{0}, std::uint64_t{0}, timeCount, typeCount,
                                      charCount})
      putBigEndian(out, count, 4);
  };
  std::string out;
  header(out, 0, 1, 1);
  out += std::string(6, '\0') + '\0';  // one type, one character
  header(out, times.size(), types.size(), chars.size());
  for (const std::int64_t t : times) putBigEndian(out, static_cast<std::uint64_t>(t), 8);
  for (const std::uint8_t k : typeOfTransition) out += static_cast<char>(k);
  for (std::size_t i = 0; i < types.size(); ++i) {
    putBigEndian(out, static_cast<std::uint32_t>(types[i].offset), 4);
    out += static_cast<char>(types[i].dst ? 1 : 0);
    out += static_cast<char>(index[i]);
  }
  out += chars;
  out += '\n' + footer + '\n';
  return out;
}

// A zone with local mean time, standard time, a daylight run of two periods and standard time again.
const std::vector<Type> kTypes = {{1000, false, "LMT"}, {3600, false, "STD"}, {7200, true, "DST"},
                                  {10800, true, "DDT"}};
const std::vector<std::int64_t> kTimes = {0, 100, 200, 300};
const std::vector<std::uint8_t> kTypeOf = {1, 2, 3, 1};

TEST(Tzif, FactsOfEachPeriod) {
  const std::optional<TzifZone> zone = ParseTzif(tzifBytes(kTimes, kTypeOf, kTypes, ""));
  ASSERT_TRUE(zone.has_value());
  EXPECT_TRUE(zone->footer.empty());
  const struct {
    const char* name;
    std::int64_t utc;
    int offset;
    bool dst;
    const char* abbreviation;
    int standard;
    std::optional<std::int64_t> runStart, runEnd;
  } rows[] = {
      {"before the first transition: type 0", -50, 1000, false, "LMT", 1000, {}, {}},
      {"at a transition: the new period", 0, 3600, false, "STD", 3600, {}, {}},
      {"first daylight period", 150, 7200, true, "DST", 3600, 100, 300},
      {"second daylight period, same run", 250, 10800, true, "DDT", 3600, 100, 300},
      {"last second of the run", 299, 10800, true, "DDT", 3600, 100, 300},
      {"after the last transition, no footer", 1000, 3600, false, "STD", 3600, {}, {}},
  };
  for (const auto& r : rows) {
    const std::optional<TzifFacts> f = FactsAt(*zone, r.utc);
    ASSERT_TRUE(f.has_value()) << r.name;
    EXPECT_EQ(f->utcOffsetSeconds, r.offset) << r.name;
    EXPECT_EQ(f->isDst, r.dst) << r.name;
    EXPECT_EQ(f->abbreviation, r.abbreviation) << r.name;
    EXPECT_EQ(f->standardOffsetSeconds, r.standard) << r.name;
    EXPECT_EQ(f->dstRunStartUtc, r.runStart) << r.name;
    EXPECT_EQ(f->dstRunEndUtc, r.runEnd) << r.name;
  }
}

TEST(Tzif, FooterGovernsAfterTheTable) {
  const std::optional<TzifZone> zone = ParseTzif(tzifBytes(kTimes, kTypeOf, kTypes, "STD-1DST,M3.5.0,M10.5.0"));
  ASSERT_TRUE(zone.has_value());
  EXPECT_EQ(zone->footer, "STD-1DST,M3.5.0,M10.5.0");
  EXPECT_TRUE(FactsAt(*zone, 299).has_value());
  EXPECT_FALSE(FactsAt(*zone, 300).has_value());
  // A daylight run that reaches the footer has no known end.
  const std::optional<TzifZone> open = ParseTzif(tzifBytes({0, 100}, {1, 2}, kTypes, "X"));
  ASSERT_TRUE(open.has_value());
  const std::optional<TzifFacts> f = FactsAt(*open, 50);
  ASSERT_TRUE(f.has_value());
  EXPECT_FALSE(f->isDst);
  const std::optional<TzifZone> dstLast = ParseTzif(tzifBytes({0, 100, 200}, {1, 2, 1}, kTypes, "X"));
  ASSERT_TRUE(dstLast.has_value());
  EXPECT_EQ(FactsAt(*dstLast, 150)->dstRunEndUtc, std::optional<std::int64_t>(200));
}

TEST(Tzif, DaylightRunWithoutStandardBeforeItTakesTheOneAfter) {
  // Daylight from the first transition: the standard time is the period that follows the run.
  const std::optional<TzifZone> zone = ParseTzif(tzifBytes({0, 100}, {2, 1}, {{7200, true, "DST"}, {3600, false, "STD"}, {7200, true, "DST"}}, ""));
  ASSERT_TRUE(zone.has_value());
  const std::optional<TzifFacts> f = FactsAt(*zone, 50);
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->standardOffsetSeconds, 3600);
  EXPECT_FALSE(f->dstRunStartUtc.has_value()) << "the run began before the table";
  EXPECT_EQ(f->dstRunEndUtc, std::optional<std::int64_t>(100));
}

TEST(Tzif, StandardTimeNearerToTheDaylightTime) {
  // Standard -11 h, daylight -10 h, daylight +14 h across the date line, standard +13 h.
  const std::vector<Type> types = {{-39600, false, "A"}, {-36000, true, "B"}, {50400, true, "C"}, {46800, false, "D"}};
  const std::optional<TzifZone> zone = ParseTzif(tzifBytes({0, 100, 200}, {1, 2, 3}, types, ""));
  ASSERT_TRUE(zone.has_value());
  EXPECT_EQ(FactsAt(*zone, 50)->standardOffsetSeconds, -39600);
  EXPECT_EQ(FactsAt(*zone, 150)->standardOffsetSeconds, 46800);
  // Equally near: the standard time the daylight time is ahead of, whether before or after the run.
  const std::vector<Type> rising = {{0, false, "A"}, {3600, true, "B"}, {7200, false, "C"}};
  const std::optional<TzifZone> up = ParseTzif(tzifBytes({0, 100}, {1, 2}, rising, ""));
  ASSERT_TRUE(up.has_value());
  EXPECT_EQ(FactsAt(*up, 50)->standardOffsetSeconds, 0);
  const std::vector<Type> falling = {{7200, false, "A"}, {3600, true, "B"}, {0, false, "C"}};
  const std::optional<TzifZone> down = ParseTzif(tzifBytes({0, 100}, {1, 2}, falling, ""));
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(FactsAt(*down, 50)->standardOffsetSeconds, 0);
}

TEST(Tzif, MalformedBytesAreRejected) {
  const std::string good = tzifBytes(kTimes, kTypeOf, kTypes, "");
  ASSERT_TRUE(ParseTzif(good).has_value());
  const struct {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"empty", ""},
      {"magic only", "TZif"},
      {"wrong magic", "TZjf" + good.substr(4)},
      {"unknown version", "TZif1" + good.substr(5)},
      {"no footer line", good.substr(0, good.size() - 2)},
      {"transition to a type that does not exist",
       tzifBytes(kTimes, {1, 2, 7, 1}, kTypes, "")},
      {"times out of order", tzifBytes({0, 200, 100, 300}, kTypeOf, kTypes, "")},
      {"no types", tzifBytes({}, {}, {}, "")},
  };
  for (const auto& r : rows) EXPECT_FALSE(ParseTzif(r.bytes).has_value()) << r.name;
}

TEST(Tzif, EveryTruncationOfARealFileIsRejected) {
  std::ifstream in("/usr/share/zoneinfo/America/New_York", std::ios::binary);
  ASSERT_TRUE(in);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_TRUE(ParseTzif(bytes).has_value());
  for (std::size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(ParseTzif(bytes.substr(0, n)).has_value()) << n;
  // Huge counts in the header must be refused, not trusted.
  std::string huge = bytes;
  for (std::size_t i = 32; i < 44; ++i) huge[i] = '\xff';
  EXPECT_FALSE(ParseTzif(huge).has_value());
}

TEST(Tzif, RealFileMatchesZoneinfo) {
  // Python zoneinfo, Debian tzdata 2025b: New York 1980-07-04 16:00 UTC is EDT, -4:00, daylight;
  // its run began 1980-04-27 07:00 UTC (325666800) and ended 1980-10-26 06:00 UTC (341388000).
  const std::optional<TzifZone> zone = ReadTzifFile("/usr/share/zoneinfo/America/New_York");
  ASSERT_TRUE(zone.has_value());
  EXPECT_EQ(zone->footer, "EST5EDT,M3.2.0,M11.1.0");
  const std::optional<TzifFacts> f = FactsAt(*zone, 331574400);
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->utcOffsetSeconds, -14400);
  EXPECT_TRUE(f->isDst);
  EXPECT_EQ(f->abbreviation, "EDT");
  EXPECT_EQ(f->standardOffsetSeconds, -18000);
  EXPECT_EQ(f->dstRunStartUtc, std::optional<std::int64_t>(325666800));
  EXPECT_EQ(f->dstRunEndUtc, std::optional<std::int64_t>(341388000));
  EXPECT_FALSE(ReadTzifFile("/usr/share/zoneinfo/zone.tab").has_value());
  EXPECT_FALSE(ReadTzifFile("/nonexistent/zone").has_value());
}

}  // namespace
}  // namespace halvora::places

namespace halvora::places {
namespace {

// A zone of no table and only a footer: what the rule gives for 2045.
std::string periodsOf(const std::string& footer, std::int64_t fromUtc, std::int64_t toUtc) {
  TzifZone zone;
  zone.localTypes = {{0, false, "LMT"}};
  zone.footer = footer;
  std::string text;
  for (const TzifPeriod& p : PeriodsBetween(zone, fromUtc, toUtc)) {
    if (!text.empty()) text += "; ";
    text += (p.startUtc == std::numeric_limits<std::int64_t>::min() ? std::string("-") : std::to_string(p.startUtc)) +
            " " + std::to_string(p.utcOffsetSeconds) + " " + p.abbreviation + (p.isDst ? " dst" : "") + " std " +
            std::to_string(p.standardOffsetSeconds);
  }
  return text;
}

// The clock in force on 1 January 2045 (it began in 2044) and each change in 2045. The instants are
// those at which glibc, given the same TZ string, changes its offset (Python's time.localtime after
// tzset(), one second before and at each): EST5EDT on 12 March 2045 at 3:00 EDT = 07:00 UTC.
TEST(TzifFooter, RulesOfEveryForm) {
  constexpr std::int64_t k2045 = 2366755200;  // 2045-01-01 00:00 UTC
  constexpr std::int64_t kYear = 365 * 86400;
  const struct {
    const char* name;
    const char* footer;
    std::string expected;
  } rows[] = {
      {"a fixed offset", "IST-5:30", "- 19800 IST std 19800"},
      {"a quoted name and minutes", "<+0545>-5:45", "- 20700 +0545 std 20700"},
      {"west of Greenwich, M rules at 2:00",
       "EST5EDT,M3.2.0,M11.1.0",
       "2362024800 -18000 EST std -18000; 2372914800 -14400 EDT dst std -18000; 2393474400 -18000 EST std -18000"},
      {"southern summer across the new year (daylight ends in April)",
       "AEST-10AEDT,M10.1.0,M4.1.0/3",
       "2358950400 39600 AEDT dst std 36000; 2374675200 36000 AEST std 36000; 2390400000 39600 AEDT dst std 36000"},
      {"negative times of day", "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",
       "2361402000 -7200 -02 std -7200; 2374102800 -3600 -01 dst std -7200; 2392851600 -7200 -02 std -7200"},
      {"day of the year without 29 February", "XST3XDT,J60,J300",
       "2361153600 -10800 XST std -10800; 2371957200 -7200 XDT dst std -10800; 2392689600 -10800 XST std -10800"},
      {"a name of two letters", "XT5", ""},
      {"an hour past 167", "XST168", ""},
      {"a rule without its end", "EST5EDT,M3.2.0", ""},
      {"a week 6", "EST5EDT,M3.6.0,M11.1.0", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(periodsOf(row.footer, k2045, k2045 + kYear), row.expected);
  }
}

}  // namespace
}  // namespace halvora::places
