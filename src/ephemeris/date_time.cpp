// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/date_time.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace halvora {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

std::int64_t secondsSinceEpoch(const LocalDateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL +
         t.second;
}

LocalDateTime fromSecondsSinceEpoch(std::int64_t seconds) {
  using namespace std::chrono;
  const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
  std::int64_t rest = seconds - days * kSecondsPerDay;
  const year_month_day ymd{sys_days{std::chrono::days{days}}};
  LocalDateTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(rest / 3600);
  rest %= 3600;
  t.minute = static_cast<int>(rest / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

LocalDateTime addDays(const LocalDateTime& t, int days) {
  return fromSecondsSinceEpoch(secondsSinceEpoch(t) + days * kSecondsPerDay);
}

LocalDateTime addMinutes(const LocalDateTime& t, std::int64_t minutes) {
  return fromSecondsSinceEpoch(secondsSinceEpoch(t) + minutes * 60);
}

std::int64_t minuteBoundariesBetween(const LocalDateTime& a, const LocalDateTime& b) {
  return floorDiv(secondsSinceEpoch(b), 60) - floorDiv(secondsSinceEpoch(a), 60);
}

std::int64_t secondsBetween(const LocalDateTime& a, const LocalDateTime& b) {
  return secondsSinceEpoch(b) - secondsSinceEpoch(a);
}

int weekdaySundayZero(int year, int month, int day) {
  // 1970-01-01 was a Thursday (4).
  return static_cast<int>(((daysFromCivil(year, month, day) % 7) + 7 + 4) % 7);
}

int dayOfYear(int year, int month, int day) {
  return static_cast<int>(daysFromCivil(year, month, day) - daysFromCivil(year, 1, 1)) + 1;
}

bool isValidDate(int year, int month, int day) {
  using namespace std::chrono;
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  return year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                        std::chrono::day{static_cast<unsigned>(day)}}
      .ok();
}

std::string_view MonthName(int month) {
  static constexpr std::array<std::string_view, 12> kNames = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  if (month < 1 || month > 12) return {};
  return kNames[static_cast<std::size_t>(month - 1)];
}

std::string formatIsoMinute(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

}  // namespace halvora
