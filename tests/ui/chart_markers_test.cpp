// SPDX-License-Identifier: GPL-3.0-or-later
// The text chart as the results window draws it for crowded births: in the South Indian chart every
// "SrL" inside its own cell; in the North and East Indian charts every text inside its cell
// (triangles included), and what a cell has no room for in its tooltip and its accessible name.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "chart_view/chart_layout.h"
#include "chart_view/chart_styles.h"
#include "chart_checks.h"
#include "ui/frm_display.h"
#include "ui/marker_label.h"

namespace halvora::ui {
namespace {

using testing::checkStyledCells;
using testing::child;

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

using halvora::testing_support::puneForm;

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

// The crowded births again with the window at its least, as designed and large: the chart is drawn
// at 0.7, 1 and 2 of its designed size, and every marker and text stays inside its cell in each
// style.
struct SizeRow {
  const char* name;
  QSize window;
  double chartScale;
};

class CrowdedBirthAtSize : public ChartMarkers, public ::testing::WithParamInterface<SizeRow> {};

TEST_P(CrowdedBirthAtSize, EveryMarkerStaysInsideItsCell) {
  const SizeRow& row = GetParam();
  display.show();
  for (const CrowdedRow& birth : {CrowdedRow{"TenthOfMayNoon", 5, 10, 12, 10, 8},
                                  CrowdedRow{"FirstOfDecemberMidnight", 12, 1, 0, 7, 7}}) {
    const ChartResult result = std::get<ChartResult>(RunChartRequest(puneForm(birth.month, birth.day, birth.hour)));
    display.setChartLook({});
    display.showResult(result);
    display.resize(row.window.isEmpty() ? display.sizeHint() : row.window.expandedTo(display.minimumSize()));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(display.chartScale(), row.chartScale) << birth.name;
    const std::string what = std::string(birth.name) + " at " + row.name;
    EXPECT_EQ(checkMarkers(what), birth.sreeLagnaSign);
    for (const auto style : {chart_view::ChartStyle::North, chart_view::ChartStyle::East}) {
      display.setChartLook({style, true});
      EXPECT_EQ(checkStyledCells(display, result, style, what), birth.sreeLagnaSign) << what;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pune1980, CrowdedBirthAtSize,
                         ::testing::Values(SizeRow{"Least", QSize(100, 100), 0.7},
                                           SizeRow{"Designed", QSize(), 1.0},
                                           SizeRow{"Large", QSize(2400, 1900), 2.0}),
                         [](const ::testing::TestParamInfo<SizeRow>& info) { return std::string(info.param.name); });

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

// --- The North and East Indian charts ------------------------------------------------------------

struct StyledRow {
  const char* name;
  chart_view::ChartStyle style;
  bool signNames;
  int month, day, hour;
};

class StyledCrowdedBirth : public ::testing::TestWithParam<StyledRow> {
 protected:
  testing::FakePlatform fake;
  FrmDisplay display{fake.platform};
};

TEST_P(StyledCrowdedBirth, EveryTextStaysInsideItsCell) {
  const StyledRow& row = GetParam();
  const ChartRequestOutcome outcome = RunChartRequest(puneForm(row.month, row.day, row.hour));
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
  const ChartResult& result = std::get<ChartResult>(outcome);
  display.setChartLook({row.style, row.signNames});
  display.showResult(result);
  EXPECT_EQ(checkStyledCells(display, result, row.style, row.name), result.SreeLagnaSignIndex);
  // Back to the South Indian chart, as it was designed.
  display.setChartLook({});
  EXPECT_TRUE(child<QWidget>(&display, "shpHora_0")->isVisibleTo(&display));
  EXPECT_FALSE(child<QWidget>(&display, "chartLines")->isVisibleTo(&display));
  EXPECT_EQ(child<QLabel>(&display, "Hno_4")->text(), "5");
  EXPECT_EQ(child<QLabel>(&display, "lblLeo")->text(),
            captionText(result.signLabels[4]));
}

INSTANTIATE_TEST_SUITE_P(
    Pune1980, StyledCrowdedBirth,
    ::testing::Values(StyledRow{"NorthTenthOfMay", chart_view::ChartStyle::North, false, 5, 10, 12},
                      StyledRow{"NorthTenthOfMayWithNames", chart_view::ChartStyle::North, true, 5, 10, 12},
                      StyledRow{"NorthFirstOfDecember", chart_view::ChartStyle::North, false, 12, 1, 0},
                      StyledRow{"EastTenthOfMay", chart_view::ChartStyle::East, false, 5, 10, 12},
                      StyledRow{"EastTenthOfMayWithNames", chart_view::ChartStyle::East, true, 5, 10, 12},
                      StyledRow{"EastFirstOfDecember", chart_view::ChartStyle::East, false, 12, 1, 0}),
    [](const ::testing::TestParamInfo<StyledRow>& info) { return std::string(info.param.name); });

TEST(StyledCharts, RandomBirthsKeepEveryTextInItsCell) {
  testing::FakePlatform fake;
  FrmDisplay display{fake.platform};
  std::mt19937 random(20261208);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  int charts = 0;
  for (int attempt = 0; attempt < 400 && charts < 120; ++attempt) {
    FormInput form = puneForm(pick(1, 12), pick(1, 28), pick(0, 23));
    form.year = std::to_string(pick(1901, 2050));
    form.minute = std::to_string(pick(0, 59));
    const ChartRequestOutcome outcome = RunChartRequest(form);
    const auto* result = std::get_if<ChartResult>(&outcome);
    if (result == nullptr || result->SreeLagnaSignIndex < 0) continue;
    const auto style = charts % 2 == 0 ? chart_view::ChartStyle::North : chart_view::ChartStyle::East;
    display.setChartLook({style, charts % 3 == 0});
    display.showResult(*result);
    const std::string what = "birth " + form.day + "/" + std::to_string(form.monthIndex + 1) + "/" + form.year;
    EXPECT_EQ(checkStyledCells(display, *result, style, what), result->SreeLagnaSignIndex) << what;
    ++charts;
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(charts, 120);
}

TEST(StyledCharts, SignNamesStandBesideTheNumbers) {
  testing::FakePlatform fake;
  FrmDisplay display{fake.platform};
  display.setChartLook({chart_view::ChartStyle::South, true});
  EXPECT_EQ(child<QLabel>(&display, "Hno_0")->text(), "1 Ari");
  EXPECT_EQ(child<QLabel>(&display, "Hno_11")->text(), "12 Pis");
  // The South Indian cells keep a number with its name inside their right border.
  for (int k = 0; k < 12; ++k) {
    const QRect number = child<QLabel>(&display, QStringLiteral("Hno_%1").arg(k))->geometry();
    EXPECT_LE(number.right(), child<QWidget>(&display, "Shape2")->geometry().right()) << k;
  }
  display.setChartLook({chart_view::ChartStyle::East, true});
  EXPECT_EQ(child<QLabel>(&display, "Hno_9")->text(), "10 Cap");
  display.setChartLook({chart_view::ChartStyle::East, false});
  EXPECT_EQ(child<QLabel>(&display, "Hno_9")->text(), "10");
}

}  // namespace
}  // namespace halvora::ui
