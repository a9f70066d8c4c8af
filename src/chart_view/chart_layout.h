// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry of the South Indian chart: the twelve sign cells with their sign label, marker label
// and sign number, the centre and the outline, and the fitting of a marker label's lines into its
// cell. Plain values, in twips relative to the chart's own corner, or in whatever unit a caller
// converts them to; the results window and the printed pages share them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace halvora::chart_view {

// A point and an axis-aligned box in any unit, y growing downwards.
struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Box {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double right() const { return left + width; }
  double bottom() const { return top + height; }
  // Edges included: a box contains itself.
  bool contains(const Box& other) const {
    return other.left >= left && other.top >= top && other.right() <= right() && other.bottom() <= bottom();
  }
  // Sharing some area; boxes that only touch do not intersect.
  bool intersects(const Box& other) const {
    return other.left < right() && left < other.right() && other.top < bottom() && top < other.bottom();
  }
  Box united(const Box& other) const;
  friend bool operator==(const Box&, const Box&) = default;
};

// A rectangle and a point in whole twips.
struct TwipPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TwipPoint&, const TwipPoint&) = default;
};

struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool contains(const TwipRect& r) const {
    return r.left >= left && r.top >= top && r.right() <= right() && r.bottom() <= bottom();
  }
  bool contains(const TwipPoint& p) const { return p.x >= left && p.y >= top && p.x < right() && p.y < bottom(); }
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// The cell grid: four columns and four rows of cells 1965 x 1680 twips; the middle two-by-two
// block holds no sign.
inline constexpr int kChartCellWidthTwips = 1965;
inline constexpr int kChartCellHeightTwips = 1680;
inline constexpr std::array<int, 4> kChartColumnLeftTwips = {120, 2085, 4050, 6015};
inline constexpr std::array<int, 4> kChartRowTopTwips = {135, 1815, 3495, 5175};
inline constexpr int kSignLabelWidthTwips = 1305;
inline constexpr int kSignLabelHeightTwips = 1500;

// One sign's cell: its border, the label of its bodies, and where its marker label and its sign
// number begin (their size follows their text).
struct ChartCellTwips {
  TwipRect border;
  TwipRect signLabel;
  TwipPoint marker;
  TwipPoint number;
};

// Column and row (0..3) of a sign's cell: Pisces at the top left, the signs running clockwise.
TwipPoint chartGridPosition(int signIndex);
// The cell of a sign (0..11), relative to the chart's corner.
ChartCellTwips chartCellTwips(int signIndex);
// The rectangle round the whole chart: the outer edges of the outer cells, so that the frame and
// the cells draw one line there, not two side by side.
TwipRect chartOutlineTwips();
TwipRect chartCentreTwips();      // the rectangle round the empty centre
TwipRect chartCentreLinkTwips();  // the link line in the centre

// A rectangle in twips in another unit: `unitsPerTwip` of it per twip, from `origin` on.
Box convertTwips(const TwipRect& twips, double unitsPerTwip, Point origin = {});
Point convertTwips(const TwipPoint& twips, double unitsPerTwip, Point origin = {});

// What the fitting of a marker label's lines needs, all in one unit.
struct MarkerFitInput {
  Box cell;                // the cell's border
  Point origin;            // where the marker label's first line begins as designed
  Box number;              // the sign number, which visible lines keep clear of
  double lineHeight = 0;   // natural height of one line
  double margin = 0;       // gap kept from the border and from the sign number
};

struct MarkerLineFit {
  std::vector<Box> lines;    // one box per line, top to bottom
  Box bounds;                // the union of the line boxes
  bool compressed = false;   // empty lines drawn closer than their natural height
};

// Places the lines of a marker caption, given each line's text width (0 for an empty line). At
// their natural height when they fit; otherwise the empty lines are drawn closer together, so
// that the lines keep their order and every visible line lies inside the cell, clear of its
// border and of the sign number. A visible line that would run past the cell's right edge moves
// left.
MarkerLineFit fitMarkerLines(const MarkerFitInput& in, const std::vector<double>& lineWidths);

// The lines of a caption as the core writes it ("\r\n" or "\n" between lines).
std::vector<std::string> captionLines(std::string_view caption);

}  // namespace halvora::chart_view
