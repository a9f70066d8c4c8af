// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chart_facts.h"

#include <cmath>
#include <vector>

#include "chart/sign_profiles.h"
#include "ephemeris/calendar.h"

namespace halvora {

namespace {

// Minutes of arc in one nakshatra, and in one pada.
constexpr double kNakshatraArcMinutes = 800;
constexpr double kPadaArcMinutes = 200;

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string number(long long value) {
  char digits[24];
  return std::string(digits, WriteDecimal(digits, value));
}

// "19°57′ Taurus": degrees within the sign and minutes, both cut, and the sign's English name.
std::optional<std::string> degreeInSign(double longitudeDeg) {
  const auto parts = PositionPartsOf(longitudeDeg);
  if (!parts || !parts->sign) return std::nullopt;
  return number(parts->degInSign) + "°" + number(parts->minutes) + "′ " +
         std::string(FillSignProfiles()[static_cast<std::size_t>(*parts->sign)].EnglishName);
}

// "March 15, 1980": the date as the sunrise notice writes it.
std::string dateText(const LocalDateTime& t) {
  return std::string(MonthName(t.month)) + " " + number(t.day) + ", " + number(t.year);
}

// A row's text is its name, abbreviation and offset with commas between; the offset is written
// from the row's numbers, since the text writes half hours as ".5" or ".3". The entry after the
// rows already reads as it should.
std::string zoneName(const ChartResult& chart) {
  if (!chart.zoneRow) return chart.zoneText;
  std::vector<std::string_view> fields;
  std::string_view rest = chart.zoneText;
  for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1))
    fields.push_back(trimmed(rest.substr(0, comma)));
  fields.push_back(trimmed(rest));
  if (fields.size() != 3) return chart.zoneText;
  return std::string(fields[0]) + ", " + std::string(fields[1]) + ", " + ZoneOffsetText(chart.zone);
}

std::string zoneLine(const ChartResult& chart) {
  std::string line = "Zone: " + zoneName(chart);
  if (!chart.birth.IsDST) return line + "; no daylight saving";
  // Daylight saving puts the clock one hour further east of universal time.
  const ZoneCorrection clock{chart.zone.hours, chart.zone.minutes - 60};
  return line + "; daylight saving, clock " + ZoneOffsetText(clock);
}

std::string sunriseLine(const ChartResult& chart) {
  std::string line = "Sunrise used: ";
  if (chart.sunrise) {
    const LocalDateTime& t = *chart.sunrise;
    return line + dateText(t) + ", " + number(t.hour) + ":" + (t.minute < 10 ? "0" : "") + number(t.minute);
  }
  if (chart.missingSunrise) {
    return line + (chart.missingSunrise->polar == PolarSun::Night ? "none, polar night on " : "none, polar day on ") +
           dateText(chart.missingSunrise->date);
  }
  return line + "none";
}

std::string sreeLagnaLine(const ChartResult& chart) {
  const auto degree = degreeInSign(chart.SreeLagnaDeg);
  if (!degree || chart.SreeLagnaHouse == 0) return "Sree Lagna: none";
  return "Sree Lagna: " + *degree + ", house " + number(chart.SreeLagnaHouse);
}

std::string moonLine(const ChartResult& chart) {
  const double longitude = chart.moon.MoonLongitudeDeg;
  const auto degree = degreeInSign(longitude);
  if (!degree) return "Moon: none";
  std::string line = "Moon: " + *degree;
  if (const auto place = NakshatraPadaOf(longitude)) {
    line += ", nakshatra " + std::string(kNakshatraNames[static_cast<std::size_t>(place->nakshatra)]) + ", pada " +
            number(place->pada);
  }
  return line;
}

}  // namespace

std::optional<NakshatraPada> NakshatraPadaOf(double siderealDeg) {
  if (!(siderealDeg >= 0 && siderealDeg < 360)) return std::nullopt;
  // Quarters of 200' and arcs of 800' differ by a power of two, so this counts the arcs exactly
  // as the Moon pass does.
  const int quarters = static_cast<int>(std::floor(60 * siderealDeg / kPadaArcMinutes));
  const int nakshatra = static_cast<int>(std::floor(60 * siderealDeg / kNakshatraArcMinutes));
  if (nakshatra > 26) return std::nullopt;
  return NakshatraPada{nakshatra, quarters - 4 * nakshatra + 1};
}

ChartFacts FactsOf(const ChartResult& chart) {
  return {zoneLine(chart), sunriseLine(chart), sreeLagnaLine(chart), moonLine(chart)};
}

}  // namespace halvora
