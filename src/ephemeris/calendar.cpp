// SPDX-License-Identifier: GPL-3.0-or-later
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

std::optional<PositionParts> PositionPartsOf(double angleDeg) {
  const double a = std::fabs(angleDeg);
  if (!std::isfinite(a) || a >= 1e15) return std::nullopt;
  const double wholeDeg = std::floor(a);
  const double fraction = a - wholeDeg;
  const double m60 = 60.0 * fraction;
  const double minutes = std::floor(m60);
  const double secondsFraction = m60 - minutes;
  const double seconds = std::floor(60.0 * secondsFraction);
  PositionParts parts;
  parts.minutes = static_cast<long long>(minutes);
  parts.seconds = static_cast<long long>(seconds);
  if (wholeDeg < 360) {
    // Within the circle the whole degrees are a small integer: the same quotient and remainder
    // as floor(wholeDeg / 30) and fmod(wholeDeg, 30), without the library calls.
    const int whole = static_cast<int>(wholeDeg);
    parts.sign = whole / 30;
    parts.degInSign = whole % 30;
  } else {
    parts.degInSign = static_cast<long long>(std::fmod(wholeDeg, 30.0));
  }
  return parts;
}

char* WriteDecimal(char* out, long long value) {
  char digits[20];
  std::size_t n = 0;
  const bool negative = value < 0;
  // Negated digit by digit, so the most negative value needs no special case.
  do {
    const long long digit = value % 10;
    digits[n++] = static_cast<char>('0' + (negative ? -digit : digit));
    value /= 10;
  } while (value != 0);
  if (negative) *out++ = '-';
  while (n > 0) *out++ = digits[--n];
  return out;
}

std::string LongitudeToText(double angleDeg) {
  const auto parts = PositionPartsOf(angleDeg);
  if (!parts) return {};
  char buf[96];
  char* p = WriteDecimal(buf, parts->degInSign);
  for (char c : std::string_view("\u00b0 ")) *p++ = c;
  p = WriteDecimal(p, parts->minutes);
  *p++ = '\'';
  *p++ = ' ';
  p = WriteDecimal(p, parts->seconds);
  *p++ = '"';
  *p++ = ' ';
  if (parts->sign) {
    const std::string_view abbreviation = SignAbbreviations.substr(static_cast<std::size_t>(*parts->sign) * 3, 3);
    for (char c : abbreviation) *p++ = c;
  }
  return std::string(buf, p);
}

}  // namespace halvora
