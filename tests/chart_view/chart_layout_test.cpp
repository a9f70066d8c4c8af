// SPDX-License-Identifier: GPL-3.0-or-later
// The South Indian chart's geometry: the cells of the twelve signs, and the marker lines fitted into
// their cell, as pure functions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/sign_names.h"
#include "chart_view/chart_layout.h"

namespace halvora::chart_view {
namespace {

// --- The cells ----------------------------------------------------------------------------------

struct CellRow {
  const char* sign;
  int index;
  TwipPoint borderTwips;  // left and top of the cell border
};

// The chart's design: Pisces top left, the signs clockwise, cells 1965 x 1680 twips.
const CellRow kCells[] = {
    {"Aries", 0, {2085, 135}},   {"Taurus", 1, {4050, 135}},     {"Gemini", 2, {6015, 135}},
    {"Cancer", 3, {6015, 1815}}, {"Leo", 4, {6015, 3495}},       {"Virgo", 5, {6015, 5175}},
    {"Libra", 6, {4050, 5175}},  {"Scorpio", 7, {2085, 5175}},   {"Sagittarius", 8, {120, 5175}},
    {"Capricorn", 9, {120, 3495}}, {"Aquarius", 10, {120, 1815}}, {"Pisces", 11, {120, 135}},
};

TEST(ChartCells, EachSignHasItsDesignedCellAndItsLabelsInsideIt) {
  for (const CellRow& row : kCells) {
    const ChartCellTwips cell = chartCellTwips(row.index);
    EXPECT_EQ(cell.border, (TwipRect{row.borderTwips.x, row.borderTwips.y, 1965, 1680})) << row.sign;
    EXPECT_TRUE(cell.border.contains(cell.signLabel)) << row.sign;
    EXPECT_TRUE(cell.border.contains(cell.marker)) << row.sign;
    EXPECT_EQ(SignTitles.at(static_cast<std::size_t>(row.index)), row.sign);
    // The marker column lies to the right of the bodies.
    EXPECT_GT(cell.marker.x, cell.signLabel.right()) << row.sign;
    EXPECT_TRUE(chartOutlineTwips().contains(cell.border)) << row.sign;
  }
  EXPECT_TRUE(chartOutlineTwips().contains(chartCentreTwips()));
  EXPECT_TRUE(chartCentreTwips().contains(chartCentreLinkTwips()));
}

// The frame round the chart is the outer edges of the outer cells: drawn there, it and the cells'
// borders are one line, not two side by side along the top and the left.
TEST(ChartCells, TheOutlineIsTheOuterCellsEdges) {
  const TwipRect outline = chartOutlineTwips();
  EXPECT_EQ(outline.left, chartCellTwips(11).border.left);   // Pisces, top left
  EXPECT_EQ(outline.top, chartCellTwips(11).border.top);
  EXPECT_EQ(outline.right(), chartCellTwips(5).border.right());   // Virgo, bottom right
  EXPECT_EQ(outline.bottom(), chartCellTwips(5).border.bottom());
}

TEST(ChartCells, ConvertToAnotherUnit) {
  // 1440 twips to the inch: a cell is 1.364 x 1.167 inches, or at 96 pixels per inch 131 x 112.
  const Box inches = convertTwips(chartCellTwips(11).border, 1.0 / 1440);
  EXPECT_NEAR(inches.left, 120.0 / 1440, 1e-12);
  EXPECT_NEAR(inches.width, 1965.0 / 1440, 1e-12);
  const Box pixels = convertTwips(chartCellTwips(11).border, 96.0 / 1440, Point{10, 20});
  EXPECT_NEAR(pixels.left, 10 + 8.0, 1e-9);
  EXPECT_NEAR(pixels.top, 20 + 9.0, 1e-9);
  EXPECT_NEAR(pixels.width, 131.0, 1e-9);
  EXPECT_NEAR(pixels.height, 112.0, 1e-9);
}

// --- Fitting the marker lines, as a pure function ------------------------------------------------

constexpr double kLine = 15;   // a line of Verdana 9 pt bold at 96 dpi
constexpr double kSrL = 24;    // the width of "SrL"
constexpr double kMargin = 2;

// Aquarius at 96 dpi, 120 twips below the frame's top: the cell (120, 1935) 1965 x 1680 twips, the
// marker's design place (1560, 2040) and the number "11" at (1800, 1920), 16 x 17 pixels.
MarkerFitInput aquarius() {
  MarkerFitInput in;
  in.cell = Box{8, 129, 131, 112};
  in.origin = Point{104, 136};
  in.number = Box{120, 128, 16, 17};
  in.lineHeight = kLine;
  in.margin = kMargin;
  return in;
}

// A marker caption: `before` empty lines, "SrL", then `after` empty lines.
std::vector<double> caption(int before, int after) {
  std::vector<double> widths(static_cast<std::size_t>(before), 0.0);
  widths.push_back(kSrL);
  widths.insert(widths.end(), static_cast<std::size_t>(after), 0.0);
  return widths;
}

// A box grown by `by` on every side (shrunk for a negative `by`).
Box grown(const Box& b, double by) { return {b.left - by, b.top - by, b.width + 2 * by, b.height + 2 * by}; }

void expectInsideAndClear(const MarkerFitInput& in, const MarkerLineFit& fit, const std::string& what) {
  const Box room = grown(in.cell, -in.margin);
  for (std::size_t i = 0; i < fit.lines.size(); ++i) {
    const Box& line = fit.lines[i];
    if (i > 0) {
      EXPECT_GE(line.top, fit.lines[i - 1].top - 1e-9) << what << ": line " << i << " out of order";
    }
    EXPECT_LE(line.bottom(), room.bottom() + 1e-9) << what << ": line " << i << " below the cell";
    if (line.width <= 0) continue;
    EXPECT_TRUE(room.contains(line)) << what << ": line " << i << " leaves the cell";
    EXPECT_FALSE(line.intersects(grown(in.number, in.margin))) << what << ": line " << i << " touches the sign number";
    EXPECT_DOUBLE_EQ(line.height, in.lineHeight) << what << ": visible line " << i << " squeezed";
  }
}

struct FitRow {
  const char* name;
  int before;
  int after;
  bool compressed;
  double srlTop;  // where "SrL" begins
};

class MarkerFit : public ::testing::TestWithParam<FitRow> {};

TEST_P(MarkerFit, KeepsTheSreeLagnaInItsCell) {
  const FitRow& row = GetParam();
  const MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, caption(row.before, row.after));
  ASSERT_EQ(fit.lines.size(), static_cast<std::size_t>(row.before + row.after + 1));
  EXPECT_EQ(fit.compressed, row.compressed);
  expectInsideAndClear(in, fit, row.name);
  EXPECT_NEAR(fit.lines[static_cast<std::size_t>(row.before)].top, row.srlTop, 1e-6);
  EXPECT_TRUE(in.cell.contains(fit.bounds)) << row.name;
  if (!row.compressed) {
    for (std::size_t i = 0; i < fit.lines.size(); ++i) EXPECT_DOUBLE_EQ(fit.lines[i].top, 136 + kLine * i) << i;
  }
}

// The lines may reach 241 - 2 = 239: from 136 that is room for six lines of 15. Beyond, the empty
// lines share what "SrL" leaves: e = (239 - 136 - 15) / (number of empty lines).
INSTANTIATE_TEST_SUITE_P(
    Lines, MarkerFit,
    ::testing::Values(
        // 136 + 15 = 151 lies below the number (128 + 17 + 2 = 147): the natural place.
        FitRow{"SecondLine", 1, 0, false, 136 + kLine},
        FitRow{"FourthLineAndOneAfter", 3, 1, false, 136 + 3 * kLine},
        FitRow{"FifthLineAndOneAfter", 4, 1, false, 136 + 4 * kLine},
        // Seven lines would end at 241, on the border.
        FitRow{"SixthLineAndOneAfter", 5, 1, true, 136 + 5 * (88.0 / 6)},
        FitRow{"NinthLineAndOneAfter", 8, 1, true, 136 + 8 * (88.0 / 9)},
        FitRow{"NinthLineLast", 8, 0, true, 239 - kLine},
        FitRow{"TwentiethLine", 19, 2, true, 136 + 19 * (88.0 / 21)}),
    [](const ::testing::TestParamInfo<FitRow>& info) { return std::string(info.param.name); });

TEST(MarkerFitPlaces, FirstLineBesideTheNumberMovesBelowIt) {
  MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, {kSrL});
  ASSERT_EQ(fit.lines.size(), 1u);
  EXPECT_DOUBLE_EQ(fit.lines[0].top, 128 + 17 + 2);
  // Away from the number it stays where it was designed to begin.
  in.number.left = 200;
  EXPECT_DOUBLE_EQ(fitMarkerLines(in, {kSrL}).lines[0].top, in.origin.y);
}

