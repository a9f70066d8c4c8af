// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The row of a fixed zone list that expresses a clock, or an extra entry where none does.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "places/clock.h"

namespace halvora::places {

// One row of the zone list as the choice needs it. The numbers follow the list's convention:
// west of Greenwich positive, minutes with the sign of the hours, universal time = local time +
// hours + minutes / 60.
struct ZoneRowKey {
  std::string_view abbreviation;  // "EDT"
  int correctionHours = 0;
  int correctionMinutes = 0;
};

// The abbreviation in a row text of the list, the field between its first two commas:
// "Indian Time, IST, +5.3" -> "IST". Empty when the text has fewer than two commas.
std::string_view RowAbbreviation(std::string_view rowText);

struct ZoneChoice {
  std::optional<std::size_t> row;  // position in the list; nothing for the extra entry
  std::string customText;          // the extra entry: "Local clock of Pune, +5:21"
  int correctionHours = 0;         // the numbers the chart takes, in the list's convention
  int correctionMinutes = 0;
  friend bool operator==(const ZoneChoice&, const ZoneChoice&) = default;
};

// The first row whose offset equals the clock's whole offset, preferring a row with the clock's
// abbreviation. Where no row has that offset, an extra entry named after the place with the
// offset rounded to the whole minute.
ZoneChoice ChooseZoneRow(std::span<const ZoneRowKey> rows, int offsetSeconds, std::string_view abbreviation,
                         std::string_view placeName);
ZoneChoice ChooseZoneRow(std::span<const ZoneRowKey> rows, const ZoneClock& clock, std::string_view placeName);

}  // namespace halvora::places
