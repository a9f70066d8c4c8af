// SPDX-License-Identifier: GPL-3.0-or-later
// The frame of the results: its bars, the buttons kept at the right edge, its menus and links.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "fakes.h"
#include "support/chart_of.h"
#include "form_helpers.h"
#include "ui/frm_display.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "ui/look.h"
#include "ui/mdi_frame.h"
#include "ui/value_label.h"
#include "ui/web_pages.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

class Frame : public ::testing::Test {
 protected:
  QAction* action(const char* name) { return child<QAction>(&frame, name); }

  FakePlatform fake;
  MdiFrame frame{fake.platform};
};

TEST_F(Frame, HoldsTheResultsBetweenItsBars) {
  EXPECT_EQ(frame.objectName(), "MDI");
  EXPECT_EQ(frame.windowTitle(), "Halvora v1.15");
  ASSERT_NE(frame.display(), nullptr);
  EXPECT_EQ(frame.display()->objectName(), "frmDisplay");
  EXPECT_TRUE(frame.isAncestorOf(frame.display()));

  auto* picTop = child<QWidget>(&frame, "picTop");
  auto* picture1 = child<QWidget>(&frame, "Picture1");
  EXPECT_EQ(picTop->height(), 795 / 15);
  EXPECT_EQ(picture1->height(), 585 / 15);
  auto* title = picTop->findChild<QLabel*>("Label2");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Halvora");
  EXPECT_TRUE(title->font().bold());
  EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 21.75);
  EXPECT_GE(title->width(), title->sizeHint().width());

  EXPECT_EQ(child<QPushButton>(picture1, "cmdBack")->text(), "&Back");
  EXPECT_EQ(child<QPushButton>(picture1, "cmdExit")->text(), "E&xit");
  EXPECT_EQ(child<QLabel>(picture1, "Label10")->text(),
            "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
            "fully branded for your website. Click here for more details.");
}

TEST_F(Frame, ShowsTheWholeResultsWindowWhenTheScreenAllows) {
  frame.show();
  frame.resize(frame.preferredSize());  // the test screen is smaller than a desktop
  QApplication::processEvents();
  auto* display = frame.display();
  const QRect shown = QRect(display->mapTo(&frame, QPoint(0, 0)), display->size());
  EXPECT_TRUE(frame.rect().contains(shown));
  const QWidget* picture1 = child<QWidget>(&frame, "Picture1");
  EXPECT_LE(shown.bottom(), picture1->mapTo(&frame, QPoint(0, 0)).y());
}

// The results take the room the frame gives: a larger frame draws a larger chart and taller
// prediction boxes, and a narrow one wraps the texts instead of scrolling sideways.
TEST_F(Frame, OpensWithTheKeyboardOnTheResultsTabs) {
  frame.showChart(halvora::testing_support::newDelhiForm(),
                  halvora::testing_support::chartOf(halvora::testing_support::newDelhiForm()));
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  EXPECT_EQ(QApplication::focusWidget(), child<QTabWidget>(frame.display(), "SSTab1")->tabBar());
}

TEST_F(Frame, ResultsGrowAndShrinkWithTheFrame) {
  frame.display()->showResult(halvora::testing_support::chartOf(halvora::testing_support::newDelhiForm()));
  frame.show();
  auto* client = child<QScrollArea>(&frame, "mdiClient");
  auto* chart = child<QWidget>(frame.display(), "Frame1");
  auto* looks = child<QWidget>(frame.display(), "txtLooks");
  struct Seen {
    int chartHeight, boxHeight, displayWidth, viewportWidth;
  };
  const auto at = [&](QSize size) {
    frame.resize(size);
    // The frame, its scroll area and the results settle over a few rounds of events (a scroll bar
    // that comes or goes resizes the results once more): wait until two rounds agree.
    Seen seen{-1, -1, -1, -1};
    for (int round = 0; round < 20; ++round) {
      QApplication::processEvents();
      const Seen now{chart->height(), looks->height(), frame.display()->width(), client->viewport()->width()};
      const bool settled = now.chartHeight == seen.chartHeight && now.boxHeight == seen.boxHeight &&
                           now.displayWidth == seen.displayWidth && now.viewportWidth == seen.viewportWidth;
      seen = now;
      if (settled) break;
    }
    return seen;
  };
  const Seen small = at({1000, 700});
  const Seen large = at({1600, 1100});
  const Seen narrow = at({800, 500});
  EXPECT_GT(large.chartHeight, small.chartHeight);
  EXPECT_GT(large.boxHeight, small.boxHeight);
  EXPECT_LE(narrow.displayWidth, narrow.viewportWidth);
  EXPECT_FALSE(client->horizontalScrollBar()->isVisible());
  const QWidget* houseText = child<QWidget>(frame.display(), "lblHoraDesc");
  EXPECT_LE(houseText->geometry().right(), frame.display()->width());
  // The profile's values still have the room for their whole texts.
  for (const ValueLabel* value : child<QWidget>(frame.display(), "Frame4")->findChildren<ValueLabel*>()) {
    EXPECT_FALSE(value->isElided()) << value->objectName().toStdString() << " at 800x500";
  }
}

