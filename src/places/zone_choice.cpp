// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/zone_choice.h"

#include <cstdlib>

namespace halvora::places {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

long long rowOffsetSeconds(const ZoneRowKey& row) {
  return -(static_cast<long long>(row.correctionHours) * 3600 + static_cast<long long>(row.correctionMinutes) * 60);
}

// Whole minutes east of Greenwich, halves rounded away from zero so that east and west round alike.
long long roundedMinutes(int offsetSeconds) {
  const long long magnitude = (std::llabs(static_cast<long long>(offsetSeconds)) + 30) / 60;
  return offsetSeconds < 0 ? -magnitude : magnitude;
}

}  // namespace

std::string_view RowAbbreviation(std::string_view rowText) {
  const std::size_t first = rowText.find(',');
  if (first == std::string_view::npos) return {};
  const std::size_t second = rowText.find(',', first + 1);
  if (second == std::string_view::npos) return {};
  return trimmed(rowText.substr(first + 1, second - first - 1));
}

ZoneChoice ChooseZoneRow(std::span<const ZoneRowKey> rows, int offsetSeconds, std::string_view abbreviation,
                         std::string_view placeName) {
  std::optional<std::size_t> firstEqual;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rowOffsetSeconds(rows[i]) != offsetSeconds) continue;
    if (!firstEqual) firstEqual = i;
    if (!abbreviation.empty() && trimmed(rows[i].abbreviation) == abbreviation) {
      firstEqual = i;
      break;
    }
  }
  ZoneChoice choice;
  if (firstEqual) {
    choice.row = firstEqual;
    choice.correctionHours = rows[*firstEqual].correctionHours;
    choice.correctionMinutes = rows[*firstEqual].correctionMinutes;
    return choice;
  }
  const long long minutesEast = roundedMinutes(offsetSeconds);
  choice.correctionHours = static_cast<int>(-(minutesEast / 60));
  choice.correctionMinutes = static_cast<int>(-(minutesEast % 60));
  choice.customText = "Local clock of " + std::string(placeName) + ", " + OffsetText(static_cast<int>(minutesEast * 60));
  return choice;
}

ZoneChoice ChooseZoneRow(std::span<const ZoneRowKey> rows, const ZoneClock& clock, std::string_view placeName) {
  return ChooseZoneRow(rows, clock.offsetSeconds, clock.abbreviation, placeName);
}

}  // namespace halvora::places
