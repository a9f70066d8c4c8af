// SPDX-License-Identifier: GPL-3.0-or-later
// The library is opened when the Swiss model is first asked for, not linked: a program that only
// uses the built-in model never loads it, and a system without it runs on with the built-in model.
// Its header gives the functions' types; the functions are found in the library opened.
#include "planets/swiss_model.h"

#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <utility>

#include "common/run_time_library.h"
#include "ephemeris/calendar.h"

namespace halvora {

namespace {

// The functions the model calls, found in the library opened.
struct SwissFunctions {
  decltype(&swe_set_ephe_path) setEphePath = nullptr;
  decltype(&swe_set_sid_mode) setSidMode = nullptr;
  decltype(&swe_calc_ut) calcUt = nullptr;
  decltype(&swe_houses_ex) housesEx = nullptr;
  decltype(&swe_rise_trans) riseTrans = nullptr;
  decltype(&swe_azalt) azalt = nullptr;
  decltype(&swe_get_ayanamsa_ex_ut) ayanamsaExUt = nullptr;
};

// The library as loaded once, and the settings last given to it.
struct LoadedLibrary {
  SwissFunctions f;
  std::mutex mutex;
  std::string folder;   // the ephemeris folder last set
  int sidMode = -1;     // the ayanamsa last set
};

// Opens the library and finds every function, or says what is missing. A library opened stays
// loaded for the run.
std::variant<std::shared_ptr<LoadedLibrary>, std::string> load(const std::string& libraryFile) {
  auto loaded = std::make_shared<LoadedLibrary>();
  SwissFunctions& f = loaded->f;
  auto opened = openRunTimeLibrary(libraryFile, [&f](const auto& need) {
    need("swe_set_ephe_path", f.setEphePath);
    need("swe_set_sid_mode", f.setSidMode);
    need("swe_calc_ut", f.calcUt);
    need("swe_houses_ex", f.housesEx);
    need("swe_rise_trans", f.riseTrans);
    need("swe_azalt", f.azalt);
    need("swe_get_ayanamsa_ex_ut", f.ayanamsaExUt);
  });
  if (auto* problem = std::get_if<std::string>(&opened)) return std::move(*problem);
  return loaded;
}

// Julian day (universal time) of 1970-01-01 00:00.
constexpr double kJdUnixEpoch = 2440587.5;
constexpr double kSecondsPerDay = 86400;
// Julian day of 1900 January 0.5, the epoch of the built-in ascendant's centuries.
constexpr double kJd1900 = 2415020;
constexpr double kDaysPerCentury = 36525;
// The standard atmosphere the refraction at the horizon is computed for, as swetest takes it:
// pressure in hectopascals and temperature in degrees Celsius.
constexpr double kPressureHpa = 1013.25;
constexpr double kTemperatureC = 15;
// The nakshatra of this model: exactly a 27th of the circle.
constexpr double kNakshatraDeg = 360.0 / 27;

constexpr std::int32_t kPositionFlags = SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED;

// Universal time as a Julian day, from a local clock moment and the minutes to add to it.
double julianDayUt(const LocalDateTime& clock, double correctionMinutes) {
  return kJdUnixEpoch + (static_cast<double>(secondsSinceEpoch(clock)) + 60 * correctionMinutes) / kSecondsPerDay;
}

// The local clock moment of a Julian day (universal time), to the nearest second.
LocalDateTime localClockOf(double jdUt, double zoneEastHours) {
  const double seconds = (jdUt - kJdUnixEpoch) * kSecondsPerDay + zoneEastHours * 3600;
  return fromSecondsSinceEpoch(std::llround(seconds));
}

// The zone's correction in minutes, local clock to universal time, less the daylight-saving hour.
double correctionMinutes(const ZoneCorrection& zone, bool daylightSaving) {
  return zone.hours * 60.0 + zone.minutes - (daylightSaving ? 60 : 0);
}

double normalized(double deg) {
  deg = std::fmod(deg, 360);
  if (deg < 0) deg += 360;
  return deg;
}

double nakshatraStart(double moonDeg) {
  const double n = std::floor(moonDeg / kNakshatraDeg);
  return std::clamp(n, 0.0, 26.0) * kNakshatraDeg;
}

}  // namespace

class SwissLibrary {
 public:
  SwissLibrary(std::shared_ptr<LoadedLibrary> loaded, std::string folder)
      : m_loaded(std::move(loaded)), m_folder(std::move(folder)) {}

