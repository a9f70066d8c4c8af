// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a chart's positions come from: the ascendant, the Moon with the start of its nakshatra,
// the Sun and the planets at birth and at a sunrise, the nodes, the retrograde marks, and sunrise
// and sunset. The chart request asks one PositionModel for all of them and knows nothing of how
// they were computed. Two models exist: the built-in one (mean elements, the program's own) and
// Swiss Ephemeris (Debian's libswe, opened when first used).

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "ephemeris/birth_data.h"
#include "ephemeris/date_time.h"
#include "ephemeris/moon.h"
#include "ephemeris/sunrise.h"
#include "planets/ascendant.h"
#include "planets/planets.h"
#include "planets/retrogrades.h"

namespace halvora {

enum class EphemerisKind { Builtin, Swiss };
enum class AyanamsaKind { Lahiri, Raman, Krishnamurti, TrueChitra };
enum class NodeKind { Mean, True };

// The keys of each choice, as the command line and the JSON answer write them, by enum value.
inline constexpr std::array<std::string_view, 2> kEphemerisKeys = {"builtin", "swiss"};
inline constexpr std::array<std::string_view, 4> kAyanamsaKeys = {"lahiri", "raman", "krishnamurti", "true-chitra"};
inline constexpr std::array<std::string_view, 2> kNodeKeys = {"mean", "true"};

// The names the readable texts give them, by enum value.
inline constexpr std::array<std::string_view, 4> kAyanamsaNames = {"Lahiri", "Raman", "Krishnamurti", "True Chitra"};

std::optional<EphemerisKind> ephemerisKindOf(std::string_view key);
std::optional<AyanamsaKind> ayanamsaKindOf(std::string_view key);
std::optional<NodeKind> nodeKindOf(std::string_view key);

// Which model a chart is computed with. The ayanamsa and the node are those of Swiss Ephemeris;
// the built-in model has its own of each.
struct ModelChoice {
  EphemerisKind ephemeris = EphemerisKind::Builtin;
  AyanamsaKind ayanamsa = AyanamsaKind::Lahiri;
  NodeKind node = NodeKind::Mean;
  friend bool operator==(const ModelChoice&, const ModelChoice&) = default;
};

// What a chart says about the model that computed it.
struct ModelDescription {
  std::string_view ephemeris = kEphemerisKeys[0];  // "builtin" or "swiss"
  std::string_view ayanamsa = "builtin";           // a key of kAyanamsaKeys, or "builtin"
  std::string_view node = kNodeKeys[0];            // "mean" or "true"
  double ayanamsaDeg = 0;     // the ayanamsa of the birth moment, positive (the planets' for the built-in model)
  bool moshier = false;       // Swiss Ephemeris without its files: its Moshier series ran instead
  friend bool operator==(const ModelDescription&, const ModelDescription&) = default;
};

// "Positions: Swiss Ephemeris, Lahiri ayanamsa 23°48′51″, mean node", or for the built-in model
// "Positions: built-in model (planets within about 1½°)": the line shown under the positions.
std::string PositionsLine(const ModelDescription& model);

// What the chart takes from a model at the birth moment.
struct BirthPositions {
  AscendantResult ascendant;
  MoonResult moon;
  ChartPositions chartPositions;  // Sun, Moon, Mercury .. Saturn, Rahu, Ketu, ascendant
  RetrogradeMarks retrogrades;
  ModelDescription model;
  // The unrounded longitudes of the chart texts, in their order, where the model gives them (the
  // Swiss model does; the built-in one makes its texts straight from its passes).
  std::optional<std::array<double, 10>> longitudesDeg;
};

// The three points the Sree Lagna is made of, at one moment.
struct FastPoints {
  double AscendantDeg = 0;
  double MoonLongitudeDeg = 0;
  double MoonNakshatraStart = 0;
};

// One way of computing positions. `birth` gives the place (coordinates and hemispheres), the
// birth's date and clock time and the daylight-saving box; `zone` is the zone's signed correction.
class PositionModel {
 public:
  virtual ~PositionModel() = default;

  // Everything at the birth moment; `second` is the birth time's seconds.
  virtual BirthPositions atBirth(const BirthData& birth, const ZoneCorrection& zone, int second) const = 0;

  // Sunrise and sunset of one date at the birth's place, as local clock times (see SunTimes).
  virtual SunTimes sunTimes(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& date) const = 0;

  // The Sun at a sunrise given in local clock time, whose day had the daylight-saving hour or not.
  virtual SunriseSun sunAt(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& clock,
                           bool daylightSaving, const BirthPositions& atBirth) const = 0;

  // The ascendant and the Moon with its nakshatra start at any local clock moment at the birth's
  // place, zone and daylight-saving box, without the planets or the sunrise.
  virtual FastPoints fastPoints(const BirthData& birth, const ZoneCorrection& zone,
                                const LocalDateTime& localClock) const = 0;
};

// The program's own model, the default: mean orbital elements, the truncated lunar series, its own
// ayanamsas and nakshatra table, the station tables and the short sunrise formula. Its positions
// ignore the birth's seconds.
class BuiltinModel final : public PositionModel {
 public:
  BirthPositions atBirth(const BirthData& birth, const ZoneCorrection& zone, int second) const override;
  SunTimes sunTimes(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& date) const override;
  SunriseSun sunAt(const BirthData& birth, const ZoneCorrection& zone, const LocalDateTime& clock,
                   bool daylightSaving, const BirthPositions& atBirth) const override;
  FastPoints fastPoints(const BirthData& birth, const ZoneCorrection& zone,
                        const LocalDateTime& localClock) const override;
};

// Where Swiss Ephemeris is looked for: the library opened when it is first used, and the folder
// of its ephemeris files. Tests swap either to see the program without them.
struct SwissPaths {
  std::string libraryFile = "libswe.so.2";
  std::string ephemerisFolder = "/usr/share/libswe/ephe";
};

// The model a choice names, or why it cannot be had ("Swiss Ephemeris is not available:
// libswe.so.2: cannot open shared object file ...").
using ModelOutcome = std::variant<std::shared_ptr<const PositionModel>, std::string>;
ModelOutcome OpenPositionModel(const ModelChoice& choice, const SwissPaths& paths = {});

// Nothing when Swiss Ephemeris can be used, else the reason it cannot.
std::optional<std::string> SwissUnavailableReason(const SwissPaths& paths = {});

// The fast points of one chart's place, zone and daylight-saving box, for a search over its
// birth time. The model must outlive the function.
using FastPointsFunction = std::function<FastPoints(const LocalDateTime& localClock)>;
FastPointsFunction FastPointsOf(const PositionModel& model, const BirthData& birth, const ZoneCorrection& zone);

}  // namespace halvora
