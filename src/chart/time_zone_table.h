// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed list of time zones offered by the entry form.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ephemeris/birth_data.h"

namespace halvora {

struct TimeZoneRow {
  std::string_view text;  // as shown in the list
  std::int16_t ZoneCorrectionHours;
  std::int16_t ZoneCorrectionMinutes;
};

extern const std::array<TimeZoneRow, 71> TimeZoneTable;

// The correction numbers of the row at a list position, or nothing when no row is selected.
std::optional<ZoneCorrection> Zone_Calculation(int position);

// The entry the list gains after its rows for a clock that no row expresses, such as Nepal's
// +5:45. Its numbers follow the rows' convention: west of Greenwich positive, the minutes with
// the sign of the hours (an offset under an hour has hours 0 and signed minutes).
struct CustomZone {
  std::string text;  // as shown in the list: "Local clock of Kathmandu, +5:45"
  int correctionHours = 0;
  int correctionMinutes = 0;
  friend bool operator==(const CustomZone&, const CustomZone&) = default;
};

// The list position of the custom entry, right after the rows.
inline constexpr int kCustomZonePosition = static_cast<int>(std::tuple_size_v<decltype(TimeZoneTable)>);

// The largest offset a custom entry may have, in minutes either side of Greenwich.
inline constexpr int kMaxCustomZoneMinutes = 14 * 60 + 59;

// Whether a custom entry's numbers are an offset: minutes of -59..59 with the sign of the hours,
// at most kMaxCustomZoneMinutes from Greenwich.
bool IsValidCustomZone(const CustomZone& zone);

// The correction numbers of a list position: a row, or the custom entry at kCustomZonePosition
// when the list has a valid one; nothing otherwise.
std::optional<ZoneCorrection> Zone_Calculation(int position, const std::optional<CustomZone>& custom);

// The text of a list position, empty when the position holds nothing.
std::string ZoneEntryText(int position, const std::optional<CustomZone>& custom);

// "+5:45", "-4:30", "+0:20": the offset east of Greenwich of correction numbers.
std::string ZoneOffsetText(const ZoneCorrection& zone);

// The custom entry's text for a place: "Local clock of Kathmandu, +5:45", or "Local clock, +5:45"
// without a place name.
std::string CustomZoneText(std::string_view placeName, const ZoneCorrection& zone);

// The custom entry of correction numbers, with its text for the place.
CustomZone MakeCustomZone(std::string_view placeName, const ZoneCorrection& zone);

}  // namespace halvora