TEST(MarkerFitPlaces, WideLineMovesLeftIntoTheCell) {
  const MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, {0, 60});
  ASSERT_EQ(fit.lines.size(), 2u);
  EXPECT_DOUBLE_EQ(fit.lines[1].left, 139 - 2 - 60);
  EXPECT_DOUBLE_EQ(fit.lines[1].right(), 139 - 2);
  EXPECT_DOUBLE_EQ(fit.lines[1].top, 151);
}

TEST(MarkerFitPlaces, MoreVisibleLinesThanTheCellHoldsStayInside) {
  const MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, std::vector<double>(12, kSrL));
  ASSERT_EQ(fit.lines.size(), 12u);
  EXPECT_TRUE(fit.compressed);
  const Box room = grown(in.cell, -kMargin);
  for (const Box& line : fit.lines) EXPECT_TRUE(room.contains(line));
}

TEST(MarkerFitPlaces, NoLinesNoBox) {
  const MarkerLineFit fit = fitMarkerLines(aquarius(), {});
  EXPECT_TRUE(fit.lines.empty());
  EXPECT_FALSE(fit.compressed);
}

TEST(MarkerFitSweep, EveryCellEveryCrowdingAtTwoScales) {
  // Pixels per twip at 100 % and 150 %, and line heights from small to large fonts.
  for (const double scale : {1.0 / 15, 1.5 / 15}) {
    for (const double lineHeight : {13.0, 15.0, 22.0}) {
      for (int k = 0; k < 12; ++k) {
        const ChartCellTwips cell = chartCellTwips(k);
        MarkerFitInput in;
        in.cell = convertTwips(cell.border, scale);
        in.origin = convertTwips(cell.marker, scale);
        const Point number = convertTwips(cell.number, scale);
        in.number = Box{number.x, number.y, 2 * lineHeight * 0.6, lineHeight * 1.1};
        in.lineHeight = lineHeight;
        in.margin = kMargin;
        for (int lines = 2; lines <= 16; ++lines) {
          for (int before = 1; before < lines; ++before) {
            const MarkerLineFit fit = fitMarkerLines(in, caption(before, lines - 1 - before));
            expectInsideAndClear(in, fit,
                                 std::string(SignTitles.at(static_cast<std::size_t>(k))) + " scale " +
                                     std::to_string(scale) + " line " + std::to_string(before));
          }
        }
      }
    }
  }
}

TEST(CaptionLines, SplitAsTheLabelShowsThem) {
  EXPECT_TRUE(captionLines("").empty());
  EXPECT_EQ(captionLines("\r\nSrL"), (std::vector<std::string>{"", "SrL"}));
  EXPECT_EQ(captionLines("\r\n\r\n"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(captionLines("\nSun\nMoon"), (std::vector<std::string>{"", "Sun", "Moon"}));
  EXPECT_EQ(captionLines("Saturn (R) \r\nAsc"), (std::vector<std::string>{"Saturn (R) ", "Asc"}));
}

}  // namespace
}  // namespace halvora::chart_view
