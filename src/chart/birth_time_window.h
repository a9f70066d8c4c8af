// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The birth-time window of the Sree Lagna and of the ascendant: the local clock times at which
// each entered the sign it has at the birth and will leave it, searched to the second up to six
// hours either way.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ephemeris/birth_data.h"
#include "ephemeris/date_time.h"
#include "planets/position_model.h"

namespace halvora {

// The positions at a local clock time (with seconds), in the chart's zone and daylight saving.
using FastPointsAt = FastPointsFunction;

// The built-in model's positions for the chart's place, zone and daylight-saving flag (the name
// and the date and time of `birth` are not used). The built-in passes read the hour and minute, so
// the positions hold still through each minute; the evaluator keeps the last minute it computed
// (its copies share it), so it is for one thread at a time.
FastPointsAt BuiltInFastPoints(const BirthData& birth, const ZoneCorrection& zone);

// How far the window is searched each way from the birth, in seconds.
inline constexpr std::int64_t kWindowSearchSeconds = 6 * 3600;

// The first and last clock times the entry form offers.
inline constexpr LocalDateTime kFirstListMoment{1901, 1, 1, 0, 0, 0};
inline constexpr LocalDateTime kLastListMoment{2050, 12, 31, 23, 59, 59};

// One end of a window.
struct WindowEnd {
  enum class Kind {
    Found,          // `at` is the first (or last) second with the sign; `otherSign` the sign beyond it
    BeyondSearch,   // the sign holds for more than six hours this way
    BeyondYearList  // the sign holds up to the first (or last) moment of the year list
  };
  Kind kind = Kind::BeyondSearch;
  LocalDateTime at;              // Found only
  std::optional<int> otherSign;  // Found only; nothing where the point's text names no sign
  friend bool operator==(const WindowEnd&, const WindowEnd&) = default;
};

// The seconds around the birth at which a point keeps the sign it has at the birth: `from` is the
// first second whose chart has the sign, `to` the last that still has it.
struct SignWindow {
  std::optional<int> sign;  // sign index 0..11 at the birth
  WindowEnd from, to;
  friend bool operator==(const SignWindow&, const SignWindow&) = default;
};

struct BirthTimeWindows {
  SignWindow sreeLagna;
  SignWindow ascendant;
  friend bool operator==(const BirthTimeWindows&, const BirthTimeWindows&) = default;
};

// Both windows of a birth at a local clock time within the year list.
BirthTimeWindows FindBirthTimeWindows(const FastPointsAt& pointsAt, const LocalDateTime& birth);

struct ChartResult;

// Both windows of a chart, with the position model that computed it (named by chart.model) at the
// chart's place, zone and daylight saving. A chart of a model that cannot be opened (its library
// gone since) has windows without a sign.
BirthTimeWindows BirthTimeWindowsOf(const ChartResult& chart);

// The sign indexes the chart gives the two points at one moment (the truncating text conversion).
std::optional<int> SreeLagnaSignAt(const FastPoints& p);
std::optional<int> AscendantSignAt(const FastPoints& p);

// The English name of a sign index ("Taurus"); an empty text outside 0..11.
std::string_view SignTitle(std::optional<int> signIndex);

// "2026-12-08 09:44:05", or "more than 6 hours", or "before 1901" / "after 2050" beyond the year list.
std::string WindowEndText(const WindowEnd& end, bool isFrom);

// The window as one line of the results:
// "Sree Lagna in Taurus for births from 8:47:12 to 9:44:05 (before: Aries, after: Gemini)".
// An end on another day than the birth carries its date; within five minutes of either end the
// line says so instead ("the birth is 40 seconds after the Sree Lagna entered Aquarius: check the
// birth time"). `pointName` is "Sree Lagna" or "Ascendant".
std::string WindowLine(std::string_view pointName, const SignWindow& window, const LocalDateTime& birth);

}  // namespace halvora
