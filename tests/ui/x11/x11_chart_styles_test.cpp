// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of a crowded birth in the North and East Indian styles in the shown results window on
// the real X11 platform, at the screen's own scale (100 % and 150 % in the two runs): every
// number, body and marker inside its own cell, "SrL" in the cell of its sign.

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "chart_checks.h"
#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "ui/frm_display.h"
#include "ui/mdi_frame.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

// 10 May 1980 at noon in Pune (tests/data/crowded_birth_form.json): Moon, Ketu and the Sree Lagna
// in Aquarius, Mars, Jupiter, Saturn and Rahu in Leo.
FormInput crowdedBirth() {
  FormInput form = testing_support::newDelhiForm();
  form.monthIndex = 4;
  form.day = "10";
  form.year = "1980";
  form.hour = "12";
  form.minute = "0";
  form.second = "0";
  form.latDeg = "18";
  form.latMin = "31";
  form.lonDeg = "73";
  form.lonMin = "51";
  form.zoneIndex = 34;
  return form;
}

struct ShownRow {
  const char* name;
  const char* item;  // the View menu's item that chooses the style
  chart_view::ChartStyle style;
  bool signNames;
};

class ShownStyle : public ::testing::TestWithParam<ShownRow> {};

TEST_P(ShownStyle, EveryTextStaysInsideItsCell) {
  const ShownRow& row = GetParam();
  FakePlatform fake;
  MdiFrame frame(fake.platform);
  const ChartRequestOutcome outcome = RunChartRequest(crowdedBirth());
  ASSERT_TRUE(std::holds_alternative<ChartResult>(outcome));
  const ChartResult& chart = std::get<ChartResult>(outcome);
  frame.showChart(crowdedBirth(), chart);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  child<QAction>(&frame, row.item)->trigger();
  if (row.signNames) child<QAction>(&frame, "mnuSignNames")->trigger();
  QTest::qWait(100);
  const std::string what = std::string(row.name) + " at scale " +
                           std::to_string(QGuiApplication::primaryScreen()->devicePixelRatio());
  EXPECT_EQ(testing::checkStyledCells(*frame.display(), chart, row.style, what), chart.SreeLagnaSignIndex);
  const QString folder = qEnvironmentVariable("HALVORA_SCREEN_SHOTS");
  if (!folder.isEmpty()) {
    QDir().mkpath(folder);
    frame.display()->grab().save(QDir(folder).filePath(QStringLiteral("chart-%1.png").arg(row.name)));
  }
}

INSTANTIATE_TEST_SUITE_P(Crowded, ShownStyle,
                         ::testing::Values(ShownRow{"North", "mnuStyleNorth", chart_view::ChartStyle::North, false},
                                           ShownRow{"NorthWithNames", "mnuStyleNorth", chart_view::ChartStyle::North, true},
                                           ShownRow{"East", "mnuStyleEast", chart_view::ChartStyle::East, false},
                                           ShownRow{"EastWithNames", "mnuStyleEast", chart_view::ChartStyle::East, true}),
                         [](const ::testing::TestParamInfo<ShownRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace halvora::ui
