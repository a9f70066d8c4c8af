// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar carry and the differences the sunrise choice counts.
#include <gtest/gtest.h>

#include "ephemeris/date_time.h"

namespace halvora {
namespace {

TEST(DateTime, MinutesCarryAcrossDaysMonthsAndYears) {
  struct Row {
    const char* name;
    LocalDateTime from;
    long long minutes;
    LocalDateTime to;
  } rows[] = {
      {"into the previous day", {2000, 1, 2, 2, 10, 0}, -330, {2000, 1, 1, 20, 40, 0}},
      {"into the previous year", {2000, 1, 1, 0, 20, 0}, -330, {1999, 12, 31, 18, 50, 0}},
      {"over a leap day", {2000, 2, 28, 23, 30, 0}, 60, {2000, 2, 29, 0, 30, 0}},
      {"over the end of a common February", {2001, 2, 28, 23, 30, 0}, 60, {2001, 3, 1, 0, 30, 0}},
  };
  for (const auto& r : rows) EXPECT_EQ(addMinutes(r.from, r.minutes), r.to) << r.name;
}

TEST(DateTime, DifferencesCountBoundaries) {
  const LocalDateTime sunrise{2011, 2, 22, 6, 55, 0};
  const LocalDateTime birth{2011, 2, 22, 9, 5, 30};
  EXPECT_EQ(minuteBoundariesBetween(sunrise, birth), 130);
  EXPECT_EQ(secondsBetween(sunrise, birth), 7830);
  // From 21:15:30 to 06:02 the next day: 527 minute boundaries, though 526.5 minutes pass.
  EXPECT_EQ(minuteBoundariesBetween({2000, 3, 20, 21, 15, 30}, {2000, 3, 21, 6, 2, 0}), 527);
  EXPECT_EQ(minuteBoundariesBetween(birth, sunrise), -130);
}

TEST(DateTime, WeekdayAndDayOfYear) {
  EXPECT_EQ(weekdaySundayZero(2005, 4, 3), 0);    // a Sunday
  EXPECT_EQ(weekdaySundayZero(2005, 10, 31), 1);  // a Monday
  EXPECT_EQ(weekdaySundayZero(1901, 1, 1), 2);    // a Tuesday
  EXPECT_EQ(dayOfYear(2000, 1, 1), 1);
  EXPECT_EQ(dayOfYear(2000, 12, 31), 366);
  EXPECT_EQ(dayOfYear(2011, 3, 1), 60);
}

TEST(DateTime, MonthNamesInEnglishWhateverTheLocale) {
  EXPECT_EQ(MonthName(1), "January");
  EXPECT_EQ(MonthName(9), "September");
  EXPECT_EQ(MonthName(12), "December");
  EXPECT_EQ(MonthName(0), "");
  EXPECT_EQ(MonthName(13), "");
}

}  // namespace
}  // namespace halvora
