// SPDX-License-Identifier: GPL-3.0-or-later
// The chart drawn in text: in the North and East Indian charts no text runs over a line, whatever a
// cell holds; every body still appears in the list under the drawing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/chart_request.h"
#include "chart_view/text_chart.h"

namespace halvora::chart_view {
namespace {

std::vector<std::string> rows(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Pune, 18°31' N 73°51' E, Indian time (the crowded birth of tests/data/crowded_birth_form.json),
// at the given moment of 1980.
ChartResult puneChart(int month, int day, int hour, int minute) {
  FormInput form;
  form.name = "CROWDED";
  form.monthIndex = month - 1;
  form.day = std::to_string(day);
  form.year = "1980";
  form.hour = std::to_string(hour);
  form.minute = std::to_string(minute);
  form.city = "Pune";
  form.latDeg = "18";
  form.latMin = "31";
  form.lonDeg = "73";
  form.lonMin = "51";
  form.zoneIndex = 34;
  const ChartRequestOutcome outcome = RunChartRequest(form);
  EXPECT_TRUE(std::holds_alternative<ChartResult>(outcome));
  return std::get<ChartResult>(outcome);
}

bool isLine(char c) { return c == '-' || c == '|' || c == '/' || c == '\\' || c == '+'; }

struct DrawnRow {
  const char* name;
  ChartStyle style;
  int month, day, hour, minute;
};

class TextChartLines : public ::testing::TestWithParam<DrawnRow> {};

TEST_P(TextChartLines, TextNeverCrossesALine) {
  const DrawnRow& row = GetParam();
  const ChartResult chart = puneChart(row.month, row.day, row.hour, row.minute);
  // The same chart with empty cells draws the lines alone.
  ChartResult bare;
  bare.AscSignNumber = chart.AscSignNumber;
  const std::vector<std::string> drawn = rows(textChart(chart, row.style));
  const std::vector<std::string> lines = rows(textChart(bare, row.style));
  ASSERT_GE(drawn.size(), static_cast<std::size_t>(kTextChartRows));
  for (int y = 0; y < kTextChartRows; ++y) {
    const std::string& full = drawn[static_cast<std::size_t>(y)];
    const std::string& alone = lines[static_cast<std::size_t>(y)];
    EXPECT_LE(full.size(), static_cast<std::size_t>(kTextChartColumns)) << row.name << " row " << y;
    for (std::size_t x = 0; x < alone.size(); ++x) {
      if (!isLine(alone[x])) continue;
      ASSERT_LT(x, full.size()) << row.name << " row " << y;
      EXPECT_EQ(full[x], alone[x]) << row.name << ": text over the line at row " << y << ", column " << x;
    }
  }
  // Every sign's number is drawn, and every body is listed whole under the drawing.
  const std::string text = textChart(chart, row.style);
  for (int k = 0; k < 12; ++k) {
    for (const std::string& body : cellBodies(chart, k)) EXPECT_NE(text.find(body), std::string::npos) << body;
  }
  std::string canvas;
  for (int y = 0; y < kTextChartRows; ++y) canvas += " " + drawn[static_cast<std::size_t>(y)] + " ";
  for (int k = 1; k <= 12; ++k)
    EXPECT_NE(canvas.find(" " + std::to_string(k) + " "), std::string::npos) << row.name << ": number " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Births, TextChartLines,
    ::testing::Values(DrawnRow{"NorthTenthOfMay", ChartStyle::North, 5, 10, 12, 0},
                      DrawnRow{"NorthFirstOfDecember", ChartStyle::North, 12, 1, 0, 0},
                      DrawnRow{"NorthSpring", ChartStyle::North, 3, 21, 6, 30},
                      DrawnRow{"EastTenthOfMay", ChartStyle::East, 5, 10, 12, 0},
                      DrawnRow{"EastFirstOfDecember", ChartStyle::East, 12, 1, 0, 0},
                      DrawnRow{"EastAutumn", ChartStyle::East, 9, 23, 18, 45}),
    [](const ::testing::TestParamInfo<DrawnRow>& info) { return std::string(info.param.name); });

TEST(TextChartSouth, TheGridKeepsItsColumns) {
  const std::vector<std::string> grid = rows(textChart(puneChart(5, 10, 12, 0), ChartStyle::South));
  ASSERT_FALSE(grid.empty());
  EXPECT_EQ(grid.front(), "+" + std::string(15, '-') + "+" + std::string(15, '-') + "+" + std::string(15, '-') + "+" +
                              std::string(15, '-') + "+");
  for (const std::string& line : grid) EXPECT_EQ(line.size(), 65u) << line;
  EXPECT_EQ(grid[1].substr(0, 17), "|12 Pisces      |");
}

TEST(CellLines, OnlyWhatShowsWithoutBlanksRoundIt) {
  ChartResult chart;
  chart.signLabels[6] = "\r\nSaturn (R) \r\nAsc";
  chart.markers[6] = "\r\n\r\nSrL\r\n";
  EXPECT_EQ(cellBodies(chart, 6), (std::vector<std::string>{"Saturn (R)", "Asc"}));
  EXPECT_EQ(cellMarkers(chart, 6), (std::vector<std::string>{"SrL"}));
  EXPECT_TRUE(cellBodies(chart, 0).empty());
}

}  // namespace
}  // namespace halvora::chart_view
