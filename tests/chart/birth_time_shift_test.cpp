// SPDX-License-Identifier: GPL-3.0-or-later
// Moving a form's birth time by whole minutes across days, months, years and the ends of the year list.
#include "chart/birth_time_shift.h"

#include <gtest/gtest.h>

#include "support/births.h"

namespace halvora {
namespace {

FormInput at(int month, const char* day, const char* year, const char* hour, const char* minute, const char* second) {
  FormInput f = testing_support::newDelhiForm();
  f.monthIndex = month - 1;
  f.day = day;
  f.year = year;
  f.hour = hour;
  f.minute = minute;
  f.second = second;
  return f;
}

TEST(ShiftBirthTime, CarriesTheDateAndKeepsTheRestOfTheForm) {
  struct Row {
    const char* name;
    FormInput form;
    std::int64_t minutes;
    std::optional<FormInput> moved;
  } rows[] = {
      {"a minute on", at(2, "22", "2011", "9", "5", "30"), 1, at(2, "22", "2011", "9", "6", "30")},
      {"an hour back", at(2, "22", "2011", "9", "5", "30"), -60, at(2, "22", "2011", "8", "5", "30")},
      {"ten minutes across midnight", at(2, "22", "2011", "23", "55", "0"), 10, at(2, "23", "2011", "0", "5", "0")},
      {"back across the new year", at(1, "1", "2000", "0", "30", "59"), -60, at(12, "31", "1999", "23", "30", "59")},
      {"into a leap day", at(2, "28", "2000", "23", "30", "0"), 60, at(2, "29", "2000", "0", "30", "0")},
      {"past the leap day of 2004", at(2, "29", "2004", "23", "50", "0"), 10, at(3, "1", "2004", "0", "0", "0")},
      {"leaves the year list at its start", at(1, "1", "1901", "0", "0", "0"), -1, std::nullopt},
      {"stays at its very start", at(1, "1", "1901", "0", "1", "0"), -1, at(1, "1", "1901", "0", "0", "0")},
      {"leaves it at its end", at(12, "31", "2050", "23", "59", "0"), 1, std::nullopt},
      {"a day that is no list entry", at(2, "30", "2011", "9", "5", "0"), 1, std::nullopt},
      {"a time that is no number", at(2, "22", "2011", "nine", "5", "0"), 1, std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ShiftBirthTime(r.form, r.minutes), r.moved) << r.name;
}

}  // namespace
}  // namespace halvora
