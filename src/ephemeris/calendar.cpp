#include "ephemeris/calendar.h"

#include <cmath>

namespace halvora {

namespace {
// Day number above which a date counts as Gregorian.
constexpr double kGregorianSwitchJdn = 2299171;
constexpr double kJ2000Jdn = 2451545;
constexpr double kDaysPerCentury = 36525;
}  // namespace

double JulianDayNumber(int month, int day, int year) {
  const double m = 12.0 * (year + 4800) + month - 3;
  const double k = m - 12.0 * std::floor(m / 12.0);
  const double v = (2.0 * k + 7.0 + 365.0 * m) / 12.0;
  double j = day + std::floor(v) + std::floor(m / 48.0) - 32083.0;
  if (j > kGregorianSwitchJdn) j = j + std::floor(m / 4800.0) - std::floor(m / 1200.0) + 38.0;
  return j;
}

double UniversalHours(const BirthData& birth, const ZoneCorrection& zone) {
  const double localHours = birth.BirthHour + birth.BirthMinute / 60.0;
  // The zone's own sign gives its direction; the longitude's hemisphere plays no part, so a
  // Spanish birth on Central European Time is timed an hour before its clock, not after.
  double correctionHours = zone.hours + zone.minutes / 60.0;
  if (birth.IsDST) correctionHours -= 1.0;
  return localHours + correctionHours;
}

BirthMoment PrepareBirthMoment(const BirthData& birth, const ZoneCorrection& zone) {
  BirthMoment moment;
  moment.BirthJDN = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
  moment.BirthUT = UniversalHours(birth, zone);
  moment.CenturiesJ2000 = ((moment.BirthJDN - kJ2000Jdn) + moment.BirthUT / 24.0 - 0.5) / kDaysPerCentury;
  return moment;
}

std::string LongitudeToText(double angleDeg) {
  const double a = std::fabs(angleDeg);
  if (!std::isfinite(a) || a >= 1e15) return {};
  const double wholeDeg = std::floor(a);
  const double fraction = a - wholeDeg;
  const double m60 = 60.0 * fraction;
  const double minutes = std::floor(m60);
  const double secondsFraction = m60 - minutes;
  const double sign = std::floor(wholeDeg / 30.0);
  const double degInSign = std::fmod(wholeDeg, 30.0);
  const double seconds = std::floor(60.0 * secondsFraction);

  std::string text = std::to_string(static_cast<long long>(degInSign));
  text += "\u00b0 ";
  text += std::to_string(static_cast<long long>(minutes));
  text += "' ";
  text += std::to_string(static_cast<long long>(seconds));
  text += "\" ";
  if (sign >= 0 && sign < 12) text += SignAbbreviations.substr(static_cast<std::size_t>(sign) * 3, 3);
  return text;
}

}  // namespace halvora
