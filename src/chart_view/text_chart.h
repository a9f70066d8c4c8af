// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart drawn in text, as halvora-chart's readable page shows it: the South Indian chart as a
// four-by-four grid of boxes that grow to hold every line, the North and East Indian charts drawn
// with lines and diagonals on a fixed canvas, each cell holding what fits, followed by a list of
// every cell's whole contents.

#include <string>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"

namespace halvora::chart_view {

// The canvas of the North and East Indian charts, in characters.
inline constexpr int kTextChartColumns = 73;
inline constexpr int kTextChartRows = 37;

// The chart's lines, each ended by a line feed.
std::string textChart(const ChartResult& chart, ChartStyle style);

// The lines of a sign's cell that show something: its bodies, and its markers ("SrL"), without
// the captions' empty lines and the blanks round a line ("Saturn (R)").
std::vector<std::string> cellBodies(const ChartResult& chart, int signIndex);
std::vector<std::string> cellMarkers(const ChartResult& chart, int signIndex);

}  // namespace halvora::chart_view
