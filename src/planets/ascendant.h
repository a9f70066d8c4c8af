// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sidereal ascendant (Lagna) and the ayanamsa of the planets (epoch 1900 January 0.5).

#include <string>

#include "ephemeris/birth_data.h"

namespace halvora {

// Arctangent of y/x in radians with quadrant corrections (pi taken as 3.14159265358979).
double ArcTan2(double y, double x);

// Adds 360 once when negative, then subtracts 360 once when above 360 (360 itself stays).
double Norm360(double& x);

// Ayanamsa in degrees, held negative, for T Julian centuries since 1900 January 0.5.
double CalcAyanamsa(double centuriesSince1900);

struct AscendantResult {
  double CenturiesSince1900 = 0;
  double AyanamsaDeg = 0;    // negative; the planets subtract its absolute value
  double AscendantDeg = 0;   // sidereal, 0..360
  int AscendantDegInt = 0;   // whole degrees of AscendantDeg
  std::string AscendantText; // position text of AscendantDeg
};

// The ascendant at the birth moment; the zone's signed correction turns the local clock into
// universal time, as for the Moon and the planets.
AscendantResult CalcAscendant(const BirthData& birth, const ZoneCorrection& zone);

}  // namespace halvora
