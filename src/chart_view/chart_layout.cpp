// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_view/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace halvora::chart_view {

namespace {

// Where the sign label, the marker label and the sign number of each sign begin, by sign index.
struct SignPlaces {
  TwipPoint signLabel;
  TwipPoint marker;
  TwipPoint number;
};
constexpr std::array<SignPlaces, 12> kSignPlaces = {{
    {{2280, 240}, {3600, 240}, {3880, 150}},
    {{4200, 240}, {5520, 240}, {5800, 120}},
    {{6120, 240}, {7440, 240}, {7800, 120}},
    {{6120, 1920}, {7440, 1920}, {7800, 1800}},
    {{6120, 3600}, {7440, 3600}, {7800, 3480}},
    {{6120, 5280}, {7440, 5280}, {7800, 5160}},
    {{4200, 5280}, {5520, 5280}, {5880, 5160}},
    {{2160, 5280}, {3600, 5280}, {3840, 5160}},
    {{240, 5280}, {1560, 5280}, {1920, 5160}},
    {{240, 3600}, {1560, 3600}, {1800, 3480}},
    {{240, 1920}, {1560, 1920}, {1800, 1800}},
    {{240, 240}, {1560, 240}, {1800, 120}},
}};

// Row and column of each sign's cell.
constexpr std::array<TwipPoint, 12> kGridPositions = {{
    {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}, {0, 2}, {0, 1}, {0, 0},
}};

// Steps of the search for the pitch of the empty lines; far below a pixel's fraction.
constexpr int kPitchSearchSteps = 40;

struct Placement {
  std::vector<Box> lines;
  double bottom = 0;  // the lowest edge of any line
};

// Lays the lines top to bottom with empty lines `emptyPitch` high; visible lines keep their natural
// height and start below the sign number where they would overlap it.
Placement place(const MarkerFitInput& in, const std::vector<double>& widths, double emptyPitch) {
  Placement result;
  double y = in.origin.y;
  const double right = in.cell.right() - in.margin;
  const double left = in.cell.left + in.margin;
  for (const double width : widths) {
    if (width <= 0) {
      result.lines.push_back({in.origin.x, y, 0.0, emptyPitch});
      y += emptyPitch;
      continue;
    }
    const double x = std::max(left, std::min(in.origin.x, right - width));
    double top = y;
    const bool besideNumber = x < in.number.right() + in.margin && x + width > in.number.left - in.margin;
    if (besideNumber && top < in.number.bottom() + in.margin) top = in.number.bottom() + in.margin;
    result.lines.push_back({x, top, width, in.lineHeight});
    y = top + in.lineHeight;
  }
  result.bottom = y;
  return result;
}

}  // namespace

Box Box::united(const Box& other) const {
  const double l = std::min(left, other.left);
  const double t = std::min(top, other.top);
  return {l, t, std::max(right(), other.right()) - l, std::max(bottom(), other.bottom()) - t};
}

TwipPoint chartGridPosition(int signIndex) { return kGridPositions.at(static_cast<std::size_t>(signIndex)); }

ChartCellTwips chartCellTwips(int signIndex) {
  const TwipPoint grid = chartGridPosition(signIndex);
  const SignPlaces& places = kSignPlaces.at(static_cast<std::size_t>(signIndex));
  return {TwipRect{kChartColumnLeftTwips[static_cast<std::size_t>(grid.x)],
                   kChartRowTopTwips[static_cast<std::size_t>(grid.y)], kChartCellWidthTwips, kChartCellHeightTwips},
          TwipRect{places.signLabel.x, places.signLabel.y, kSignLabelWidthTwips, kSignLabelHeightTwips}, places.marker,
          places.number};
}

TwipRect chartOutlineTwips() {
  return {kChartColumnLeftTwips[0], kChartRowTopTwips[0], 4 * kChartCellWidthTwips, 4 * kChartCellHeightTwips};
}
TwipRect chartCentreTwips() { return {2085, 1815, 3930, 3355}; }
TwipRect chartCentreLinkTwips() { return {2400, 3240, 3300, 600}; }

Box convertTwips(const TwipRect& twips, double unitsPerTwip, Point origin) {
  return {origin.x + twips.left * unitsPerTwip, origin.y + twips.top * unitsPerTwip, twips.width * unitsPerTwip,
          twips.height * unitsPerTwip};
}

Point convertTwips(const TwipPoint& twips, double unitsPerTwip, Point origin) {
  return {origin.x + twips.x * unitsPerTwip, origin.y + twips.y * unitsPerTwip};
}

MarkerLineFit fitMarkerLines(const MarkerFitInput& in, const std::vector<double>& lineWidths) {
  MarkerLineFit fit;
  if (lineWidths.empty()) {
    fit.bounds = Box{in.origin.x, in.origin.y, 0, 0};
    return fit;
  }
  const double bottomLimit = in.cell.bottom() - in.margin;
  Placement placement = place(in, lineWidths, in.lineHeight);
  if (placement.bottom > bottomLimit) {
    fit.compressed = true;
    // The empty lines' pitch: the largest that keeps the last line inside the cell.
    double low = 0;
    double high = in.lineHeight;
    for (int step = 0; step < kPitchSearchSteps; ++step) {
      const double mid = (low + high) / 2;
      (place(in, lineWidths, mid).bottom <= bottomLimit ? low : high) = mid;
    }
    placement = place(in, lineWidths, low);
    // Visible lines that still do not fit (more of them than the cell holds) stay inside it,
    // overlapping one another rather than the border.
    const double lowestTop = bottomLimit - in.lineHeight;
    for (Box& line : placement.lines) {
      if (line.width > 0 && line.top > lowestTop) line.top = std::max(in.cell.top + in.margin, lowestTop);
      if (line.width <= 0 && line.bottom() > bottomLimit) line = Box{line.left, bottomLimit, 0, 0};
    }
  }
  fit.lines = std::move(placement.lines);
  Box bounds = fit.lines.front();
  for (const Box& line : fit.lines) bounds = bounds.united(line);
  fit.bounds = bounds;
  return fit;
}

std::vector<std::string> captionLines(std::string_view caption) {
  std::vector<std::string> lines;
  if (caption.empty()) return lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = caption.find('\n', start);
    std::string_view line = caption.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace halvora::chart_view
