// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/sunrise_choice.h"

#include <cstdlib>

#include "ephemeris/calendar.h"

namespace halvora {

namespace {

MissingSunrise missingOn(const LocalDateTime& birth, int dayOffset, const SunTimes& times) {
  const LocalDateTime date = addDays(LocalDateTime{birth.year, birth.month, birth.day, 0, 0, 0}, dayOffset);
  return MissingSunrise{date, times.polar.value_or(PolarSun::Night)};
}

}  // namespace

SunriseOutcome ChooseSunrise(const SunTimes& today, const SunTimes& before, const SunTimes& after,
                             const LocalDateTime& birth) {
  if (!today.sunrise || !today.sunset) return missingOn(birth, 0, today);
  const std::int64_t b = secondsSinceEpoch(birth);
  const std::int64_t s0 = secondsSinceEpoch(*today.sunrise);
  const std::int64_t e0 = secondsSinceEpoch(*today.sunset);
  if (s0 <= b && b <= e0) {
    return SunriseChoice{*today.sunrise, std::llabs(minuteBoundariesBetween(*today.sunrise, birth)),
                         std::llabs(secondsBetween(*today.sunrise, birth)), today.daylightSaving};
  }
  if (b < s0) {
    if (!before.sunrise) return missingOn(birth, -1, before);
    return SunriseChoice{*before.sunrise, std::llabs(minuteBoundariesBetween(*before.sunrise, birth)),
                         std::llabs(secondsBetween(*before.sunrise, birth)), before.daylightSaving};
  }
  if (!after.sunrise) return missingOn(birth, 1, after);
  return SunriseChoice{*after.sunrise, minuteBoundariesBetween(birth, *after.sunrise),
                       secondsBetween(birth, *after.sunrise), after.daylightSaving};
}

std::string NoSunriseNotice(const MissingSunrise& missing) {
  std::string notice;
  notice.reserve(120);
  notice += missing.polar == PolarSun::Night ? "Polar night: the Sun does not rise at this place on "
                                             : "Polar day: the Sun does not set at this place on ";
  char digits[24];
  notice += MonthName(missing.date.month);
  notice += ' ';
  notice.append(digits, WriteDecimal(digits, missing.date.day));
  notice += ", ";
  notice.append(digits, WriteDecimal(digits, missing.date.year));
  notice += ", so the points timed from sunrise are not shown.";
  return notice;
}

}  // namespace halvora