TEST_F(Frame, WithTheNoticeTheWholeTabAreaIsInView) {
  FormInput polar = halvora::testing_support::newDelhiForm();
  polar.latDeg = "80";
  polar.monthIndex = 11;
  polar.day = "21";
  const ChartResult dark = std::get<ChartResult>(RunChartRequest(polar));
  ASSERT_TRUE(dark.notice.has_value());
  frame.display()->showResult(dark);
  frame.show();
  frame.resize(frame.preferredSize());
  QApplication::processEvents();
  auto* tabs = child<QWidget>(frame.display(), "SSTab1");
  const QWidget* viewport = child<QScrollArea>(&frame, "mdiClient")->viewport();
  const QRect shown(tabs->mapTo(viewport, QPoint(0, 0)), tabs->size());
  EXPECT_TRUE(viewport->rect().contains(shown));
  EXPECT_TRUE(frame.display()->rect().contains(tabs->geometry()));
  // The pages' frames lie inside the tab control's pane, clear of its bottom border.
  auto* page = qobject_cast<QTabWidget*>(tabs)->currentWidget();
  EXPECT_LT(page->mapTo(tabs, QPoint(0, page->height())).y(), tabs->height());
}

TEST_F(Frame, PreferredSizeGrowsWithTheResults) {
  const QSize before = frame.preferredSize();
  ChartResult result = std::get<ChartResult>(RunChartRequest(halvora::testing_support::newDelhiForm()));
  result.notice = NoSunriseNotice({{2024, 1, 17, 0, 0, 0}, PolarSun::Night});
  frame.display()->showResult(result);
  EXPECT_GT(frame.preferredSize().height(), before.height());
}

struct WidthRow {
  const char* name;
  int width;
};

class FrameResize : public Frame, public ::testing::WithParamInterface<WidthRow> {};

TEST_P(FrameResize, KeepsExitAndBackAtTheRightEdge) {
  frame.show();
  frame.resize(GetParam().width, 600);
  QApplication::processEvents();
  ASSERT_EQ(frame.width(), GetParam().width);
  auto* cmdExit = child<QPushButton>(&frame, "cmdExit");
  auto* cmdBack = child<QPushButton>(&frame, "cmdBack");
  EXPECT_EQ(cmdExit->x(), frame.width() - cmdExit->width() - 300 / 15);
  EXPECT_EQ(cmdBack->x(), cmdExit->x() - cmdBack->width() - 100 / 15);
  EXPECT_EQ(cmdExit->size(), QSize(1335 / 15, 400 / 15));
  EXPECT_EQ(cmdExit->y(), 120 / 15);
  // The promotional line ends before the buttons begin.
  EXPECT_LT(child<QWidget>(child<QWidget>(&frame, "Picture1"), "Label10")->geometry().right(), cmdBack->x());
}

INSTANTIATE_TEST_SUITE_P(Widths, FrameResize,
                         ::testing::Values(WidthRow{"Wide", 1200}, WidthRow{"AsDesigned", 860},
                                           WidthRow{"Narrow", 640}, WidthRow{"VeryNarrow", 420}),
                         [](const ::testing::TestParamInfo<WidthRow>& info) { return std::string(info.param.name); });

