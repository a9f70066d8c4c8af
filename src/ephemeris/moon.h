// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon's sidereal longitude from a truncated lunar series, with its own ayanamsa (epoch J2000.0).

#include <array>
#include <string>

#include "ephemeris/birth_data.h"

namespace halvora {

// Start longitudes of the 27 nakshatras, in steps of 13.33 degrees (not 13 deg 20 min).
extern const std::array<double, 27> NakshatraStarts;

// The Moon's ayanamsa correction in degrees (negative, about -23.85 at J2000.0) for T Julian
// centuries since J2000.0; added to a tropical longitude it gives the sidereal one.
double MoonAyanamsa(double centuriesJ2000);

struct MoonResult {
  double MoonLongitudeDeg = 0;    // sidereal, 0 <= value < 360
  std::string MoonText;           // position text of MoonLongitudeDeg
  double MoonNakshatraStart = 0;  // start of the nakshatra that holds the Moon
};

// Start of the nakshatra that holds a sidereal longitude: whole arcs of 13 deg 20 min counted,
// the start read from NakshatraStarts.
double NakshatraStartOf(double siderealDeg);

// The Moon at the birth moment; the zone's signed correction turns the local clock into universal time.
MoonResult MoonPass(const BirthData& birth, const ZoneCorrection& zone);

}  // namespace halvora
