#pragma once
// Choosing the sunrise from which the special points are timed.

#include <cstdint>
#include <optional>

#include "ephemeris/date_time.h"
#include "ephemeris/sunrise.h"

namespace halvora {

struct SunriseChoice {
  LocalDateTime sunrise;
  std::int64_t elapsedMinutes = 0;
  std::int64_t elapsedSeconds = 0;
};

// The sunrise the special points are timed from: that of the birth date for a birth in daylight,
// the day before's for a birth before sunrise, the next day's for a birth after sunset (the elapsed
// time then runs from the birth to that sunrise). The cases are tried in this order. Nothing when
// a sunrise or sunset that the choice needs does not happen (polar day or night).
std::optional<SunriseChoice> ChooseSunrise(const SunTimes& today, const SunTimes& before, const SunTimes& after,
                                           const LocalDateTime& birth);

}  // namespace halvora
