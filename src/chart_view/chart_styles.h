// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three ways of drawing the twelve-sign chart, as plain geometry in a unit square (x to the
// right, y downwards, both 0..1) that a painter stretches over the chart's outline:
// - South Indian: the signs keep their cells, Pisces top left, clockwise (chart_layout.h has its
//   designed cells; here they are the same cells in the unit square).
// - North Indian: both diagonals and the diamond through the midpoints of the sides; the houses
//   keep their cells (house 1 the top diamond, then counter-clockwise) and the signs move with
//   the ascendant.
// - East Indian: a 3 x 3 grid with an empty centre whose corner cells are cut by their diagonal
//   from the outer to the inner corner; Aries top middle, the signs counter-clockwise.
// Each cell also says where its lines of text go and where its sign number stands (near the
// cell's inner corner), as boxes inside its polygon.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart_view/chart_layout.h"

namespace halvora::chart_view {

enum class ChartStyle { South, North, East };

// How the chart is drawn: its style, and whether each cell writes its sign's abbreviation beside
// the sign number.
struct ChartLook {
  ChartStyle style = ChartStyle::South;
  bool signNames = false;
  friend bool operator==(const ChartLook&, const ChartLook&) = default;
};

inline constexpr std::array<ChartStyle, 3> kChartStyles = {ChartStyle::South, ChartStyle::North, ChartStyle::East};
// The words that name them, in the same order.
inline constexpr std::array<std::string_view, 3> kChartStyleKeys = {"south", "north", "east"};

// The style's word on the command line and in the settings ("south", "north", "east"), its title
// in the menu ("South Indian" ...), and the style a word names.
std::string_view chartStyleKey(ChartStyle style);
std::string_view chartStyleTitle(ChartStyle style);
std::optional<ChartStyle> chartStyleFromKey(std::string_view key);

using Polygon = std::vector<Point>;

struct ChartCell {
  int signIndex = 0;  // the sign whose bodies the cell holds
  int house = 0;      // 1..12, counted from the ascendant's sign
  Polygon outline;    // the cell's corners, in order round it
  Box text;           // where the bodies and markers go, inside the outline
  Box number;         // where the sign number goes, inside the outline and clear of `text`
};

// One style's drawing: the twelve cells by sign index and the lines that draw them (the outline of
// the whole square included).
struct ChartFace {
  ChartStyle style = ChartStyle::South;
  std::array<ChartCell, 12> cells;
  std::vector<std::array<Point, 2>> lines;
  std::optional<Box> centre;  // the empty middle, where a style has one
};

// The drawing of a style for a chart whose ascendant is in sign `ascendantSignIndex` (0..11; only
// the North Indian chart depends on it).
ChartFace chartFace(ChartStyle style, int ascendantSignIndex);

// The North Indian rule: the sign (0..11) in house `house` (1..12) for an ascendant in sign
// `ascendantSignIndex`: the ascendant's sign plus house - 1, round the twelve.
int signInHouse(int ascendantSignIndex, int house);
// The ascendant's sign index of a chart (AscSignNumber 1..12), Aries when it has none.
int ascendantSignIndex(int ascSignNumber);

// Area of a simple polygon, and whether a point lies inside it (on its edge counts as inside).
double polygonArea(const Polygon& polygon);
bool polygonContains(const Polygon& polygon, Point p);
bool polygonContains(const Polygon& polygon, const Box& box);  // all four corners inside (for convex cells)

// Maps the unit square onto `frame`.
Point toFrame(Point unit, const Box& frame);
Box toFrame(const Box& unit, const Box& frame);

// The lines of one cell to fit into its text box, bodies first and then the special points'
// visible markers ("SrL"), each with its natural width in the unit of the box.
struct CellLine {
  std::string text;
  double width = 0;
  bool marker = false;
};

struct PlacedLine {
  std::string text;
  Box box;             // no wider than the text box; a longer text is cut to it
  bool marker = false;
  bool more = false;   // the line that stands for bodies that did not fit
};

struct CellTextFit {
  double scale = 1;              // share of the natural type size the lines are drawn at
  std::vector<PlacedLine> lines;
  bool clipped = false;          // some lines are not shown (a painter names them on hover)
};

// What fitCellText needs: the box, the lines, the natural height of a line, the smallest share of
// the natural size the type may shrink to, and the width of `moreText` at natural size.
struct CellTextInput {
  Box box;
  std::vector<CellLine> lines;
  double lineHeight = 0;
  double leastScale = 1;
  std::string moreText = "\u2026";
  double moreWidth = 0;
};

// Lays the lines top to bottom from the box's top left. Type shrinks (down to leastScale) until
// every line fits; when they still do not, the markers stay, as many bodies as fit before them, and
// one `moreText` line in place of the rest.
CellTextFit fitCellText(const CellTextInput& in);

}  // namespace halvora::chart_view
