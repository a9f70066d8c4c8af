// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sidereal longitudes of the Sun, the planets and the lunar nodes from mean orbital elements,
// and the position and chart texts built from them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ephemeris/birth_data.h"
#include "ephemeris/date_time.h"

namespace halvora {

// Body index of the planet pass; the Earth's geocentric result is the Sun.
enum Body : int { Mercury = 0, Venus = 1, Earth = 2, Mars = 3, Jupiter = 4, Saturn = 5 };

struct OrbitalElementSet {
  double a = 0;     // semi-major axis, astronomical units
  double e = 0;     // eccentricity
  double i = 0;     // inclination, radians
  double node = 0;  // longitude of the ascending node, radians
  double peri = 0;  // longitude of perihelion, radians
  double L = 0;     // mean longitude, radians, 0..2 pi
};

// Days from 2000 January 1, 12:00 UT (exact from 1900 March 1 to 2100 February 28).
double DayNumber2000(int year, int month, int day, int hour, int minute);

// Elements of a body for day number d; an index outside 0..5 gives an empty set.
OrbitalElementSet OrbitalElements(int body, double d);

// Geocentric tropical ecliptic longitude in degrees, 0..360.
double PlanetLongitude(int body, double d);

double TrueAnomaly(double meanAnomaly, double eccentricity);  // radians, 0..2 pi
double Rev2Pi(double x);                                     // radians into 0..2 pi

// Tropical longitude of the Moon's mean ascending node (Rahu) in degrees, before the ayanamsa.
double MeanRahuLongitude(double d);

// Ketu, the point opposite a sidereal Rahu, in 0..360.
double KetuLongitude(double rahuDeg);

// Position text, as LongitudeToText builds it.
std::string DegToDms(double x);

// Chart text "DD Sgn MM" from a position text: two-digit degrees, the sign, two-digit minutes.
std::string DmsToChart(std::string_view positionText);

// The chart text of a longitude, DmsToChart(LongitudeToText(longitudeDeg)) without the position
// text between.
std::string ChartTextOfLongitude(double longitudeDeg);

// Ten chart texts: Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Rahu, Ketu, ascendant.
using ChartPositions = std::array<std::string, 10>;

enum class PlanetPassMode { Birth, Sunrise };

struct PlanetPassInput {
  PlanetPassMode mode = PlanetPassMode::Birth;
  LocalDateTime localMoment;  // birth moment or, in sunrise mode, the chosen sunrise (seconds unused)
  ZoneCorrection zone;        // signed
  double AyanamsaDeg = 0;     // of the birth moment, in both modes
  // Views: the texts they show must outlive the input.
  std::string_view MoonText;       // position text of the Moon at birth
  std::string_view AscendantText;  // position text of the ascendant
  bool daylightSaving = false;  // the local clock ran an hour ahead of its zone
};

struct SunriseSun {
  double SunriseSunLongitude = 0;  // sidereal degrees
  std::string SunriseSunText;      // chart text
};

struct PlanetPass {
  std::array<std::string, 6> PlanetTexts;  // position texts by body index (2 holds the Sun)
  std::string RahuText;
  std::string KetuText;
  ChartPositions chartPositions;
  std::optional<SunriseSun> sunriseSun;  // in sunrise mode only
};

PlanetPass CalcPlanets(const PlanetPassInput& in);

// What a chart needs of the two passes, as CalcPlanets gives it, without the position texts: the
// ten chart texts of a pass, and the Sun of a pass in sunrise mode.
ChartPositions CalcChartPositions(const PlanetPassInput& in);
SunriseSun CalcSunriseSun(const PlanetPassInput& in);

}  // namespace halvora
