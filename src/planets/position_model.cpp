// SPDX-License-Identifier: GPL-3.0-or-later
#include "planets/position_model.h"

#include <cmath>

#include "ephemeris/calendar.h"
#include "planets/swiss_model.h"

namespace halvora {

namespace {

template <typename Kind, std::size_t N>
std::optional<Kind> kindOf(const std::array<std::string_view, N>& keys, std::string_view key) {
  for (std::size_t i = 0; i < N; ++i)
    if (keys[i] == key) return static_cast<Kind>(i);
  return std::nullopt;
}

SunRiseSetInput sunInput(const BirthData& b, const ZoneCorrection& zone, const LocalDateTime& date) {
  SunRiseSetInput in;
  in.month = date.month;
  in.day = date.day;
  in.year = date.year;
  in.hour = b.BirthHour;
  in.minute = b.BirthMinute;
  in.latDeg = b.LatDeg;
  in.latMin = b.LatMin;
  in.isSouth = b.IsSouth;
  in.lonDeg = b.LonDeg;
  in.lonMin = b.LonMin;
  in.isEast = b.IsEast;
  in.zoneHours = zone.hours;
  in.zoneMinutes = zone.minutes;
  in.isDst = b.IsDST;
  return in;
}

// Degrees, minutes and seconds of an angle, each truncated: 23°48′51″.
std::string degreesMinutesSeconds(double deg) {
  const auto parts = PositionPartsOf(deg);
  if (!parts) return "?";
  const long long whole = static_cast<long long>(std::floor(std::fabs(deg)));
  std::string text = deg < 0 ? "-" : "";
  text += std::to_string(whole) + "\u00b0";
  if (parts->minutes < 10) text += '0';
  text += std::to_string(parts->minutes) + "\u2032";
  if (parts->seconds < 10) text += '0';
  text += std::to_string(parts->seconds) + "\u2033";
  return text;
}

}  // namespace

std::optional<EphemerisKind> ephemerisKindOf(std::string_view key) { return kindOf<EphemerisKind>(kEphemerisKeys, key); }
std::optional<AyanamsaKind> ayanamsaKindOf(std::string_view key) { return kindOf<AyanamsaKind>(kAyanamsaKeys, key); }
std::optional<NodeKind> nodeKindOf(std::string_view key) { return kindOf<NodeKind>(kNodeKeys, key); }

std::string PositionsLine(const ModelDescription& model) {
  if (model.ephemeris != kEphemerisKeys[static_cast<std::size_t>(EphemerisKind::Swiss)])
    return "Positions: built-in model (planets within about 1\u00bd\u00b0)";
  std::string line = "Positions: Swiss Ephemeris";
  if (model.moshier) line += " (Moshier series: its ephemeris files are missing)";
  line += ", ";
  const auto ayanamsa = ayanamsaKindOf(model.ayanamsa);
  line += ayanamsa ? std::string(kAyanamsaNames[static_cast<std::size_t>(*ayanamsa)]) : std::string(model.ayanamsa);
  line += " ayanamsa " + degreesMinutesSeconds(model.ayanamsaDeg) + ", ";
  line += model.node;
  line += " node";
  return line;
}

BirthPositions BuiltinModel::atBirth(const BirthData& b, const ZoneCorrection& zone, int /*second*/) const {
  BirthPositions p;
  p.ascendant = CalcAscendant(b, zone);
  p.moon = MoonPass(b, zone);
  const LocalDateTime birthMinute{b.BirthYear, b.BirthMonth, b.BirthDay, b.BirthHour, b.BirthMinute, 0};
  p.chartPositions = CalcChartPositions({PlanetPassMode::Birth, birthMinute, zone, p.ascendant.AyanamsaDeg,
                                         p.moon.MoonText, p.ascendant.AscendantText, b.IsDST});
  p.retrogrades = MarkRetrogrades(b.BirthYear, b.BirthMonth, b.BirthDay);
  p.model.ayanamsaDeg = -p.ascendant.AyanamsaDeg;
  return p;
}

SunTimes BuiltinModel::sunTimes(const BirthData& b, const ZoneCorrection& zone, const LocalDateTime& date) const {
  return SunRiseSet(sunInput(b, zone, date));
}

SunriseSun BuiltinModel::sunAt(const BirthData& /*birth*/, const ZoneCorrection& zone, const LocalDateTime& clock,
                               bool daylightSaving, const BirthPositions& atBirth) const {
  return CalcSunriseSun({PlanetPassMode::Sunrise, clock, zone, atBirth.ascendant.AyanamsaDeg, atBirth.moon.MoonText,
                         atBirth.ascendant.AscendantText, daylightSaving});
}

FastPoints BuiltinModel::fastPoints(const BirthData& birth, const ZoneCorrection& zone,
                                    const LocalDateTime& localClock) const {
  BirthData at = birth;
  at.BirthYear = static_cast<std::int16_t>(localClock.year);
  at.BirthMonth = static_cast<std::int16_t>(localClock.month);
  at.BirthDay = static_cast<std::int16_t>(localClock.day);
  at.BirthHour = static_cast<std::int16_t>(localClock.hour);
  at.BirthMinute = static_cast<std::int16_t>(localClock.minute);
  const AscendantResult ascendant = CalcAscendant(at, zone);
  const MoonResult moon = MoonPass(at, zone);
  return {ascendant.AscendantDeg, moon.MoonLongitudeDeg, moon.MoonNakshatraStart};
}

ModelOutcome OpenPositionModel(const ModelChoice& choice, const SwissPaths& paths) {
  if (choice.ephemeris == EphemerisKind::Builtin) {
    static const auto builtin = std::make_shared<const BuiltinModel>();
    return std::shared_ptr<const PositionModel>(builtin);
  }
  auto library = OpenSwissLibrary(paths);
  if (const auto* why = std::get_if<std::string>(&library)) return "Swiss Ephemeris is not available: " + *why;
  return std::shared_ptr<const PositionModel>(std::make_shared<const SwissModel>(
      std::get<std::shared_ptr<const SwissLibrary>>(library), choice.ayanamsa, choice.node));
}

std::optional<std::string> SwissUnavailableReason(const SwissPaths& paths) {
  auto library = OpenSwissLibrary(paths);
  if (const auto* why = std::get_if<std::string>(&library)) return "Swiss Ephemeris is not available: " + *why;
  return std::nullopt;
}

FastPointsFunction FastPointsOf(const PositionModel& model, const BirthData& birth, const ZoneCorrection& zone) {
  return [&model, birth, zone](const LocalDateTime& localClock) { return model.fastPoints(birth, zone, localClock); };
}

}  // namespace halvora
