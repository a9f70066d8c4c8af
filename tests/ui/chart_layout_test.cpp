// SPDX-License-Identifier: GPL-3.0-or-later
// The text chart's geometry: the cells of the twelve signs, and the marker lines fitted into their
// cell, as pure functions and as the results window draws them for crowded births.

#include <gtest/gtest.h>
#include <QLabel>

#include <random>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "ui/chart_layout.h"
#include "ui/frm_display.h"
#include "ui/marker_label.h"

namespace halvora::ui {
namespace {

using testing::child;

// --- The cells ----------------------------------------------------------------------------------

struct CellRow {
  const char* sign;
  int index;
  QPoint borderTwips;  // left and top of the cell border
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
    EXPECT_EQ(cell.border, QRect(row.borderTwips, QSize(1965, 1680))) << row.sign;
    EXPECT_TRUE(cell.border.contains(cell.signLabel)) << row.sign;
    EXPECT_TRUE(cell.border.contains(cell.marker)) << row.sign;
    EXPECT_EQ(QString::fromLatin1(kSignTitles.at(static_cast<std::size_t>(row.index))), row.sign);
    // The marker column lies to the right of the bodies.
    EXPECT_GT(cell.marker.x(), cell.signLabel.right()) << row.sign;
  }
  EXPECT_TRUE(chartOutlineTwips().contains(chartCentreTwips()));
  EXPECT_TRUE(chartCentreTwips().contains(chartCentreLinkTwips()));
}

TEST(ChartCells, ConvertToAnotherUnit) {
  // 1440 twips to the inch: a cell is 1.364 x 1.167 inches, or at 96 pixels per inch 131 x 112.
  const QRectF inches = convertTwips(chartCellTwips(11).border, 1.0 / 1440);
  EXPECT_NEAR(inches.left(), 120.0 / 1440, 1e-12);
  EXPECT_NEAR(inches.width(), 1965.0 / 1440, 1e-12);
  const QRectF pixels = convertTwips(chartCellTwips(11).border, 96.0 / 1440, QPointF(10, 20));
  EXPECT_NEAR(pixels.left(), 10 + 8.0, 1e-9);
  EXPECT_NEAR(pixels.top(), 20 + 9.0, 1e-9);
  EXPECT_NEAR(pixels.width(), 131.0, 1e-9);
  EXPECT_NEAR(pixels.height(), 112.0, 1e-9);
}

// --- Fitting the marker lines, as a pure function ------------------------------------------------

constexpr double kLine = 15;   // a line of Verdana 9 pt bold at 96 dpi
constexpr double kSrL = 24;    // the width of "SrL"
constexpr double kMargin = 2;

// Aquarius at 96 dpi, 120 twips below the frame's top: the cell (120, 1935) 1965 x 1680 twips, the
// marker's design place (1560, 2040) and the number "11" at (1800, 1920), 16 x 17 pixels.
MarkerFitInput aquarius() {
  MarkerFitInput in;
  in.cell = QRectF(8, 129, 131, 112);
  in.origin = QPointF(104, 136);
  in.number = QRectF(120, 128, 16, 17);
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

void expectInsideAndClear(const MarkerFitInput& in, const MarkerLineFit& fit, const std::string& what) {
  const QRectF room = in.cell.adjusted(in.margin, in.margin, -in.margin, -in.margin);
  for (std::size_t i = 0; i < fit.lines.size(); ++i) {
    const QRectF& line = fit.lines[i];
    if (i > 0) {
      EXPECT_GE(line.top(), fit.lines[i - 1].top() - 1e-9) << what << ": line " << i << " out of order";
    }
    EXPECT_LE(line.bottom(), room.bottom() + 1e-9) << what << ": line " << i << " below the cell";
    if (line.width() <= 0) continue;
    EXPECT_TRUE(room.contains(line)) << what << ": line " << i << " leaves the cell";
    EXPECT_FALSE(line.intersects(in.number.adjusted(-in.margin, -in.margin, in.margin, in.margin)))
        << what << ": line " << i << " touches the sign number";
    EXPECT_DOUBLE_EQ(line.height(), in.lineHeight) << what << ": visible line " << i << " squeezed";
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
  EXPECT_NEAR(fit.lines[static_cast<std::size_t>(row.before)].top(), row.srlTop, 1e-6);
  EXPECT_TRUE(in.cell.contains(fit.bounds)) << row.name;
  if (!row.compressed) {
    for (std::size_t i = 0; i < fit.lines.size(); ++i) EXPECT_DOUBLE_EQ(fit.lines[i].top(), 136 + kLine * i) << i;
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
  EXPECT_DOUBLE_EQ(fit.lines[0].top(), 128 + 17 + 2);
  // Away from the number it stays where it was designed to begin.
  in.number.moveLeft(200);
  EXPECT_DOUBLE_EQ(fitMarkerLines(in, {kSrL}).lines[0].top(), in.origin.y());
}

TEST(MarkerFitPlaces, WideLineMovesLeftIntoTheCell) {
  const MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, {0, 60});
  ASSERT_EQ(fit.lines.size(), 2u);
  EXPECT_DOUBLE_EQ(fit.lines[1].left(), 139 - 2 - 60);
  EXPECT_DOUBLE_EQ(fit.lines[1].right(), 139 - 2);
  EXPECT_DOUBLE_EQ(fit.lines[1].top(), 151);
}

TEST(MarkerFitPlaces, MoreVisibleLinesThanTheCellHoldsStayInside) {
  const MarkerFitInput in = aquarius();
  const MarkerLineFit fit = fitMarkerLines(in, std::vector<double>(12, kSrL));
  ASSERT_EQ(fit.lines.size(), 12u);
  EXPECT_TRUE(fit.compressed);
  const QRectF room = in.cell.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  for (const QRectF& line : fit.lines) EXPECT_TRUE(room.contains(line));
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
        in.number = QRectF(convertTwips(cell.number, scale), QSizeF(2 * lineHeight * 0.6, lineHeight * 1.1));
        in.lineHeight = lineHeight;
        in.margin = kMargin;
        for (int lines = 2; lines <= 16; ++lines) {
          for (int before = 1; before < lines; ++before) {
            const MarkerLineFit fit = fitMarkerLines(in, caption(before, lines - 1 - before));
            expectInsideAndClear(in, fit,
                                 std::string(kSignTitles.at(static_cast<std::size_t>(k))) + " scale " +
                                     std::to_string(scale) + " line " + std::to_string(before));
          }
        }
      }
    }
  }
}

