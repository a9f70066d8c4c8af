// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twelve-sign text chart: which cell each chart entry goes into.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "planets/planets.h"
#include "planets/retrogrades.h"

namespace halvora {

// Line separator inside a caption of the chart.
inline constexpr std::string_view kCaptionLineBreak = "\r\n";

// The sign index (0 = Aries) named by characters 4 to 6 of a chart text, or nothing.
std::optional<int> SignIndexOfChartText(std::string_view chartText);

// The sign index of a longitude, read through its position text and chart text the way every
// point of the chart is placed; nothing for a longitude of 360 or more.
std::optional<int> SignIndexOfLongitude(double longitudeDeg);

struct RashiChart {
  std::array<std::string, 12> signLabels;  // captions by sign index
  int AscSignNumber = 0;                   // 1..12; 0 when the ascendant has no sign
};

// Each entry adds a line break and its label to the caption of its sign, in entry order.
RashiChart FillRashiChart(const ChartPositions& positions, const PlanetLabels& labels);

}  // namespace halvora
