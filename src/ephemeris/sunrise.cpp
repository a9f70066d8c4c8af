// SPDX-License-Identifier: GPL-3.0-or-later
#include "ephemeris/sunrise.h"

#include <cmath>
#include <variant>

namespace halvora {

namespace {

constexpr double kQuarterTurn = 1.5708;
constexpr double kHalfTurn = 3.14159;
constexpr double kThreeQuarterTurns = 4.71239;
constexpr double kFullTurn = 6.28319;
constexpr double kRadPerDeg = 0.0174533;
constexpr double kRadPerZoneHour = 0.261799;    // radians per hour of zone offset
constexpr double kCosZenith = -0.0145439;       // cosine of the zenith distance 90 deg 50 min
constexpr double kHoursPerRad = 3.81972;
constexpr double kTanGuard = 4.84814e-06;       // keeps tan L finite at multiples of a quarter turn

// Local clock time in decimal hours of one event, or why the Sun does not cross the horizon.
std::variant<double, PolarSun> eventHours(bool sunrise, int dayOfYearN, double latRad, double lonRad, double zoneRad) {
  const double base = sunrise ? kQuarterTurn : kThreeQuarterTurns;
  const double t = (dayOfYearN - 1) + (base - lonRad) / kFullTurn;
  const double m = 0.017202 * t - 0.0574039;
  double l = m + 0.0334405 * std::sin(m) + 4.93289 + 0.000349066 * std::sin(2 * m);
  while (l < 0) l += kFullTurn;
  while (l >= kFullTurn) l -= kFullTurn;
  if (l / kQuarterTurn == std::floor(l / kQuarterTurn)) l += kTanGuard;

  double ra = std::atan(0.91746 * std::tan(l));
  if (l > kThreeQuarterTurns) {
    ra += kFullTurn;
  } else if (l > kQuarterTurn) {
    ra += kHalfTurn;
  }

  const double sinDecl = 0.39782 * std::sin(l);
  const double decl = std::atan(sinDecl / std::sqrt(1 - sinDecl * sinDecl));
  const double c = (kCosZenith - std::sin(decl) * std::sin(latRad)) / (std::cos(latRad) * std::cos(decl));
  // c is the cosine of the hour angle at which the Sun meets the horizon: at 1 or more it stays
  // below all day, at -1 or less above.
  if (c >= 1) return PolarSun::Night;
  if (!(c > -1)) return PolarSun::Day;

  double h = kQuarterTurn - std::atan(c / std::sqrt(1 - c * c));
  if (sunrise) h = kFullTurn - h;

  const double localMean = h + ra - 0.0172028 * t - 1.73364;
  const double ut = localMean - lonRad;
  double local = ut + zoneRad;
  while (local < 0) local += kFullTurn;
  while (local >= kFullTurn) local -= kFullTurn;
  return local * kHoursPerRad;
}

}  // namespace

LocalDateTime SunEventClockTime(int year, int month, int day, double hours) {
  int hh = static_cast<int>(std::floor(hours));
  int mm = static_cast<int>(std::floor(60 * (hours - hh) + 0.5));
  if (mm >= 60) {  // rounded up to the next hour
    mm -= 60;
    hh += 1;
  }
  hh %= 24;  // wraps onto the same calendar date, like every other wrap
  return LocalDateTime{year, month, day, hh, mm, 0};
}

SunTimes SunRiseSet(const SunRiseSetInput& in) {
  double latDeg = in.latDeg + in.latMin / 60.0;
  if (in.isSouth) latDeg = -latDeg;
  double lonDeg = in.lonDeg + in.lonMin / 60.0;
  if (!in.isEast) lonDeg = -lonDeg;

  // Hours and minutes are both signed, so an offset under an hour (hours 0, minutes -20 for
  // twenty minutes east) keeps its direction.
  double zone = in.zoneHours + in.zoneMinutes / 60.0;
  zone = -zone;  // hours east of Greenwich

  const int n = dayOfYear(in.year, in.month, in.day);
  const int w = weekdaySundayZero(in.year, in.month, in.day);
  const bool daylightSaving = in.isDst && UsDstInEffect(in.day, w, in.month, in.hour, in.minute);
  if (daylightSaving) zone += 1;
  if (zone == 13) zone = -11;

  const double latRad = latDeg * kRadPerDeg;
  const double lonRad = lonDeg * kRadPerDeg;
  const double zoneRad = zone * kRadPerZoneHour;

  SunTimes times;
  times.daylightSaving = daylightSaving;
  const auto rise = eventHours(true, n, latRad, lonRad, zoneRad);
  const auto set = eventHours(false, n, latRad, lonRad, zoneRad);
  if (const double* h = std::get_if<double>(&rise)) times.sunrise = SunEventClockTime(in.year, in.month, in.day, *h);
  else times.polar = std::get<PolarSun>(rise);
  if (const double* h = std::get_if<double>(&set)) times.sunset = SunEventClockTime(in.year, in.month, in.day, *h);
  else if (!times.polar) times.polar = std::get<PolarSun>(set);
  return times;
}

bool UsDstInEffect(int day, int weekday, int month, int hour, int /*minute*/) {
  if (month > 4 && month < 10) return true;
  if (month == 4 && day > 7) return true;
  if (month == 4 && day <= 7 && weekday == 0 && hour >= 2) return true;
  if (month == 4 && day <= 7 && weekday != 0 && day - weekday > 0) return true;
  if (month == 10 && day < 25) return true;
  if (month == 10 && day >= 25 && weekday == 0 && hour < 2) return true;
  if (month == 10 && day >= 25 && weekday != 0 && day - 24 - weekday < 1) return true;
  return false;
}

}  // namespace halvora
