// SPDX-License-Identifier: GPL-3.0-or-later
// The three chart styles as geometry: the twelve cells tile the square, every text and number box
// lies inside its cell, the signs stand where each style puts them (the North Indian chart's houses
// for all twelve ascendants), and the fitting of a crowded cell's lines.

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "chart_view/chart_styles.h"

namespace halvora::chart_view {
namespace {

struct StyleRow {
  const char* name;
  ChartStyle style;
  int ascendant;
};

class EveryFace : public ::testing::TestWithParam<StyleRow> {};

TEST_P(EveryFace, TwelveCellsTileTheSquare) {
  const ChartFace face = chartFace(GetParam().style, GetParam().ascendant);
  double area = 0;
  for (int k = 0; k < 12; ++k) {
    const ChartCell& cell = face.cells[static_cast<std::size_t>(k)];
    EXPECT_EQ(cell.signIndex, k);
    EXPECT_GT(polygonArea(cell.outline), 0.02) << "sign " << k;
    area += polygonArea(cell.outline);
  }
  // The South Indian chart and the East Indian one leave their centre empty.
  const double centre = face.centre && face.style == ChartStyle::South ? face.centre->width * face.centre->height
                        : face.centre                                   ? 1.0 / 9
                                                                        : 0.0;
  EXPECT_NEAR(area + centre, 1.0, 1e-3);
  // Points off every line of the three styles (no x = y, x + y = 1, x = 1/3 ... among them):
  // each lies in one cell, or in the empty centre.
  constexpr int kSteps = 97;
  for (int i = 0; i < kSteps; ++i) {
    for (int j = 0; j < kSteps; ++j) {
      const Point p{(i + 0.31) / kSteps, (j + 0.67) / kSteps};
      int holders = 0;
      for (const ChartCell& cell : face.cells) holders += polygonContains(cell.outline, p) ? 1 : 0;
      const bool inCentre = face.centre && p.x > face.centre->left && p.x < face.centre->right() &&
                            p.y > face.centre->top && p.y < face.centre->bottom();
      ASSERT_EQ(holders, inCentre ? 0 : 1) << "point " << p.x << ", " << p.y;
    }
  }
}

TEST_P(EveryFace, TextAndNumberLieInsideTheirCellApart) {
  const ChartFace face = chartFace(GetParam().style, GetParam().ascendant);
  for (const ChartCell& cell : face.cells) {
    const std::string what = "sign " + std::to_string(cell.signIndex);
    EXPECT_TRUE(polygonContains(cell.outline, cell.text)) << what;
    EXPECT_TRUE(polygonContains(cell.outline, cell.number)) << what;
    EXPECT_FALSE(cell.text.intersects(cell.number)) << what;
    // Room for a few lines of text and for a number, on paper and on screen (the South Indian
    // chart's numbers keep the designed corners the window's labels begin at).
    if (face.style == ChartStyle::South) continue;
    EXPECT_GE(cell.text.width, 0.1) << what;
    EXPECT_GE(cell.text.height, 0.09) << what;
    EXPECT_GE(cell.number.width, 0.05) << what;
    EXPECT_GE(cell.number.height, 0.04) << what;
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, EveryFace,
                         ::testing::Values(StyleRow{"South", ChartStyle::South, 0},
                                           StyleRow{"NorthAriesRising", ChartStyle::North, 0},
                                           StyleRow{"NorthLeoRising", ChartStyle::North, 4},
                                           StyleRow{"NorthPiscesRising", ChartStyle::North, 11},
                                           StyleRow{"East", ChartStyle::East, 0},
                                           StyleRow{"EastScorpioRising", ChartStyle::East, 7}),
                         [](const ::testing::TestParamInfo<StyleRow>& info) { return std::string(info.param.name); });

// In the North and East Indian charts each number stands nearer the chart's middle than its cell's
// text: by the cell's inner corner.
TEST(StyledFaces, TheNumberStandsByTheInnerCorner) {
  const auto distance = [](const Box& b) {
    const double dx = b.left + b.width / 2 - 0.5;
    const double dy = b.top + b.height / 2 - 0.5;
    return dx * dx + dy * dy;
  };
  for (const ChartStyle style : {ChartStyle::North, ChartStyle::East}) {
    for (int ascendant = 0; ascendant < 12; ++ascendant) {
      for (const ChartCell& cell : chartFace(style, ascendant).cells)
        EXPECT_LT(distance(cell.number), distance(cell.text)) << chartStyleKey(style) << " sign " << cell.signIndex;
    }
  }
}

// A point inside each cell, as the chart is read.
struct PlaceRow {
  const char* name;
  int index;  // the house (North Indian) or the sign (East and South Indian)
  Point inside;
};

// The houses of the North Indian chart: 1 the top diamond, then counter-clockwise.
const PlaceRow kNorthHouses[] = {
    {"FirstTopDiamond", 1, {0.5, 0.25}},         {"SecondTopLeftAlongTheTop", 2, {0.25, 0.1}},
    {"ThirdLeftAlongTheLeft", 3, {0.1, 0.25}},   {"FourthLeftDiamond", 4, {0.25, 0.5}},
    {"FifthLeftLower", 5, {0.1, 0.75}},          {"SixthBottomLeft", 6, {0.25, 0.9}},
    {"SeventhBottomDiamond", 7, {0.5, 0.75}},    {"EighthBottomRight", 8, {0.75, 0.9}},
    {"NinthRightLower", 9, {0.9, 0.75}},         {"TenthRightDiamond", 10, {0.75, 0.5}},
    {"EleventhRightUpper", 11, {0.9, 0.25}},     {"TwelfthTopRight", 12, {0.75, 0.1}},
};

TEST(NorthIndian, EveryHouseHoldsItsSignForEveryAscendant) {
  for (int ascendant = 0; ascendant < 12; ++ascendant) {
    const ChartFace face = chartFace(ChartStyle::North, ascendant);
    for (const PlaceRow& row : kNorthHouses) {
      const int sign = (ascendant + row.index - 1) % 12;
      EXPECT_EQ(signInHouse(ascendant, row.index), sign) << row.name;
      const ChartCell& cell = face.cells[static_cast<std::size_t>(sign)];
      EXPECT_EQ(cell.house, row.index) << row.name << " ascendant " << ascendant;
      EXPECT_TRUE(polygonContains(cell.outline, row.inside)) << row.name << " ascendant " << ascendant;
    }
  }
}

TEST(NorthIndian, SignInHouseGoesRoundTheTwelve) {
  EXPECT_EQ(signInHouse(0, 1), 0);    // Aries rising: Aries in the first house
  EXPECT_EQ(signInHouse(9, 4), 0);    // Capricorn rising: Aries in the fourth
  EXPECT_EQ(signInHouse(11, 12), 10); // Pisces rising: Aquarius in the twelfth
  EXPECT_EQ(signInHouse(4, 7), 10);   // Leo rising: Aquarius in the seventh
  EXPECT_EQ(ascendantSignIndex(5), 4);
  EXPECT_EQ(ascendantSignIndex(0), 0);  // no ascendant: drawn from Aries
}

// The signs of the East Indian chart: Aries top middle, counter-clockwise, the corners cut from
// their outer to their inner corner.
const PlaceRow kEastSigns[] = {
    {"AriesTopMiddle", 0, {0.5, 0.15}},           {"TaurusTopLeftUpper", 1, {0.25, 0.08}},
    {"GeminiTopLeftLower", 2, {0.08, 0.25}},      {"CancerLeftMiddle", 3, {0.15, 0.5}},
    {"LeoBottomLeftUpper", 4, {0.08, 0.75}},      {"VirgoBottomLeftLower", 5, {0.25, 0.92}},
    {"LibraBottomMiddle", 6, {0.5, 0.85}},        {"ScorpioBottomRightLower", 7, {0.75, 0.92}},
    {"SagittariusBottomRightUpper", 8, {0.92, 0.75}}, {"CapricornRightMiddle", 9, {0.85, 0.5}},
    {"AquariusTopRightLower", 10, {0.92, 0.25}},  {"PiscesTopRightUpper", 11, {0.75, 0.08}},
};

// The South Indian chart: Pisces top left, clockwise; the signs keep their cells.
const PlaceRow kSouthSigns[] = {
    {"AriesTop", 0, {0.375, 0.1}},        {"TaurusTop", 1, {0.625, 0.1}},     {"GeminiTopRight", 2, {0.9, 0.1}},
    {"CancerRight", 3, {0.9, 0.375}},     {"LeoRight", 4, {0.9, 0.625}},      {"VirgoBottomRight", 5, {0.9, 0.9}},
    {"LibraBottom", 6, {0.625, 0.9}},     {"ScorpioBottom", 7, {0.375, 0.9}}, {"SagittariusBottomLeft", 8, {0.1, 0.9}},
    {"CapricornLeft", 9, {0.1, 0.625}},   {"AquariusLeft", 10, {0.1, 0.375}}, {"PiscesTopLeft", 11, {0.1, 0.1}},
};

TEST(FixedSigns, EastAndSouthIndianSignsKeepTheirCellsWhateverRises) {
  for (const auto& [style, rows] : {std::pair{ChartStyle::East, std::span<const PlaceRow>(kEastSigns)},
                                    std::pair{ChartStyle::South, std::span<const PlaceRow>(kSouthSigns)}}) {
    for (const int ascendant : {0, 6, 11}) {
      const ChartFace face = chartFace(style, ascendant);
      for (const PlaceRow& row : rows) {
        const ChartCell& cell = face.cells[static_cast<std::size_t>(row.index)];
        EXPECT_TRUE(polygonContains(cell.outline, row.inside)) << row.name << " ascendant " << ascendant;
        EXPECT_EQ(cell.house, (row.index - ascendant + 12) % 12 + 1) << row.name;
      }
    }
  }
}

TEST(ChartStyleKeys, NameEachStyleOnce) {
  EXPECT_EQ(chartStyleFromKey("south"), ChartStyle::South);
  EXPECT_EQ(chartStyleFromKey("north"), ChartStyle::North);
  EXPECT_EQ(chartStyleFromKey("east"), ChartStyle::East);
  EXPECT_EQ(chartStyleFromKey("North"), std::nullopt);
  EXPECT_EQ(chartStyleFromKey(""), std::nullopt);
  EXPECT_EQ(chartStyleFromKey("west"), std::nullopt);
  EXPECT_EQ(chartStyleTitle(ChartStyle::East), "East Indian");
}

TEST(Polygons, AreaAndContainment) {
  const Polygon triangle = {{0, 0}, {0.5, 0}, {0.25, 0.25}};
  EXPECT_DOUBLE_EQ(polygonArea(triangle), 0.0625);
  EXPECT_TRUE(polygonContains(triangle, Point{0.25, 0.1}));
  EXPECT_TRUE(polygonContains(triangle, Point{0.25, 0.0}));  // on an edge
  EXPECT_FALSE(polygonContains(triangle, Point{0.25, 0.26}));
  EXPECT_TRUE(polygonContains(triangle, Box{0.125, 0.01, 0.25, 0.11}));
  EXPECT_FALSE(polygonContains(triangle, Box{0.1, 0.01, 0.3, 0.11}));  // a corner beyond the slope
}

// --- Fitting a cell's lines ---------------------------------------------------------------------

// Lines of 15 units and widths of a few bodies in a box of 100 x 60: four lines at natural size.
CellTextInput cell(int bodies, int markers, double leastScale = 0.7) {
  CellTextInput in;
  in.box = Box{10, 20, 100, 60};
  in.lineHeight = 15;
  in.leastScale = leastScale;
  in.moreWidth = 10;
  for (int i = 0; i < bodies; ++i) in.lines.push_back({"Body" + std::to_string(i), 40, false});
  for (int i = 0; i < markers; ++i) in.lines.push_back({"SrL", 24, true});
  return in;
}

struct FitRow {
  const char* name;
  int bodies, markers;
  double scale;
  std::vector<std::string> shown;
  bool clipped;
};

class CellFit : public ::testing::TestWithParam<FitRow> {};

TEST_P(CellFit, ShowsWhatFitsAndKeepsTheSreeLagna) {
  const FitRow& row = GetParam();
  const CellTextInput in = cell(row.bodies, row.markers);
  const CellTextFit fit = fitCellText(in);
  EXPECT_NEAR(fit.scale, row.scale, 1e-9);
  EXPECT_EQ(fit.clipped, row.clipped);
  std::vector<std::string> shown;
  for (const PlacedLine& line : fit.lines) {
    shown.push_back(line.text);
    EXPECT_TRUE(in.box.contains(line.box)) << row.name << ": " << line.text;
  }
  EXPECT_EQ(shown, row.shown);
  for (std::size_t i = 1; i < fit.lines.size(); ++i)
    EXPECT_NEAR(fit.lines[i].box.top - fit.lines[i - 1].box.top, 15 * row.scale, 1e-9) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CellFit,
    ::testing::Values(
        FitRow{"Empty", 0, 0, 1.0, {}, false},
        FitRow{"FourAtNaturalSize", 3, 1, 1.0, {"Body0", "Body1", "Body2", "SrL"}, false},
        // Five lines need 75 of 60: set at 60 / 75.
        FitRow{"FiveShrunk", 4, 1, 0.8, {"Body0", "Body1", "Body2", "Body3", "SrL"}, false},
        // Seven would need 0.57 < 0.7: at 0.7 five lines fit (60 / 10.5 = 5.7).
        FitRow{"SevenClipped", 6, 1, 0.7, {"Body0", "Body1", "Body2", "\u2026", "SrL"}, true},
        FitRow{"SevenBodiesNoMarker", 7, 0, 0.7, {"Body0", "Body1", "Body2", "Body3", "\u2026"}, true}),
    [](const ::testing::TestParamInfo<FitRow>& info) { return std::string(info.param.name); });

TEST(CellFitWidth, AWideLineShrinksTheTypeAndIsCutToTheBox) {
  CellTextInput in = cell(0, 0);
  in.lines.push_back({"Jupiter (R)", 125, false});  // 100 / 125 = 0.8
  CellTextFit fit = fitCellText(in);
  EXPECT_NEAR(fit.scale, 0.8, 1e-9);
  ASSERT_EQ(fit.lines.size(), 1u);
  EXPECT_NEAR(fit.lines[0].box.width, 100, 1e-9);
  in.lines[0].width = 200;  // would need 0.5: at the least scale, and cut to the box
  fit = fitCellText(in);
  EXPECT_NEAR(fit.scale, 0.7, 1e-9);
  EXPECT_NEAR(fit.lines[0].box.width, 100, 1e-9);
  EXPECT_FALSE(fit.clipped);
}

TEST(CellFitWidth, NoRoomForALineShowsNothing) {
  CellTextInput in = cell(2, 1);
  in.box.height = 5;
  const CellTextFit fit = fitCellText(in);
  EXPECT_TRUE(fit.lines.empty());
  EXPECT_TRUE(fit.clipped);
}

}  // namespace
}  // namespace halvora::chart_view
