// SPDX-License-Identifier: GPL-3.0-or-later
#include "planets/ascendant.h"

#include <cmath>

#include "ephemeris/calendar.h"

namespace halvora {

namespace {
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.2957795130823;
constexpr double kPi = 3.14159265358979;
constexpr double kJd1900 = 2415020;  // Julian date of 1900 January 0.5
constexpr double kDaysPerCentury = 36525;

double sgn(double v) { return (v > 0) - (v < 0); }
}  // namespace

double ArcTan2(double y, double x) {
  if (x > 0) return std::atan(y / x);
  if (x == 0) return sgn(y) * kPi / 2;
  return sgn(y) * (kPi - std::atan(std::fabs(y / x)));
}

double Norm360(double& x) {
  if (x < 0) x += 360;
  if (x > 360) x -= 360;
  return x;
}

double CalcAyanamsa(double t) {
  double node = (933060 - 6962911 * t + 7.5 * t * t) / 3600;
  while (node >= 360) node -= 360;
  const double twiceSunLongitude = (2013816 + 259205536 * t) / 3600;
  const double nutationArcsec = 17.23 * std::sin(node * kDegToRad) + 1.27 * std::sin(twiceSunLongitude * kDegToRad);
  return (nutationArcsec - t * (5025.64 + 1.11 * t) - 80861.27) / 3600;
}

AscendantResult CalcAscendant(const BirthData& birth, const ZoneCorrection& zone) {
  double longitude = birth.LonDeg + birth.LonMin / 60.0;
  if (birth.IsEast) longitude = -longitude;
  double latitude = birth.LatDeg + birth.LatMin / 60.0;
  if (birth.IsSouth) latitude = -latitude;

  const double jdn = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
  const double ut = UniversalHours(birth, zone);
  const double t = (jdn + ut / 24 - 0.5 - kJd1900) / kDaysPerCentury;

  AscendantResult r;
  r.CenturiesSince1900 = t;
  r.AyanamsaDeg = CalcAyanamsa(t);

  const double siderealHours = 6.6460656 + 2400.0513 * t + 0.0000258 * t * t + ut;
  double lstDeg = 15 * siderealHours - longitude;
  while (lstDeg >= 360) lstDeg -= 360;
  const double ramc = lstDeg * kDegToRad;
  const double obliquity = (23.452294 - 0.0130125 * t) * kDegToRad;
  const double phi = latitude * kDegToRad;

  double a = ArcTan2(std::cos(ramc), -(std::sin(ramc) * std::cos(obliquity) + std::sin(obliquity) * std::tan(phi)));
  if (a < 0) a += kPi;
  if (std::cos(ramc) < 0) a += kPi;
  a = a * kRadToDeg;
  while (a >= 360) a -= 360;
  a = a + r.AyanamsaDeg;
  Norm360(a);

  r.AscendantDegInt = static_cast<int>(std::floor(a));
  r.AscendantDeg = a;
  r.AscendantText = LongitudeToText(a);
  return r;
}

}  // namespace halvora
