// SPDX-License-Identifier: GPL-3.0-or-later
// The zone list and the correction numbers of its rows.
#include <gtest/gtest.h>

#include "chart/time_zone_table.h"

namespace halvora {
namespace {

struct ZoneRow {
  const char* name;
  int position;
  const char* text;
  int hours, minutes;
};

TEST(TimeZoneTable, RowsAndTheirCorrections) {
  const ZoneRow rows[] = {
      {"default row", 0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
      {"India, .3 means thirty minutes", 34, "Indian Time, IST, +5.3", -5, -30},
      {"Newfoundland", 50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
      {"North Sumatra shares NST", 52, "North Sumatra Time,NST,+6.5", -6, -30},
      {"Australian Central Daylight", 5, "Australian Central Daylight Time,ACDT,+10.5", -10, -30},
      {"New Zealand Summer", 48, "New Zealand Summer Time,NZS,+12.5", -12, -30},
      {"Greenwich", 29, "Greenwich Mean Time,GMT,0.0", 0, 0},
      {"Universal", 61, "Universal Time, UT, 0.0", 0, 0},
      {"New Zealand Std Summer", 46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
      {"last row", 70, "Yukon War Time,YWT,-8.0", 8, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(TimeZoneTable[static_cast<std::size_t>(r.position)].text, r.text) << r.name;
    const auto zone = Zone_Calculation(r.position);
    ASSERT_TRUE(zone.has_value()) << r.name;
    EXPECT_EQ(zone->hours, r.hours) << r.name;
    EXPECT_EQ(zone->minutes, r.minutes) << r.name;
  }
}

TEST(TimeZoneTable, MinutesCarryTheSignOfTheHoursAndAreZeroOrThirty) {
  for (const auto& row : TimeZoneTable) {
    EXPECT_TRUE(row.ZoneCorrectionMinutes == 0 || std::abs(row.ZoneCorrectionMinutes) == 30) << row.text;
    if (row.ZoneCorrectionMinutes != 0) {
      EXPECT_EQ(row.ZoneCorrectionMinutes < 0, row.ZoneCorrectionHours < 0) << row.text;
    }
  }
}

TEST(TimeZoneTable, NoRowOutsideTheList) {
  EXPECT_EQ(TimeZoneTable.size(), 71u);
  EXPECT_FALSE(Zone_Calculation(-1).has_value());
  EXPECT_FALSE(Zone_Calculation(71).has_value());
}

}  // namespace
}  // namespace halvora
