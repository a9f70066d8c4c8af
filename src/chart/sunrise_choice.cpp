#include "chart/sunrise_choice.h"

#include <cstdlib>

namespace halvora {

std::optional<SunriseChoice> ChooseSunrise(const SunTimes& today, const SunTimes& before, const SunTimes& after,
                                           const LocalDateTime& birth) {
  if (!today.sunrise || !today.sunset) return std::nullopt;
  const std::int64_t b = secondsSinceEpoch(birth);
  const std::int64_t s0 = secondsSinceEpoch(*today.sunrise);
  const std::int64_t e0 = secondsSinceEpoch(*today.sunset);
  if (s0 <= b && b <= e0) {
    return SunriseChoice{*today.sunrise, std::llabs(minuteBoundariesBetween(*today.sunrise, birth)),
                         std::llabs(secondsBetween(*today.sunrise, birth))};
  }
  if (b < s0) {
    if (!before.sunrise) return std::nullopt;
    return SunriseChoice{*before.sunrise, std::llabs(minuteBoundariesBetween(*before.sunrise, birth)),
                         std::llabs(secondsBetween(*before.sunrise, birth))};
  }
  if (!after.sunrise) return std::nullopt;
  return SunriseChoice{*after.sunrise, minuteBoundariesBetween(birth, *after.sunrise),
                       secondsBetween(birth, *after.sunrise)};
}

}  // namespace halvora