TEST_F(Frame, BackAndExitSayWhatTheUserWants) {
  int back = 0;
  int closed = 0;
  QObject::connect(&frame, &MdiFrame::backRequested, [&back] { ++back; });
  QObject::connect(&frame, &MdiFrame::closed, [&closed] { ++closed; });
  frame.show();
  QTest::mouseClick(child<QPushButton>(&frame, "cmdBack"), Qt::LeftButton);
  action("mnuBack")->trigger();
  EXPECT_EQ(back, 2);
  EXPECT_EQ(closed, 0);

  QTest::mouseClick(child<QPushButton>(&frame, "cmdExit"), Qt::LeftButton);
  EXPECT_EQ(closed, 1);
  frame.show();
  action("mnuExit")->trigger();
  EXPECT_EQ(closed, 2);
  frame.show();
  frame.close();  // the close box
  EXPECT_EQ(closed, 3);
  EXPECT_EQ(back, 2);
}

TEST_F(Frame, MenusHaveTheirCaptionsAndOrder) {
  QList<QAction*> titles = frame.menuBar()->actions();
  ASSERT_EQ(titles.size(), 5);
  EXPECT_EQ(titles[0]->text(), "&File");
  EXPECT_EQ(titles[1]->text(), "&View");
  EXPECT_EQ(titles[2]->text(), "&Help");
  EXPECT_EQ(titles[3]->text(), "&Donate");
  EXPECT_EQ(titles[4]->text(), "Make Money &Online");
  EXPECT_EQ(titles[3]->menu(), nullptr);
  EXPECT_EQ(titles[4]->menu(), nullptr);
  EXPECT_EQ(titles[4]->objectName(), "mm");
  QStringList file;
  for (QAction* item : titles[0]->menu()->actions()) file << (item->isSeparator() ? "-" : item->text());
  EXPECT_EQ(file, (QStringList{"&Back", QString::fromUtf8("&Save Birth Data\u2026"), "-", QString::fromUtf8("&Print\u2026"),
                               QString::fromUtf8("Print Pre&view\u2026"), QString::fromUtf8("Export &PDF\u2026"), "-",
                               QString::fromUtf8("Se&ttings\u2026"), "E&xit"}));
  EXPECT_EQ(frame.findChild<QAction*>("mnuPrint")->shortcut(), QKeySequence("Ctrl+P"));
  QStringList help;
  for (QAction* item : titles[2]->menu()->actions()) help << (item->isSeparator() ? "-" : item->text());
  EXPECT_EQ(help, (QStringList{"&Halvora Help", "&Online Help", "&Visit Us Online", "-", "Check for Software &Update", "-",
                               "&About Software"}));
}

// View > Chart Style and Show Sign Names: the items, the chart they change at once, and the
// settings that keep them for the next start.
TEST_F(Frame, ViewMenuChoosesTheChartStyleAndRemembersIt) {
  QStringList styles;
  for (QAction* item : child<QMenu>(&frame, "mnuChartStyle")->actions()) styles << item->text();
  EXPECT_EQ(styles, (QStringList{"South Indian", "North Indian", "East Indian"}));
  EXPECT_EQ(child<QMenu>(&frame, "mnuChartStyle")->title(), "Chart &Style");
  EXPECT_TRUE(action("mnuStyleSouth")->isChecked());
  EXPECT_FALSE(action("mnuSignNames")->isChecked());
  EXPECT_EQ(frame.display()->chartLook(), chart_view::ChartLook{});

  frame.showChart(testing_support::newDelhiForm(), testing_support::chartOf(testing_support::newDelhiForm()));
  action("mnuStyleNorth")->trigger();
  EXPECT_TRUE(action("mnuStyleNorth")->isChecked());
  EXPECT_FALSE(action("mnuStyleSouth")->isChecked());
  EXPECT_EQ(frame.display()->chartLook().style, chart_view::ChartStyle::North);
  EXPECT_TRUE(child<QWidget>(&frame, "chartLines")->isVisibleTo(frame.display()));
  EXPECT_EQ(fake.settings.values.value("Settings/ChartStyle"), "north");

  action("mnuSignNames")->trigger();
  EXPECT_TRUE(frame.display()->chartLook().signNames);
  EXPECT_EQ(child<QLabel>(&frame, "Hno_4")->text(), "5 Leo");
  EXPECT_EQ(fake.settings.values.value("Settings/ShowSignNames"), "1");

  action("mnuStyleEast")->trigger();
  EXPECT_EQ(fake.settings.values.value("Settings/ChartStyle"), "east");
  // The next frame starts as this one was left.
  MdiFrame next(fake.platform);
  EXPECT_EQ(next.display()->chartLook(), (chart_view::ChartLook{chart_view::ChartStyle::East, true}));
  EXPECT_TRUE(next.findChild<QAction*>("mnuStyleEast")->isChecked());
  EXPECT_TRUE(next.findChild<QAction*>("mnuSignNames")->isChecked());
}

