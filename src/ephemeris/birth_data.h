// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The birth record of one chart request, as read from the entry form.

#include <cstdint>
#include <string>

namespace halvora {

// Degrees, minutes and the zone offset are unsigned magnitudes; the flags carry the directions of
// longitude and latitude. The zone's direction is not kept here: the passes that need universal
// time take the signed ZoneCorrection beside this record.
struct BirthData {
  std::string BirthName;
  std::int16_t BirthMonth = 1;  // 1 = January .. 12 = December
  std::int16_t BirthDay = 1;
  std::int16_t BirthYear = 1901;
  std::int16_t BirthHour = 0;    // local clock
  std::int16_t BirthMinute = 0;
  std::int16_t ZoneHours = 0;    // |ZoneCorrectionHours|
  std::int16_t ZoneMinutes = 0;  // |ZoneCorrectionMinutes|
  std::int16_t LonDeg = 0;
  std::int16_t LonMin = 0;
  std::int16_t LatDeg = 0;
  std::int16_t LatMin = 0;
  bool IsEast = true;
  bool IsSouth = false;
  bool IsDST = false;
};

// The signed numbers of a time-zone row: universal time = local standard time + hours + minutes.
// West of Greenwich is positive; the minutes carry the sign of the hours.
struct ZoneCorrection {
  int hours = 0;
  int minutes = 0;
  friend bool operator==(const ZoneCorrection&, const ZoneCorrection&) = default;
};

}  // namespace halvora
