// SPDX-License-Identifier: GPL-3.0-or-later
// The row of the form's 71-row zone list that a place's clock selects, or the extra entry.
#include <gtest/gtest.h>

#include <vector>

#include "chart/time_zone_table.h"
#include "places/clock.h"
#include "places/zone_choice.h"

namespace halvora::places {
namespace {

// The form's list, in list order, as the choice takes it.
std::vector<ZoneRowKey> formRows() {
  std::vector<ZoneRowKey> keys;
  for (const TimeZoneRow& row : TimeZoneTable)
    keys.push_back({RowAbbreviation(row.text), row.ZoneCorrectionHours, row.ZoneCorrectionMinutes});
  return keys;
}

TEST(RowAbbreviation, FieldBetweenTheFirstTwoCommas) {
  EXPECT_EQ(RowAbbreviation("Eastern Daylight Time,EDT,-4.0"), "EDT");
  EXPECT_EQ(RowAbbreviation("Indian Time, IST, +5.3"), "IST");
  EXPECT_EQ(RowAbbreviation("no commas"), "");
  EXPECT_EQ(RowAbbreviation("one,comma"), "");
  const std::vector<ZoneRowKey> rows = formRows();
  ASSERT_EQ(rows.size(), 71u);
  for (const ZoneRowKey& r : rows) EXPECT_FALSE(r.abbreviation.empty());
}

// The clock of each place at each moment (offsets and abbreviations from the time-zone database, see
// clock_test.cpp) and the row it selects; the row texts and numbers are those of the form's list.
struct ChoiceRow {
  const char* name;
  const char* zone;
  const char* place;
  LocalClockTime local;
  int row;  // -1: the extra entry
  const char* text;  // the row's text, or the extra entry's
  int hours, minutes;
};

TEST(ChooseZoneRow, RowOrExtraEntryForPlacesAndMoments) {
  const ChoiceRow rows[] = {
      {"Pune 1903: Madras time has seconds", "Asia/Kolkata", "Pune", {1903, 3, 15, 9, 5}, -1,
       "Local clock of Pune, +5:21", -5, -21},
      {"Pune 1943: +6:30 is only North Sumatra's", "Asia/Kolkata", "Pune", {1943, 3, 15, 9, 5}, 52,
       "North Sumatra Time,NST,+6.5", -6, -30},
      {"Pune 1980", "Asia/Kolkata", "Pune", {1980, 3, 15, 9, 5}, 34, "Indian Time, IST, +5.3", -5, -30},
      {"New York July 1980: EDT among three rows of -4", "America/New_York", "New York", {1980, 7, 4, 12, 0}, 24,
       "Eastern Daylight Time,EDT,-4.0", 4, 0},
      {"New York January 1980", "America/New_York", "New York", {1980, 1, 15, 12, 0}, 27,
       "Eastern Standard Time,EST,-5.0", 5, 0},
      {"New York 1943: war time", "America/New_York", "New York", {1943, 6, 1, 12, 0}, 28,
       "Eastern War Time,EWT,-4.0", 4, 0},
      {"New York repeated hour: the first, EDT", "America/New_York", "New York", {2010, 11, 7, 1, 30}, 24,
       "Eastern Daylight Time,EDT,-4.0", 4, 0},
      {"London June 1941: BDST among five rows of +2", "Europe/London", "London", {1941, 6, 1, 12, 0}, 15,
       "British Double Summer Time,BDST,+2.0", -2, 0},
      {"London January 1941", "Europe/London", "London", {1941, 1, 15, 12, 0}, 16, "British Summer Time,BST,+1.0",
       -1, 0},
      {"London 2000: GMT before UT", "Europe/London", "London", {2000, 1, 15, 12, 0}, 29,
       "Greenwich Mean Time,GMT,0.0", 0, 0},
      {"Dublin summer: IST is no row of +1, so the first", "Europe/Dublin", "Dublin", {2020, 7, 15, 12, 0}, 16,
       "British Summer Time,BST,+1.0", -1, 0},
      {"Kathmandu", "Asia/Kathmandu", "Kathmandu", {1990, 1, 1, 12, 0}, -1, "Local clock of Kathmandu, +5:45", -5,
       -45},
      {"Caracas: west, half an hour", "America/Caracas", "Caracas", {2010, 1, 1, 12, 0}, -1,
       "Local clock of Caracas, -4:30", 4, 30},
      {"Sydney", "Australia/Sydney", "Sydney", {1990, 1, 15, 12, 0}, 7, "Australian Eastern Daylight Time,AEDT,+11.0",
       -11, 0},
      {"Adelaide: ACDT before SAD and SDT", "Australia/Adelaide", "Adelaide", {1990, 1, 15, 12, 0}, 5,
       "Australian Central Daylight Time,ACDT,+10.5", -10, -30},
      {"St. John's: the NST of -3:30, not of +6:30", "America/St_Johns", "St. John's", {2000, 1, 15, 12, 0}, 50,
       "Newfoundland Standard Time,NST,-3.5", 3, 30},
      {"Amsterdam 1938: twenty minutes, hours zero", "Europe/Amsterdam", "Amsterdam", {1938, 1, 1, 12, 0}, -1,
       "Local clock of Amsterdam, +0:20", 0, -20},
      {"Tokyo", "Asia/Tokyo", "Tokyo", {2000, 1, 1, 12, 0}, 38, "Japan Standard Time,JST,+9.0", -9, 0},
  };
  const std::vector<ZoneRowKey> keys = formRows();
  for (const ChoiceRow& r : rows) {
    const ClockReading reading = ClockAt(r.zone, r.local);
    ASSERT_TRUE(reading.clock.has_value()) << r.name;
    const ZoneChoice choice = ChooseZoneRow(keys, *reading.clock, r.place);
    if (r.row < 0) {
      EXPECT_FALSE(choice.row.has_value()) << r.name;
      EXPECT_EQ(choice.customText, r.text) << r.name;
    } else {
      ASSERT_TRUE(choice.row.has_value()) << r.name;
      EXPECT_EQ(*choice.row, static_cast<std::size_t>(r.row)) << r.name;
      EXPECT_EQ(TimeZoneTable[*choice.row].text, r.text) << r.name;
      EXPECT_TRUE(choice.customText.empty()) << r.name;
    }
    EXPECT_EQ(choice.correctionHours, r.hours) << r.name;
    EXPECT_EQ(choice.correctionMinutes, r.minutes) << r.name;
  }
}

TEST(ChooseZoneRow, ExtraEntryRoundsToTheWholeMinute) {
  // Universal time = local time + hours + minutes / 60 must hold for the rounded offset.
  const struct {
    const char* name;
    int offsetSeconds;
    const char* text;
    int hours, minutes;
  } rows[] = {
      {"east, under half a minute", 19270, "Local clock of X, +5:21", -5, -21},
      {"east, half a minute rounds up", 19290, "Local clock of X, +5:22", -5, -22},
      {"west, half a minute rounds away from zero", -16230, "Local clock of X, -4:31", 4, 31},
      {"west, under an hour", -1521, "Local clock of X, -0:25", 0, 25},
      {"east, under an hour", 1172, "Local clock of X, +0:20", 0, -20},
      {"minutes round into the next hour", 21599, "Local clock of X, +6:00", -6, 0},
      {"seconds from Greenwich round to zero", -20, "Local clock of X, +0:00", 0, 0},
  };
  const std::vector<ZoneRowKey> keys = formRows();
  for (const auto& r : rows) {
    const ZoneChoice choice = ChooseZoneRow(keys, r.offsetSeconds, "LMT", "X");
    EXPECT_FALSE(choice.row.has_value()) << r.name;
    EXPECT_EQ(choice.customText, r.text) << r.name;
    EXPECT_EQ(choice.correctionHours, r.hours) << r.name;
    EXPECT_EQ(choice.correctionMinutes, r.minutes) << r.name;
    const int roundedEastSeconds = -(choice.correctionHours * 3600 + choice.correctionMinutes * 60);
    EXPECT_LE(std::abs(roundedEastSeconds - r.offsetSeconds), 30) << r.name;
  }
}

TEST(ChooseZoneRow, AbbreviationOnlyBreaksTiesOfEqualOffset) {
  const std::vector<ZoneRowKey> keys = formRows();
  // "NST" names rows of -3:30 and +6:30: the offset decides.
  EXPECT_EQ(ChooseZoneRow(keys, 23400, "NST", "X").row, std::optional<std::size_t>(52));
  EXPECT_EQ(ChooseZoneRow(keys, -12600, "NST", "X").row, std::optional<std::size_t>(50));
  // An abbreviation of a row with another offset does not pull the choice there.
  EXPECT_EQ(ChooseZoneRow(keys, -14400, "EST", "X").row, std::optional<std::size_t>(3));
  // No abbreviation: the first row of the offset.
  EXPECT_EQ(ChooseZoneRow(keys, 7200, "", "X").row, std::optional<std::size_t>(15));
  EXPECT_EQ(ChooseZoneRow(keys, 7200, "EET", "X").row, std::optional<std::size_t>(26));
  // South Australia's second daylight row is reached by its own abbreviation.
  EXPECT_EQ(ChooseZoneRow(keys, 37800, "SDT", "X").row, std::optional<std::size_t>(57));
  // An empty list has no row.
  EXPECT_FALSE(ChooseZoneRow({}, 19800, "IST", "X").row.has_value());
}

}  // namespace
}  // namespace halvora::places
