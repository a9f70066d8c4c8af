#pragma once
// The fixed list of time zones offered by the entry form.

#include <array>
#include <cstdint>
#include <optional>
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

}  // namespace halvora
