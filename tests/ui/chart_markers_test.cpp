// SPDX-License-Identifier: GPL-3.0-or-later
// The markers of the text chart as the results window draws them: every "SrL" inside its own cell
// for crowded births.

#include <gtest/gtest.h>
#include <QLabel>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "chart_view/chart_layout.h"
#include "ui/frm_display.h"
#include "ui/marker_label.h"

namespace halvora::ui {
namespace {

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
