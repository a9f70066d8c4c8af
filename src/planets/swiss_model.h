// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Swiss Ephemeris position model: Debian's libswe, opened when it is first used, with the
// ephemeris files of swe-basic-data. Apparent geocentric sidereal positions (swe_calc_ut with
// SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED after swe_set_sid_mode), the ascendant of
// swe_houses_ex with SEFLG_SIDEREAL, sunrise and sunset of swe_rise_trans (the upper limb with
// refraction), nakshatras of exactly 360/27 degrees.

#include <memory>
#include <string>
#include <variant>

#include "planets/position_model.h"

namespace halvora {

// The library opened, with the folder its ephemeris files are read from. Its calls are made one
// at a time: the library keeps its settings (the ayanamsa, the folder) in globals of its own.
class SwissLibrary;

// Opens the library once per file name and folder; the reason when it cannot be opened or is not
// Swiss Ephemeris.
std::variant<std::shared_ptr<const SwissLibrary>, std::string> OpenSwissLibrary(const SwissPaths& paths);

// Swiss Ephemeris's number of an ayanamsa (SE_SIDM_LAHIRI, ...).
int SwissSiderealMode(AyanamsaKind ayanamsa);

class SwissModel final : public PositionModel {
 public:
  SwissModel(std::shared_ptr<const SwissLibrary> library, AyanamsaKind ayanamsa, NodeKind node);

  BirthPositions atBirth(const BirthData& birth, const ZoneCorrection& zone, int second) const override;
  SunTimes sunTimes(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& date) const override;
  SunriseSun sunAt(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& clock,
                   bool daylightSaving, const BirthPositions& atBirth) const override;
  FastPoints fastPoints(const BirthData& birth, const ZoneCorrection& zone,
                        const LocalDateTime& localClock) const override;

 private:
  std::shared_ptr<const SwissLibrary> m_library;
  AyanamsaKind m_ayanamsa;
  NodeKind m_node;
};

}  // namespace halvora
