// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A calendar date and clock time without a time zone, with day arithmetic and differences.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace halvora {

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Days since 1970-01-01 of a proleptic Gregorian date (negative before it); a day past the
// month's end carries into the next month.
constexpr std::int64_t daysFromCivil(int year, int month, int day) {
  const std::chrono::year_month_day first{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{1}};
  return std::chrono::sys_days{first}.time_since_epoch().count() + (day - 1);
}

// Seconds since 1970-01-01 00:00:00 of the moment, read as if it were universal time.
std::int64_t secondsSinceEpoch(const LocalDateTime& t);
LocalDateTime fromSecondsSinceEpoch(std::int64_t seconds);

// Calendar carry across days, months and years.
LocalDateTime addDays(const LocalDateTime& t, int days);
LocalDateTime addMinutes(const LocalDateTime& t, std::int64_t minutes);

// Number of minute (second) boundaries crossed going from a to b; negative when b lies before a.
std::int64_t minuteBoundariesBetween(const LocalDateTime& a, const LocalDateTime& b);
std::int64_t secondsBetween(const LocalDateTime& a, const LocalDateTime& b);

int weekdaySundayZero(int year, int month, int day);  // Sunday = 0 .. Saturday = 6
int dayOfYear(int year, int month, int day);          // 1 for 1 January

bool isValidDate(int year, int month, int day);

// "January" .. "December"; an empty text for a month outside 1..12.
std::string_view MonthName(int month);

// "YYYY-MM-DD HH:MM".
std::string formatIsoMinute(const LocalDateTime& t);

}  // namespace halvora