TEST(CaptionLines, SplitAsTheLabelShowsThem) {
  EXPECT_TRUE(captionLines(QString()).empty());
  EXPECT_EQ(captionLines(QStringLiteral("\r\nSrL")), (std::vector<QString>{"", "SrL"}));
  EXPECT_EQ(captionLines(QStringLiteral("\r\n\r\n")), (std::vector<QString>{"", "", ""}));
  EXPECT_EQ(captionLines(QStringLiteral("\nSun\nMoon")), (std::vector<QString>{"", "Sun", "Moon"}));
}

// --- The window ---------------------------------------------------------------------------------

// Where the results window draws "SrL", and what must hold for each marker label.
class ChartMarkers : public ::testing::Test {
 protected:
  QRect cellOf(int signIndex) {
    // The border shape that holds the sign's label.
    const QRect label = m_signLabels[signIndex]->geometry();
    for (QWidget* shape : m_borders) {
      if (shape->geometry().contains(label.center())) return shape->geometry();
    }
    ADD_FAILURE() << "no border round sign " << signIndex;
    return {};
  }

  // Checks every marker label of the shown chart; returns the sign whose marker says "SrL".
  int checkMarkers(const std::string& what) {
    int sreeLagnaSign = -1;
    for (int k = 0; k < 12; ++k) {
      auto* marker = child<MarkerLabel>(&display, QStringLiteral("lblArudha_%1").arg(k));
      const QRect cell = cellOf(k);
      const QRect inside = cell.adjusted(1, 1, -1, -1);  // within the border line
      EXPECT_TRUE(inside.contains(marker->geometry())) << what << ": marker of sign " << k << " leaves its cell";
      const std::vector<QString> lines = captionLines(marker->text());
      if (lines.size() != marker->lineBoxes().size()) {
        ADD_FAILURE() << what << ": " << lines.size() << " lines in " << marker->lineBoxes().size() << " boxes";
        continue;
      }
      const QRect number = child<QLabel>(&display, QStringLiteral("Hno_%1").arg(k))->geometry();
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        const QRectF box = marker->lineBoxes()[i].translated(marker->pos());
        EXPECT_TRUE(QRectF(inside).contains(box)) << what << ": \"" << lines[i].toStdString() << "\" of sign " << k;
        EXPECT_FALSE(box.intersects(QRectF(number))) << what << ": \"" << lines[i].toStdString()
                                                      << "\" on the number of sign " << k;
        EXPECT_GE(box.width(), marker->fontMetrics().horizontalAdvance(lines[i])) << what;
        EXPECT_GE(box.height(), marker->fontMetrics().height()) << what;
        if (lines[i] == QStringLiteral("SrL")) sreeLagnaSign = k;
      }
    }
    return sreeLagnaSign;
  }

  void SetUp() override {
    for (int k = 0; k < 12; ++k) {
      m_signLabels[k] = child<QLabel>(
          &display, QString::fromLatin1(kSignLabelNames[static_cast<std::size_t>(k)].data(),
                                        static_cast<qsizetype>(kSignLabelNames[static_cast<std::size_t>(k)].size())));
      m_borders.push_back(child<QWidget>(&display, QStringLiteral("shpHora_%1").arg(k)));
    }
  }

  testing::FakePlatform fake;
  FrmDisplay display{fake.platform};
  QLabel* m_signLabels[12] = {};
  std::vector<QWidget*> m_borders;
};

