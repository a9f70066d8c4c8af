// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rashi_chart.h"

#include "chart/chart_request.h"
#include "ephemeris/calendar.h"

namespace halvora {

std::optional<int> SignIndexOfChartText(std::string_view chartText) {
  if (chartText.size() < 6) return std::nullopt;
  const std::string_view sign = chartText.substr(3, 3);
  for (int k = 0; k < 12; ++k) {
    if (SignNames[static_cast<std::size_t>(k)] == sign) return k;
  }
  return std::nullopt;
}

std::optional<int> SignIndexOfLongitude(double longitudeDeg) {
  // The chart text shows the sign of the position text; from 360 on it shows seconds there, which
  // name no sign, and an empty position text gives a chart text too short to have one.
  const auto parts = PositionPartsOf(longitudeDeg);
  if (!parts) return std::nullopt;
  return parts->sign;
}

RashiChart FillRashiChart(const ChartPositions& positions, const PlanetLabels& labels) {
  RashiChart chart;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const auto k = SignIndexOfChartText(positions[i]);
    if (!k) continue;
    std::string& caption = chart.signLabels[static_cast<std::size_t>(*k)];
    caption += kCaptionLineBreak;
    caption += labels[i];
    if (i == 9) chart.AscSignNumber = *k + 1;
  }
  return chart;
}

}  // namespace halvora
