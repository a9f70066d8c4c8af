// SPDX-License-Identifier: GPL-3.0-or-later
#include "planets/retrogrades.h"

#include <algorithm>
#include <iterator>

#include "planets/station_tables.h"

namespace halvora {

bool IsRetrograde(int year, int month, int day, std::string_view planetName) {
  const auto periods = stationTable(planetName);
  if (!periods) return false;
  // Periods are ordered and disjoint, so only the last one that begins before the date can contain it.
  const std::int32_t date = civilDayNumber(year, month, day);
  const auto after = std::partition_point(periods->begin(), periods->end(),
                                          [date](const StationPeriod& p) { return p.beginDay < date; });
  return after != periods->begin() && date < std::prev(after)->endDay;
}

RetrogradeMarks MarkRetrogrades(int year, int month, int day) {
  static constexpr std::array<std::string_view, 5> kNames = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn"};
  RetrogradeMarks marks;
  for (std::size_t i = 0; i < kPlainPlanetLabels.size(); ++i) marks.labels[i] = kPlainPlanetLabels[i];
  for (std::size_t p = 0; p < kNames.size(); ++p) {
    marks.flags[p] = IsRetrograde(year, month, day, kNames[p]);
    // Mercury is the third chart label.
    if (marks.flags[p]) marks.labels[p + 2] += kRetrogradeMark;
  }
  return marks;
}

}  // namespace halvora