FormInput puneForm(int month, int day, int hour) {
  FormInput form = halvora::testing_support::newDelhiForm();
  form.monthIndex = month - 1;
  form.day = std::to_string(day);
  form.year = "1980";
  form.hour = std::to_string(hour);
  form.minute = "0";
  form.second = "0";
  form.latDeg = "18";
  form.latMin = "31";
  form.lonDeg = "73";
  form.lonMin = "51";
  form.zoneIndex = 34;  // "Indian Time, IST, +5.3"
  return form;
}

struct CrowdedRow {
  const char* name;
  int month, day, hour;
  int sreeLagnaSign;
  int sreeLagnaLine;  // the line of "SrL" in its marker caption
};

class CrowdedBirth : public ChartMarkers, public ::testing::WithParamInterface<CrowdedRow> {};

// Births whose Sree Lagna shares its sign with many special points (found by users: "SrL" was
// drawn in the next cell, or on the chart's border).
TEST_P(CrowdedBirth, SreeLagnaIsDrawnInsideItsOwnCell) {
  const CrowdedRow& row = GetParam();
  const ChartRequestOutcome outcome = RunChartRequest(puneForm(row.month, row.day, row.hour));
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
  const ChartResult& result = std::get<ChartResult>(outcome);
  ASSERT_EQ(result.SreeLagnaSignIndex, row.sreeLagnaSign);
  display.showResult(result);
  const std::vector<QString> lines =
      captionLines(QString::fromStdString(result.markers[static_cast<std::size_t>(row.sreeLagnaSign)]));
  ASSERT_GT(lines.size(), static_cast<std::size_t>(row.sreeLagnaLine));
  EXPECT_EQ(lines[static_cast<std::size_t>(row.sreeLagnaLine)], "SrL");
  EXPECT_EQ(checkMarkers(row.name), row.sreeLagnaSign);
  EXPECT_TRUE(child<MarkerLabel>(&display, QStringLiteral("lblArudha_%1").arg(row.sreeLagnaSign))->compressed());
}

INSTANTIATE_TEST_SUITE_P(Pune1980, CrowdedBirth,
                         ::testing::Values(CrowdedRow{"TenthOfMayNoon", 5, 10, 12, 10, 8},
                                           CrowdedRow{"FirstOfDecemberMidnight", 12, 1, 0, 7, 7}),
                         [](const ::testing::TestParamInfo<CrowdedRow>& info) { return std::string(info.param.name); });

TEST_F(ChartMarkers, RandomCrowdedBirthsKeepEveryMarkerInItsCell) {
  // Random births, kept when "SrL" falls on the sixth line of its cell or later, or a cell holds
  // seven lines or more; the seed makes the run repeatable.
  std::mt19937 random(20240611);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  int crowded = 0;
  int compressed = 0;
  for (int attempt = 0; attempt < 20000 && crowded < 300; ++attempt) {
    FormInput form = halvora::testing_support::newDelhiForm();
    form.monthIndex = pick(0, 11);
    form.day = std::to_string(pick(1, 28));
    form.year = std::to_string(pick(1901, 2050));
    form.hour = std::to_string(pick(0, 23));
    form.minute = std::to_string(pick(0, 59));
    form.second = std::to_string(pick(0, 59));
    form.latDeg = std::to_string(pick(0, 60));
    form.latMin = std::to_string(pick(0, 59));
    form.north = pick(0, 3) != 0;
    form.lonDeg = std::to_string(pick(0, 179));
    form.lonMin = std::to_string(pick(0, 59));
    form.east = pick(0, 1) == 0;
    form.zoneIndex = pick(0, 70);
    const ChartRequestOutcome outcome = RunChartRequest(form);
    const auto* result = std::get_if<ChartResult>(&outcome);
    if (result == nullptr || result->SreeLagnaSignIndex < 0) continue;
    bool isCrowded = false;
    for (const std::string& marker : result->markers) {
      const std::vector<QString> lines = captionLines(QString::fromStdString(marker));
      const auto srl = std::find(lines.begin(), lines.end(), QStringLiteral("SrL"));
      if (lines.size() >= 7 || (srl != lines.end() && srl - lines.begin() >= 5)) isCrowded = true;
    }
    if (!isCrowded) continue;
    ++crowded;
    display.showResult(*result);
    const std::string what = "birth " + form.day + "/" + std::to_string(form.monthIndex + 1) + "/" + form.year + " " +
                             form.hour + ":" + form.minute + ":" + form.second;
    EXPECT_EQ(checkMarkers(what), result->SreeLagnaSignIndex) << what;
    for (int k = 0; k < 12; ++k) {
      compressed += child<MarkerLabel>(&display, QStringLiteral("lblArudha_%1").arg(k))->compressed() ? 1 : 0;
    }
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GE(crowded, 300);
  EXPECT_GT(compressed, 0) << "no birth crowded a cell beyond its lines";
}

}  // namespace
}  // namespace halvora::ui
