// SPDX-License-Identifier: GPL-3.0-or-later
// The clock of a zone at a local time: offsets, daylight time, gaps and repeats, and the line that
// explains them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "places/clock.h"
#include "places/printers.h"

namespace halvora::places {
namespace {

// Expected offsets, abbreviations and daylight flags were read apart from this code with Python 3.11's
// zoneinfo over Debian's tzdata 2025b (/usr/share/zoneinfo): utcoffset(), tzname() and dst() of
// datetime(..., tzinfo=ZoneInfo(zone)), with fold=0 and fold=1 for the two sides of a gap or repeat.
// The size of a daylight save, which the compiled files do not hold, is from the database's source
// as Debian ships it in /usr/share/zoneinfo/tzdata.zi: London "R G 1941 ... 2 BDST", Kolkata
// "5:30 1 %z 1942 May 15" and "5:30 1 %z 1945 O 15", Kyiv "1 c CE%sT 1943 N 6".
struct ClockRow {
  const char* name;
  const char* zone;
  LocalClockTime local;
  int offsetSeconds;
  const char* abbreviation;
  bool daylight;
  ClockKind kind;
};

TEST(ClockAt, OffsetsOfPlacesAndMoments) {
  const ClockRow rows[] = {
      {"Pune 1903, Madras time", "Asia/Kolkata", {1903, 3, 15, 9, 5}, 19270, "MMT", false, ClockKind::Standard},
      {"Pune 1943, war time", "Asia/Kolkata", {1943, 3, 15, 9, 5}, 23400, "+0630", true, ClockKind::War},
      {"Pune 1980, IST", "Asia/Kolkata", {1980, 3, 15, 9, 5}, 19800, "IST", false, ClockKind::Standard},
      {"Pune 1850, local mean time", "Asia/Kolkata", {1850, 1, 1, 12, 0}, 21208, "LMT", false, ClockKind::Standard},
      {"New York July 1980", "America/New_York", {1980, 7, 4, 12, 0}, -14400, "EDT", true, ClockKind::Daylight},
      {"New York January 1980", "America/New_York", {1980, 1, 15, 12, 0}, -18000, "EST", false,
       ClockKind::Standard},
      {"New York 1941, daylight before the war", "America/New_York", {1941, 7, 1, 12, 0}, -14400, "EDT", true,
       ClockKind::Daylight},
      {"New York 1943, war time", "America/New_York", {1943, 6, 1, 12, 0}, -14400, "EWT", true, ClockKind::War},
      {"New York 2040, after the file's table", "America/New_York", {2040, 7, 1, 12, 0}, -14400, "EDT", true,
       ClockKind::Daylight},
      {"New York 9999, the footer's rule", "America/New_York", {9999, 1, 15, 12, 0}, -18000, "EST", false,
       ClockKind::Standard},
      // The footers' rules past the tables (tzdata: Rule EU, Rule AN, Rule LH, whose save is 0:30).
      {"Berlin summer 2045", "Europe/Berlin", {2045, 7, 1, 12, 0}, 7200, "CEST", true, ClockKind::Daylight},
      {"Berlin winter 2045", "Europe/Berlin", {2045, 12, 1, 12, 0}, 3600, "CET", false, ClockKind::Standard},
      {"Sydney January 2045, southern summer", "Australia/Sydney", {2045, 1, 15, 12, 0}, 39600, "AEDT", true,
       ClockKind::Daylight},
      {"Sydney July 2045", "Australia/Sydney", {2045, 7, 15, 12, 0}, 36000, "AEST", false, ClockKind::Standard},
      {"Lord Howe January 2045, half an hour ahead", "Australia/Lord_Howe", {2045, 1, 15, 12, 0}, 39600, "+11", true,
       ClockKind::Daylight},
      {"Universal time", "UTC", {2001, 6, 1, 12, 0}, 0, "UTC", false, ClockKind::Standard},
      // Two hours ahead of GMT (tzdata.zi's save 2; zoneinfo's dst() says 1:00).
      {"London June 1941, double summer time", "Europe/London", {1941, 6, 1, 12, 0}, 7200, "BDST", true,
       ClockKind::DoubleSummer},
      {"London January 1941, summer time all winter", "Europe/London", {1941, 1, 15, 12, 0}, 3600, "BST", true,
       ClockKind::War},
      {"Kathmandu 1990", "Asia/Kathmandu", {1990, 1, 1, 12, 0}, 20700, "+0545", false, ClockKind::Standard},
      {"Caracas 2010", "America/Caracas", {2010, 1, 1, 12, 0}, -16200, "-0430", false, ClockKind::Standard},
      {"Sydney January 1990", "Australia/Sydney", {1990, 1, 15, 12, 0}, 39600, "AEDT", true, ClockKind::Daylight},
      {"Oslo June 2000", "Europe/Oslo", {2000, 6, 1, 12, 0}, 7200, "CEST", true, ClockKind::Daylight},
      // Standard time 1:00 with Central European rules from 1941 to 1943 (zoneinfo's dst() guesses -1:00
      // from the Moscow time before).
      {"Kyiv 1942, daylight time ahead of the occupier's standard", "Europe/Kyiv", {1942, 6, 1, 12, 0}, 7200,
       "CEST", true, ClockKind::War},
      {"Amsterdam 1938, twenty minutes", "Europe/Amsterdam", {1938, 1, 1, 12, 0}, 1200, "+0020", false,
       ClockKind::Standard},
      // The database marks this as daylight time (dst() = 1:00) though the offset did not change.
      {"Buenos Aires December 1999", "America/Argentina/Buenos_Aires", {1999, 12, 1, 12, 0}, -10800, "-03", true,
       ClockKind::Daylight},
      // Irish law makes summer time standard: the database's daylight rule sets winter back (dst() = -1:00).
      {"Dublin January 2020", "Europe/Dublin", {2020, 1, 15, 12, 0}, 0, "GMT", false, ClockKind::Winter},
      {"Dublin July 2020", "Europe/Dublin", {2020, 7, 15, 12, 0}, 3600, "IST", false, ClockKind::Standard},
  };
  for (const ClockRow& r : rows) {
    const ClockReading reading = ClockAt(r.zone, r.local);
    ASSERT_EQ(reading.status, ClockStatus::Ok) << r.name;
    ASSERT_TRUE(reading.clock.has_value()) << r.name;
    EXPECT_EQ(reading.clock->offsetSeconds, r.offsetSeconds) << r.name;
    EXPECT_EQ(reading.clock->abbreviation, r.abbreviation) << r.name;
    EXPECT_EQ(reading.clock->daylight, r.daylight) << r.name;
    EXPECT_EQ(reading.clock->kind, r.kind) << r.name;
    EXPECT_FALSE(reading.earlier.has_value()) << r.name;
    EXPECT_FALSE(reading.later.has_value()) << r.name;
  }
}

TEST(ClockAt, StandardTimeBehindDaylightTime) {
  // The save is the difference from the standard time in force before: 2 h in London 1941, 1 h in
  // Pune 1943 (IST before September 1942).
  const ClockReading london = ClockAt("Europe/London", {1941, 6, 1, 12, 0});
  ASSERT_TRUE(london.clock.has_value());
  EXPECT_EQ(london.clock->standardOffsetSeconds, 0);
  const ClockReading pune = ClockAt("Asia/Kolkata", {1943, 3, 15, 9, 5});
  ASSERT_TRUE(pune.clock.has_value());
  EXPECT_EQ(pune.clock->standardOffsetSeconds, 19800);
  const ClockReading standard = ClockAt("America/New_York", {1980, 1, 15, 12, 0});
  ASSERT_TRUE(standard.clock.has_value());
  EXPECT_EQ(standard.clock->standardOffsetSeconds, -18000);
}

struct JumpRow {
  const char* name;
  const char* zone;
  LocalClockTime local;
  ClockStatus status;
  int earlierSeconds;
  const char* earlierAbbreviation;
  int laterSeconds;
  const char* laterAbbreviation;
};

TEST(ClockAt, TimesThatDidNotExistOrCameTwice) {
  const JumpRow rows[] = {
      {"New York spring forward", "America/New_York", {2010, 3, 14, 2, 30}, ClockStatus::NonExistent, -18000, "EST",
       -14400, "EDT"},
      {"first minute of the gap", "America/New_York", {2010, 3, 14, 2, 0}, ClockStatus::NonExistent, -18000, "EST",
       -14400, "EDT"},
      {"New York fall back", "America/New_York", {2010, 11, 7, 1, 30}, ClockStatus::Repeated, -14400, "EDT", -18000,
       "EST"},
      {"first minute of the repeat", "America/New_York", {2010, 11, 7, 1, 0}, ClockStatus::Repeated, -14400, "EDT",
       -18000, "EST"},
      {"Samoa skipped a whole day", "Pacific/Apia", {2011, 12, 30, 12, 0}, ClockStatus::NonExistent, -36000, "-10",
       50400, "+14"},
      {"Lord Howe goes back half an hour", "Australia/Lord_Howe", {2020, 4, 5, 1, 45}, ClockStatus::Repeated, 39600,
       "+11", 37800, "+1030"},
  };
  for (const JumpRow& r : rows) {
    const ClockReading reading = ClockAt(r.zone, r.local);
    ASSERT_EQ(reading.status, r.status) << r.name;
    ASSERT_TRUE(reading.earlier.has_value() && reading.later.has_value()) << r.name;
    EXPECT_EQ(reading.earlier->offsetSeconds, r.earlierSeconds) << r.name;
    EXPECT_EQ(reading.earlier->abbreviation, r.earlierAbbreviation) << r.name;
    EXPECT_EQ(reading.later->offsetSeconds, r.laterSeconds) << r.name;
    EXPECT_EQ(reading.later->abbreviation, r.laterAbbreviation) << r.name;
    if (r.status == ClockStatus::Repeated) {
      ASSERT_TRUE(reading.clock.has_value()) << r.name;
      EXPECT_EQ(*reading.clock, *reading.earlier) << r.name << ": the first is taken";
    } else {
      EXPECT_FALSE(reading.clock.has_value()) << r.name;
    }
  }
}

TEST(ClockAt, EdgesOfTheJumps) {
  // 01:59 exists before New York's gap, 03:00 after it; 00:59 and 02:00 lie outside the repeat.
  const struct {
    const char* name;
    LocalClockTime local;
    int offsetSeconds;
  } rows[] = {
      {"minute before the gap", {2010, 3, 14, 1, 59}, -18000},
      {"end of the gap", {2010, 3, 14, 3, 0}, -14400},
      {"minute before the repeat", {2010, 11, 7, 0, 59}, -14400},
      {"end of the repeat", {2010, 11, 7, 2, 0}, -18000},
  };
  for (const auto& r : rows) {
    const ClockReading reading = ClockAt("America/New_York", r.local);
    ASSERT_EQ(reading.status, ClockStatus::Ok) << r.name;
    EXPECT_EQ(reading.clock->offsetSeconds, r.offsetSeconds) << r.name;
  }
}

TEST(ClockAt, NamesAndTimesThatAreNotClocks) {
  const struct {
    const char* name;
    const char* zone;
    LocalClockTime local;
    ClockStatus status;
  } rows[] = {
      {"unknown zone", "Mars/Olympus_Mons", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"empty name", "", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"path out of the database", "../../../etc/passwd", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"absolute path", "/usr/share/zoneinfo/UTC", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"a file of the database that is no zone", "zone.tab", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"a directory of the database", "America", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"Qt's offset names are not in the database", "UTC+05:30", {2000, 1, 1, 12, 0}, ClockStatus::UnknownZone},
      {"30 February", "Asia/Kolkata", {2010, 2, 30, 12, 0}, ClockStatus::InvalidTime},
      {"hour 24", "Asia/Kolkata", {2010, 2, 3, 24, 0}, ClockStatus::InvalidTime},
      {"month 13", "Asia/Kolkata", {2010, 13, 3, 12, 0}, ClockStatus::InvalidTime},
      {"31 April", "Asia/Kolkata", {2010, 4, 31, 12, 0}, ClockStatus::InvalidTime},
      {"29 February of a common year", "Europe/Berlin", {2045, 2, 29, 12, 0}, ClockStatus::InvalidTime},
      {"year 0, which the calendar does not have", "Asia/Kolkata", {0, 1, 1, 12, 0}, ClockStatus::InvalidTime},
  };
  for (const auto& r : rows) {
    const ClockReading reading = ClockAt(r.zone, r.local);
    EXPECT_EQ(reading.status, r.status) << r.name;
    EXPECT_FALSE(reading.clock.has_value()) << r.name;
  }
}

TEST(OffsetText, SignsMinutesAndSeconds) {
  const struct {
    int seconds;
    const char* text;
  } rows[] = {
      {19800, "+5:30"}, {-16200, "-4:30"}, {19270, "+5:21:10"}, {0, "+0:00"},
      {-1521, "-0:25:21"}, {20700, "+5:45"}, {50400, "+14:00"}, {-36000, "-10:00"},
  };
  for (const auto& r : rows) EXPECT_EQ(OffsetText(r.seconds), r.text) << r.seconds;
}

TEST(ClockExplanation, TheLineUnderTheZone) {
  const struct {
    const char* name;
    const char* place;
    const char* zone;
    LocalClockTime local;
    const char* text;
  } rows[] = {
      {"war time", "Pune", "Asia/Kolkata", {1943, 3, 15, 9, 5},
       "Clock of Pune on March 15, 1943, 9:05: +6:30 (war time), from the time-zone database"},
      {"seconds of Madras time", "Pune", "Asia/Kolkata", {1903, 3, 15, 9, 5},
       "Clock of Pune on March 15, 1903, 9:05: +5:21:10 (MMT, standard time), from the time-zone database"},
      {"local mean time", "Pune", "Asia/Kolkata", {1850, 1, 1, 0, 0},
       "Clock of Pune on January 1, 1850, 0:00: +5:53:28 (local mean time), from the time-zone database"},
      {"daylight saving time", "New York", "America/New_York", {1980, 7, 4, 12, 0},
       "Clock of New York on July 4, 1980, 12:00: -4:00 (EDT, daylight saving time), from the time-zone database"},
      {"double summer time", "London", "Europe/London", {1941, 6, 1, 23, 59},
       "Clock of London on June 1, 1941, 23:59: +2:00 (BDST, double summer time), from the time-zone database"},
      {"winter time", "Dublin", "Europe/Dublin", {2020, 1, 15, 12, 0},
       "Clock of Dublin on January 15, 2020, 12:00: +0:00 (GMT, winter time), from the time-zone database"},
      {"no such time", "New York", "America/New_York", {2010, 3, 14, 2, 30},
       "Clock of New York on March 14, 2010, 2:30: no such time, the clocks went forward from -5:00 (EST, "
       "standard time) to -4:00 (EDT, daylight saving time); please check the time of birth"},
      {"a day skipped across the date line: +14 is daylight time of +13", "Apia", "Pacific/Apia",
       {2011, 12, 30, 12, 0},
       "Clock of Apia on December 30, 2011, 12:00: no such time, the clocks went forward from -10:00 (daylight "
       "saving time) to +14:00 (daylight saving time); please check the time of birth"},
      {"twice", "New York", "America/New_York", {2010, 11, 7, 1, 30},
       "Clock of New York on November 7, 2010, 1:30: this time came twice, at -4:00 (EDT, daylight saving time) "
       "and again at -5:00 (EST, standard time); the first is taken, from the time-zone database"},
      {"unknown zone", "Atlantis", "Atlantis/Capital", {2000, 1, 1, 12, 0},
       "Clock of Atlantis: the time zone is not in the time-zone database"},
      {"invalid date", "Pune", "Asia/Kolkata", {2001, 2, 29, 12, 0}, "Clock of Pune: not a valid date and time"},
  };
  for (const auto& r : rows) EXPECT_EQ(ClockExplanation(r.place, r.local, ClockAt(r.zone, r.local)), r.text) << r.name;
}

TEST(ClockExplanation, MismatchedReadingIsNoCrash) {
  // A reading paired with a date it was not made for must not index past the month names.
  const ClockReading reading = ClockAt("Asia/Kolkata", {1980, 3, 15, 9, 5});
  EXPECT_EQ(ClockExplanation("Pune", {1980, 0, 15, 9, 5}, reading), "Clock of Pune: not a valid date and time");
}

// Moments across every zone of the atlas, generated by tests/places/clock_samples.py with Python's
// zoneinfo (see there): random moments 1880..2037 and moments inside gaps and repeats.
TEST(ClockAt, AgreesWithZoneinfoAcrossTheAtlasZones) {
  std::ifstream in(std::string(HALVORA_PLACES_TEST_DATA_DIR) + "/clock_samples.tsv");
  ASSERT_TRUE(in) << "clock_samples.tsv is missing";
  std::string line;
  int rows = 0, gaps = 0, repeats = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string zone, status, abbr0, abbr1;
    LocalClockTime t;
    int offset0 = 0, offset1 = 0, dst0 = 0, dst1 = 0;
    fields >> zone >> t.year >> t.month >> t.day >> t.hour >> t.minute >> status >> offset0 >> abbr0 >> dst0 >>
        offset1 >> abbr1 >> dst1;
    ASSERT_FALSE(fields.fail()) << line;
    ++rows;
    const std::string where = zone + " " + std::to_string(t.year) + "-" + std::to_string(t.month) + "-" +
                              std::to_string(t.day) + " " + std::to_string(t.hour) + ":" + std::to_string(t.minute);
    const ClockReading r = ClockAt(zone, t);
    // dst() of zoneinfo: positive for daylight time, negative for a rule that sets the clock back.
    const auto expectClock = [&](const std::optional<ZoneClock>& c, int offset, const std::string& abbr, int dst) {
      ASSERT_TRUE(c.has_value()) << where;
      EXPECT_EQ(c->offsetSeconds, offset) << where;
      EXPECT_EQ(c->abbreviation, abbr) << where;
      EXPECT_EQ(c->daylight, dst > 0) << where;
      EXPECT_EQ(c->kind == ClockKind::Winter, dst < 0) << where;
      EXPECT_EQ(c->kind == ClockKind::Standard, dst == 0) << where;
    };
    if (status == "ok") {
      ASSERT_EQ(r.status, ClockStatus::Ok) << where;
      expectClock(r.clock, offset0, abbr0, dst0);
    } else {
      ASSERT_EQ(r.status, status == "gap" ? ClockStatus::NonExistent : ClockStatus::Repeated) << where;
      (status == "gap" ? gaps : repeats)++;
      expectClock(r.earlier, offset0, abbr0, dst0);
      expectClock(r.later, offset1, abbr1, dst1);
    }
  }
  EXPECT_GT(rows, 1000);
  EXPECT_GT(gaps, 100);
  EXPECT_GT(repeats, 100);
}

}  // namespace
}  // namespace halvora::places