TEST(FrameSettings, AnUnknownRememberedStyleIsTheSouthIndianChart) {
  FakePlatform fake;
  fake.settings.values.insert("Settings/ChartStyle", "western");
  MdiFrame frame(fake.platform);
  EXPECT_EQ(frame.display()->chartLook().style, chart_view::ChartStyle::South);
  EXPECT_TRUE(frame.findChild<QAction*>("mnuStyleSouth")->isChecked());
}

struct PageRow {
  const char* name;
  QUrl (*page)();
};

class FramePages : public Frame, public ::testing::WithParamInterface<PageRow> {};

TEST_P(FramePages, OpenTheirPage) {
  const PageRow& row = GetParam();
  if (auto* link = child<QWidget>(&frame, "Picture1")->findChild<QLabel*>(row.name)) {
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
  } else {
    action(row.name)->trigger();
  }
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], row.page());
}

INSTANTIATE_TEST_SUITE_P(Frame, FramePages,
                         ::testing::Values(PageRow{"mnuOnline", &helpPageUrl}, PageRow{"mnuVisit", &homePageUrl},
                                           PageRow{"mnuUpdate", &downloadPageUrl},
                                           PageRow{"mnuDonate", &donatePageUrl}, PageRow{"mm", &fullBrandPageUrl},
                                           PageRow{"Label10", &fullBrandPageUrl}),
                         [](const ::testing::TestParamInfo<PageRow>& info) { return std::string(info.param.name); });

TEST_F(Frame, AboutShowsTheAboutBoxModally) {
  EXPECT_EQ(testing::modalOpenedBy(action("mnuAbout")), "frmAbout");
}

TEST_F(Frame, AccessKeysPressTheButtons) {
  int back = 0;
  QObject::connect(&frame, &MdiFrame::backRequested, [&back] { ++back; });
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QTest::keyClick(&frame, Qt::Key_B, Qt::AltModifier);
  // A button's access key presses it visibly: the click follows a moment later.
  for (int waited = 0; back == 0 && waited < 2000; waited += 20) QTest::qWait(20);
  EXPECT_EQ(back, 1);
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the results' tabs wherever the focus is; Ctrl+S saves the birth
// as File > Save does.
TEST_F(Frame, KeysTurnTheTabsAndSave) {
  frame.showChart(testing_support::newDelhiForm(), testing_support::chartOf(testing_support::newDelhiForm()));
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  auto* tabs = child<QTabWidget>(&frame, "SSTab1");
  ASSERT_EQ(tabs->currentIndex(), 0);
  struct Row {
    const char* focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int tab;
  } rows[] = {
      {"cmdBack", Qt::Key_Tab, Qt::ControlModifier, 1},
      {"cmdExit", Qt::Key_Tab, Qt::ControlModifier, 0},
      {"cmdBack", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1},
      {"txtHealth", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
  };
  for (const Row& r : rows) {
    auto* focus = child<QWidget>(&frame, r.focus);
    if (focus->isVisible()) focus->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), r.key, r.modifiers);
    EXPECT_EQ(tabs->currentIndex(), r.tab) << r.focus;
  }

  fake.files.answers = {};  // the dialog is cancelled: what counts is that it was asked
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(fake.files.asked.size(), 1u);
  EXPECT_EQ(fake.files.asked[0].caption, "Save Birth Data");
}

}  // namespace
}  // namespace halvora::ui
