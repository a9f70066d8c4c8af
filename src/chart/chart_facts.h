// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The facts a reader of a chart looks for first, one short line each: the zone and daylight
// saving the birth time was read with, the sunrise the special points are timed from, the Sree
// Lagna's degree and house, and the Moon's degree, nakshatra and pada. The results window, the
// printed pages and halvora-chart's page show the same lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chart/chart_request.h"

namespace halvora {

// The 27 nakshatras from 0 degrees of Aries, each an arc of exactly 13 deg 20 min.
inline constexpr std::array<std::string_view, 27> kNakshatraNames = {
    "Ashwini",     "Bharani",      "Krittika",   "Rohini",         "Mrigashira",       "Ardra",
    "Punarvasu",   "Pushya",       "Ashlesha",   "Magha",          "Purva Phalguni",   "Uttara Phalguni",
    "Hasta",       "Chitra",       "Swati",      "Vishakha",       "Anuradha",         "Jyeshtha",
    "Mula",        "Purva Ashadha", "Uttara Ashadha", "Shravana",  "Dhanishta",        "Shatabhisha",
    "Purva Bhadrapada", "Uttara Bhadrapada", "Revati"};

struct NakshatraPada {
  int nakshatra = 0;  // 0 = Ashwini .. 26 = Revati
  int pada = 1;       // quarter of the nakshatra, 1..4
  friend bool operator==(const NakshatraPada&, const NakshatraPada&) = default;
};

// The nakshatra and pada of a sidereal longitude, counted as the Moon pass counts its nakshatra:
// whole arcs of 800 minutes (and quarters of 200). Nothing outside 0 <= degrees < 360.
std::optional<NakshatraPada> NakshatraPadaOf(double siderealDeg);

struct ChartFacts {
  std::string zone;       // "Zone: Indian Time, IST, +5:30; no daylight saving"
  std::string sunrise;    // "Sunrise used: March 15, 1980, 6:43"
  std::string sreeLagna;  // "Sree Lagna: 19°57′ Taurus, house 2"
  std::string moon;       // "Moon: 7°55′ Aquarius, nakshatra Shatabhisha, pada 1"

  // The four lines in the order they are shown; views into this value, so not of a temporary.
  std::array<std::string_view, 4> lines() const& { return {zone, sunrise, sreeLagna, moon}; }
  std::array<std::string_view, 4> lines() const&& = delete;
};

// The facts of a finished chart, from the chart's own values (whichever model computed them);
// degrees are cut to the whole minute, as the position texts cut them.
ChartFacts FactsOf(const ChartResult& chart);

}  // namespace halvora
