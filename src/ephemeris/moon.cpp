// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/moon.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/calendar.h"

namespace halvora {

const std::array<double, 27> NakshatraStarts = {
    0,      13.33,  26.66,  39.99,  53.32,  66.65,  79.98,  93.31,  106.64,
    119.97, 133.3,  146.63, 159.96, 173.29, 186.62, 199.95, 213.28, 226.61,
    239.94, 253.27, 266.6,  279.93, 293.26, 306.59, 319.92, 333.25, 346.58};

namespace {

// Radians per degree.
constexpr double kDegToRad = 0.0174532925199433;

// One periodic term of the Moon's longitude: multiples of D, M, M', F and the coefficient in degrees.
struct LunarTerm {
  int d, m, mPrime, f;
  double coefficient;
  bool timesE;
};

// The 25 largest terms of the lunar longitude series, summed in four groups.
constexpr LunarTerm kTerms[25] = {
    {0, 0, 1, 0, 6.288774, false},   {2, 0, -1, 0, 1.274027, false}, {2, 0, 0, 0, 0.658314, false},
    {0, 0, 2, 0, 0.213618, false},   {0, 1, 0, 0, -0.185116, true},  {0, 0, 0, 2, -0.114332, false},
    {2, 0, -2, 0, 0.058793, false},  {2, -1, -1, 0, 0.057066, true}, {2, 0, 1, 0, 0.053322, false},
    {2, -1, 0, 0, 0.045758, true},   {0, 1, -1, 0, -0.040923, true}, {1, 0, 0, 0, -0.034720, false},
    {0, 1, 1, 0, -0.030383, true},   {2, 0, 0, -2, 0.015327, false}, {0, 0, 1, 2, -0.012528, false},
    {0, 0, 1, -2, 0.010980, false},  {4, 0, -1, 0, 0.010675, false}, {0, 0, 3, 0, 0.010034, false},
    {4, 0, -2, 0, 0.008548, false},  {2, 1, -1, 0, -0.007888, true}, {2, 1, 0, 0, -0.006766, true},
    {1, 0, -1, 0, -0.005163, false}, {1, 1, 0, 0, 0.004987, true},   {2, -1, 1, 0, 0.004036, true},
    {2, 0, 2, 0, 0.003994, false}};

// Index one past the last term of each summing group.
constexpr int kGroupEnds[4] = {6, 13, 18, 25};

}  // namespace

double MoonAyanamsa(double t) {
  const double node = 125.044555 - 1934.1361849 * t + 0.0020762 * t * t;
  const double sunMeanLongitude = 280.466449 + 36000.7698231 * t + 0.0003106 * t * t;
  const double nutationArcsec =
      17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(2 * sunMeanLongitude * kDegToRad);
  return (nutationArcsec - t * (5025.64 + 1.11 * t) - 85886.27) / 3600;
}

double NakshatraStartOf(double siderealDeg) {
  const int n = static_cast<int>(std::floor(60 * siderealDeg / 800));
  return NakshatraStarts[static_cast<std::size_t>(std::clamp(n, 0, 26))];
}

MoonResult MoonPass(const BirthData& birth, const ZoneCorrection& zone) {
  const double t = PrepareBirthMoment(birth, zone).CenturiesJ2000;
  const double ayanamsa = MoonAyanamsa(t);

  const double meanLongitude = 218.3164591 + 481267.88134236 * t;
  const double d = (297.8502042 + 445267.1115168 * t) * kDegToRad;
  const double m = (357.5291092 + 35999.0502909 * t) * kDegToRad;
  const double mPrime = (134.9634114 + 477198.8676313 * t) * kDegToRad;
  const double f = (93.2720993 + 483202.0175273 * t) * kDegToRad;
  const double e = 1 - 0.002516 * t - 0.0000074 * t * t;

  double sumL = 0;
  int term = 0;
  for (int groupEnd : kGroupEnds) {
    double group = 0;
    for (; term < groupEnd; ++term) {
      const LunarTerm& x = kTerms[term];
      double value = x.coefficient * std::sin(x.d * d + x.m * m + x.mPrime * mPrime + x.f * f);
      if (x.timesE) value *= e;
      group += value;
    }
    sumL += group;
  }

  double lambda = meanLongitude + sumL;
  while (lambda < 0) lambda += 360;
  while (lambda > 360) lambda -= 360;

  double sidereal = lambda + ayanamsa;
  if (sidereal < 0) sidereal += 360;
  // Only possible for dates before about the year 285, where the ayanamsa turns positive.
  while (sidereal >= 360) sidereal -= 360;

  MoonResult result;
  result.MoonLongitudeDeg = sidereal;
  result.MoonText = LongitudeToText(sidereal);
  result.MoonNakshatraStart = NakshatraStartOf(sidereal);
  return result;
}

}  // namespace halvora