  // Runs `work` with the library's functions, set to this folder and ayanamsa, one call at a time.
  template <typename Work>
  auto with(int sidMode, Work&& work) const {
    LoadedLibrary& l = *m_loaded;
    const std::lock_guard lock(l.mutex);
    if (l.folder != m_folder) {
      l.f.setEphePath(m_folder.c_str());
      l.folder = m_folder;
    }
    if (l.sidMode != sidMode) {
      l.f.setSidMode(sidMode, 0, 0);
      l.sidMode = sidMode;
    }
    return work(l.f);
  }

 private:
  std::shared_ptr<LoadedLibrary> m_loaded;
  std::string m_folder;
};

std::variant<std::shared_ptr<const SwissLibrary>, std::string> OpenSwissLibrary(const SwissPaths& paths) {
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<LoadedLibrary>> loaded;
  const std::lock_guard lock(mutex);
  auto& library = loaded[paths.libraryFile];
  if (!library) {
    auto opened = load(paths.libraryFile);
    if (auto* why = std::get_if<std::string>(&opened)) {
      loaded.erase(paths.libraryFile);
      return std::move(*why);
    }
    library = std::get<std::shared_ptr<LoadedLibrary>>(std::move(opened));
  }
  return std::make_shared<const SwissLibrary>(library, paths.ephemerisFolder);
}

int SwissSiderealMode(AyanamsaKind ayanamsa) {
  switch (ayanamsa) {
    case AyanamsaKind::Lahiri: return SE_SIDM_LAHIRI;
    case AyanamsaKind::Raman: return SE_SIDM_RAMAN;
    case AyanamsaKind::Krishnamurti: return SE_SIDM_KRISHNAMURTI;
    case AyanamsaKind::TrueChitra: return SE_SIDM_TRUE_CITRA;
  }
  return SE_SIDM_LAHIRI;
}

SwissModel::SwissModel(std::shared_ptr<const SwissLibrary> library, AyanamsaKind ayanamsa, NodeKind node)
    : m_library(std::move(library)), m_ayanamsa(ayanamsa), m_node(node) {}

namespace {

// The observer of swe_houses_ex and swe_rise_trans: east longitude and north latitude in degrees.
struct Observer {
  double lonDeg = 0, latDeg = 0;
};

Observer observerOf(const BirthData& b) {
  Observer o;
  o.lonDeg = b.LonDeg + b.LonMin / 60.0;
  if (!b.IsEast) o.lonDeg = -o.lonDeg;
  o.latDeg = b.LatDeg + b.LatMin / 60.0;
  if (b.IsSouth) o.latDeg = -o.latDeg;
  return o;
}

// A body's longitude and its speed in longitude, and whether the Moshier series stood in for the files.
struct Calculated {
  double longitudeDeg = 0, speedDegPerDay = 0;
  bool moshier = false;
};

Calculated calculate(const SwissFunctions& f, double jdUt, int body, std::int32_t flags) {
  double xx[6] = {};
  char error[AS_MAXCH] = {};
  const std::int32_t used = f.calcUt(jdUt, body, flags, xx, error);
  return {normalized(xx[0]), xx[3], used >= 0 && (used & SEFLG_MOSEPH) != 0};
}

double ascendantOf(const SwissFunctions& f, double jdUt, const Observer& o) {
  double cusps[37] = {};
  double ascmc[10] = {};
  f.housesEx(jdUt, SEFLG_SIDEREAL, o.latDeg, o.lonDeg, 'W', cusps, ascmc);
  return normalized(ascmc[0]);
}

}  // namespace

BirthPositions SwissModel::atBirth(const BirthData& b, const ZoneCorrection& zone, int second) const {
  const LocalDateTime clock{b.BirthYear, b.BirthMonth, b.BirthDay, b.BirthHour, b.BirthMinute, second};
  const double jd = julianDayUt(clock, correctionMinutes(zone, b.IsDST));
  const Observer observer = observerOf(b);
  // Sun, Moon, Mercury .. Saturn in the order of the chart texts, then the node.
  static constexpr std::array<int, 7> kBodies = {SE_SUN, SE_MOON, SE_MERCURY, SE_VENUS, SE_MARS, SE_JUPITER, SE_SATURN};
  const int node = m_node == NodeKind::True ? SE_TRUE_NODE : SE_MEAN_NODE;

  std::array<Calculated, 8> bodies;
  double ascendant = 0, ayanamsa = 0;
  m_library->with(SwissSiderealMode(m_ayanamsa), [&](const SwissFunctions& f) {
    for (std::size_t i = 0; i < kBodies.size(); ++i) bodies[i] = calculate(f, jd, kBodies[i], kPositionFlags);
    bodies[7] = calculate(f, jd, node, kPositionFlags);
    ascendant = ascendantOf(f, jd, observer);
    char error[AS_MAXCH] = {};
    f.ayanamsaExUt(jd, SEFLG_SWIEPH, &ayanamsa, error);
  });

  BirthPositions p;
  p.ascendant.CenturiesSince1900 = (jd - kJd1900) / kDaysPerCentury;
  p.ascendant.AyanamsaDeg = -ayanamsa;
  p.ascendant.AscendantDeg = ascendant;
  p.ascendant.AscendantDegInt = static_cast<int>(std::floor(ascendant));
  p.ascendant.AscendantText = LongitudeToText(ascendant);

  const double moon = bodies[1].longitudeDeg;
  p.moon.MoonLongitudeDeg = moon;
  p.moon.MoonText = LongitudeToText(moon);
  p.moon.MoonNakshatraStart = nakshatraStart(moon);

  const double rahu = bodies[7].longitudeDeg;
  const double ketu = normalized(rahu + 180);
  for (std::size_t i = 0; i < kBodies.size(); ++i) p.chartPositions[i] = ChartTextOfLongitude(bodies[i].longitudeDeg);
  p.chartPositions[7] = ChartTextOfLongitude(rahu);
  p.chartPositions[8] = ChartTextOfLongitude(ketu);
  p.chartPositions[9] = ChartTextOfLongitude(ascendant);
  p.longitudesDeg.emplace();
  for (std::size_t i = 0; i < kBodies.size(); ++i) (*p.longitudesDeg)[i] = bodies[i].longitudeDeg;
  (*p.longitudesDeg)[7] = rahu;
  (*p.longitudesDeg)[8] = ketu;
  (*p.longitudesDeg)[9] = ascendant;

  // Mercury .. Saturn are retrograde while their longitude decreases; the nodes are never marked.
  for (std::size_t i = 0; i < kPlainPlanetLabels.size(); ++i) p.retrogrades.labels[i] = kPlainPlanetLabels[i];
  for (std::size_t planet = 0; planet < p.retrogrades.flags.size(); ++planet) {
    p.retrogrades.flags[planet] = bodies[planet + 2].speedDegPerDay < 0;
    if (p.retrogrades.flags[planet]) p.retrogrades.labels[planet + 2] += kRetrogradeMark;
  }

  p.model.ephemeris = kEphemerisKeys[static_cast<std::size_t>(EphemerisKind::Swiss)];
  p.model.ayanamsa = kAyanamsaKeys[static_cast<std::size_t>(m_ayanamsa)];
  p.model.node = kNodeKeys[static_cast<std::size_t>(m_node)];
  p.model.ayanamsaDeg = ayanamsa;
  for (const Calculated& c : bodies) p.model.moshier = p.model.moshier || c.moshier;
  return p;
}

SunTimes SwissModel::sunTimes(const BirthData& b, const ZoneCorrection& zone, const LocalDateTime& date) const {
  // The date's clock runs an hour ahead where the built-in model's rule says it does.
  const bool daylightSaving = b.IsDST && UsDstInEffect(date.day, weekdaySundayZero(date.year, date.month, date.day),
                                                       date.month, b.BirthHour, b.BirthMinute);
  const double correction = correctionMinutes(zone, daylightSaving);
  const double zoneEastHours = -correction / 60;
  const LocalDateTime midnight{date.year, date.month, date.day, 0, 0, 0};
  const double start = julianDayUt(midnight, correction);
  const double end = start + 1;
  const Observer o = observerOf(b);
  double geopos[3] = {o.lonDeg, o.latDeg, 0};

  SunTimes times;
  times.daylightSaving = daylightSaving;
  m_library->with(SwissSiderealMode(m_ayanamsa), [&](const SwissFunctions& f) {
    // The next event of its kind from a moment: nothing when the Sun does not rise or set at all.
    const auto next = [&](double from, std::int32_t event) -> std::optional<double> {
      double when = 0;
      char error[AS_MAXCH] = {};
      if (f.riseTrans(from, SE_SUN, nullptr, SEFLG_SWIEPH, event, geopos, kPressureHpa, kTemperatureC, &when,
                      error) != 0)
        return std::nullopt;
      return when;
    };
    std::optional<double> rise = next(start, SE_CALC_RISE);
    if (rise && *rise >= end) rise.reset();
    // The sunset that follows the day's sunrise, even when it comes after midnight.
    std::optional<double> set = next(rise ? *rise : start, SE_CALC_SET);
    if (set && *set >= end && !(rise && *set < *rise + 1)) set.reset();
    if (rise) times.sunrise = localClockOf(*rise, zoneEastHours);
    if (set) times.sunset = localClockOf(*set, zoneEastHours);
    if (!rise || !set) {
      // Whether the Sun stays above or below the horizon: its apparent altitude at local noon.
      const double noon = start + 0.5;
      double xx[6] = {};
      char error[AS_MAXCH] = {};
      f.calcUt(noon, SE_SUN, SEFLG_SWIEPH, xx, error);
      double altitude[3] = {};
      f.azalt(noon, SE_ECL2HOR, geopos, kPressureHpa, kTemperatureC, xx, altitude);
      times.polar = altitude[2] > 0 ? PolarSun::Day : PolarSun::Night;
    }
  });
  return times;
}

SunriseSun SwissModel::sunAt(const BirthData& /*birth*/, const ZoneCorrection& zone, const LocalDateTime& clock,
                             bool daylightSaving, const BirthPositions& /*atBirth*/) const {
  const double jd = julianDayUt(clock, correctionMinutes(zone, daylightSaving));
  const double sun = m_library->with(SwissSiderealMode(m_ayanamsa), [&](const SwissFunctions& f) {
    return calculate(f, jd, SE_SUN, kPositionFlags).longitudeDeg;
  });
  return SunriseSun{sun, ChartTextOfLongitude(sun)};
}

FastPoints SwissModel::fastPoints(const BirthData& birth, const ZoneCorrection& zone,
                                  const LocalDateTime& localClock) const {
  const double jd = julianDayUt(localClock, correctionMinutes(zone, birth.IsDST));
  const Observer observer = observerOf(birth);
  FastPoints p;
  m_library->with(SwissSiderealMode(m_ayanamsa), [&](const SwissFunctions& f) {
    p.AscendantDeg = ascendantOf(f, jd, observer);
    p.MoonLongitudeDeg = calculate(f, jd, SE_MOON, kPositionFlags).longitudeDeg;
  });
  p.MoonNakshatraStart = nakshatraStart(p.MoonLongitudeDeg);
  return p;
}

}  // namespace halvora
