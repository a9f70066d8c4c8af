// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the sunrise from which the special points are timed.

#include <cstdint>
#include <string>
#include <variant>

#include "ephemeris/date_time.h"
#include "ephemeris/sunrise.h"

namespace halvora {

struct SunriseChoice {
  LocalDateTime sunrise;
  std::int64_t elapsedMinutes = 0;
  std::int64_t elapsedSeconds = 0;
  bool daylightSaving = false;  // the sunrise's clock time includes its day's daylight-saving hour
};

// A date the choice needs on which the Sun does not rise or does not set.
struct MissingSunrise {
  LocalDateTime date;  // midnight of that date
  PolarSun polar = PolarSun::Night;
  friend bool operator==(const MissingSunrise&, const MissingSunrise&) = default;
};

using SunriseOutcome = std::variant<SunriseChoice, MissingSunrise>;

// The birth date's sunrise and sunset decide which sunrise the special points are timed from:
// a birth from sunrise to sunset (both included) takes that sunrise; a birth before it, the day
// before's; a birth after sunset, the next day's, the elapsed time then running from the birth to
// that sunrise. The cases are tried in this order. The choice needs the birth date's sunrise and
// sunset and the sunrise of the day it picks; the first of these that does not happen is returned
// instead, with whether the Sun stays below (polar night) or above (polar day) the horizon.
SunriseOutcome ChooseSunrise(const SunTimes& today, const SunTimes& before, const SunTimes& after,
                             const LocalDateTime& birth);

// The results window's notice for a missing sunrise, naming the date and the kind of polar period.
std::string NoSunriseNotice(const MissingSunrise& missing);

}  // namespace halvora
