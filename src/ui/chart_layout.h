// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The geometry of the text chart: the twelve sign cells with their sign label, marker label and
// sign number, the centre and the outline, and the fitting of a marker label's lines into its
// cell. Plain values, in twips relative to the chart's own corner, or in whatever unit a caller
// converts them to; the results window and any painter of the chart share them.

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>

#include <array>
#include <vector>

namespace halvora::ui {

// The cell grid: four columns and four rows of cells 1965 x 1680 twips; the middle two-by-two
// block holds no sign.
inline constexpr int kChartCellWidthTwips = 1965;
inline constexpr int kChartCellHeightTwips = 1680;
inline constexpr std::array<int, 4> kChartColumnLeftTwips = {120, 2085, 4050, 6015};
inline constexpr std::array<int, 4> kChartRowTopTwips = {135, 1815, 3495, 5175};
inline constexpr int kSignLabelWidthTwips = 1305;
inline constexpr int kSignLabelHeightTwips = 1500;

// The English names of the signs by sign index, 0 = Aries .. 11 = Pisces.
inline constexpr std::array<const char*, 12> kSignTitles = {
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius",
    "Pisces"};

// One sign's cell: its border, the label of its bodies, and where its marker label and its sign
// number begin (their size follows their text).
struct ChartCellTwips {
  QRect border;
  QRect signLabel;
  QPoint marker;
  QPoint number;
};

// Row and column (0..3) of a sign's cell: Pisces at the top left, the signs running clockwise.
QPoint chartGridPosition(int signIndex);
// The cell of a sign (0..11), relative to the chart's corner.
ChartCellTwips chartCellTwips(int signIndex);
QRect chartOutlineTwips();  // the rectangle round the whole chart
QRect chartCentreTwips();   // the rectangle round the empty centre
QRect chartCentreLinkTwips();  // the link line in the centre

// A rectangle in twips in another unit: `unitsPerTwip` of it per twip, from `origin` on.
QRectF convertTwips(const QRect& twips, double unitsPerTwip, QPointF origin = {});
QPointF convertTwips(const QPoint& twips, double unitsPerTwip, QPointF origin = {});

// What the fitting of a marker label's lines needs, all in one unit.
struct MarkerFitInput {
  QRectF cell;             // the cell's border
  QPointF origin;          // where the marker label's first line begins as designed
  QRectF number;           // the sign number, which visible lines keep clear of
  double lineHeight = 0;   // natural height of one line
  double margin = 0;       // gap kept from the border and from the sign number
};

struct MarkerLineFit {
  std::vector<QRectF> lines;  // one box per line, top to bottom
  QRectF bounds;              // the union of the line boxes
  bool compressed = false;    // empty lines drawn closer than their natural height
};

// Places the lines of a marker caption, given each line's text width (0 for an empty line). At
// their natural height when they fit; otherwise the empty lines are drawn closer together, so
// that the lines keep their order and every visible line lies inside the cell, clear of its
// border and of the sign number. A visible line that would run past the cell's right edge moves
// left.
MarkerLineFit fitMarkerLines(const MarkerFitInput& in, const std::vector<double>& lineWidths);

// The lines of a caption as the core writes it ("\r\n" or "\n" between lines).
std::vector<QString> captionLines(const QString& caption);

}  // namespace halvora::ui
