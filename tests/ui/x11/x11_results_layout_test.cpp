// SPDX-License-Identifier: GPL-3.0-or-later
// The results laid out to the screen they are on, on the real X11 platform with a window manager:
// the whole chart, the positions and Back/Exit in view without scrolling on a screen of 1280x720
// logical pixels or more, never a horizontal scroll bar down to 800x500, and the prediction texts
// eight lines high in the maximised frame of a 1366x768 screen. Run through run_under_x.sh.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "ui/frm_display.h"
#include "ui/look.h"
#include "ui/mdi_frame.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

void settle(int ms = 400) {
  QTest::qWait(ms);
  QApplication::processEvents();
}

// With HALVORA_SCREEN_SHOTS set to a folder, the whole screen as the user sees it is saved there.
void saveScreen(const QString& name) {
  const QString folder = qEnvironmentVariable("HALVORA_SCREEN_SHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  const QSize screen = QGuiApplication::primaryScreen()->size();
  QGuiApplication::primaryScreen()->grabWindow(0).save(
      QDir(folder).filePath(QStringLiteral("%1-%2x%3.png").arg(name).arg(screen.width()).arg(screen.height())));
}

QSize screenSize() { return QGuiApplication::primaryScreen()->size(); }

std::string describe(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
         std::to_string(r.height());
}

// A widget's rectangle in the results' viewport.
QRect inViewport(const MdiFrame& frame, const QWidget* widget) {
  const QWidget* viewport = child<QScrollArea>(&frame, "mdiClient")->viewport();
  return {widget->mapTo(viewport, QPoint(0, 0)), widget->size()};
}

class X11ResultsLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    result = std::get<ChartResult>(RunChartRequest(halvora::testing_support::newDelhiForm()));
    frame.display()->showResult(result);
  }
  void showNormal() {
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    settle();
  }
  QScrollArea* client() { return child<QScrollArea>(&frame, "mdiClient"); }
  QTabWidget* tabs() { return child<QTabWidget>(frame.display(), "SSTab1"); }

  FakePlatform fake;
  MdiFrame frame{fake.platform};
  ChartResult result;
};

TEST_F(X11ResultsLayout, ChartPositionsAndButtonsInViewWithoutScrollingFrom1280x720) {
  if (screenSize().width() < 1280 || screenSize().height() < 720) GTEST_SKIP() << "a screen under 1280x720";
  showNormal();
  saveScreen("results-opened");
  const QWidget* viewport = client()->viewport();
  EXPECT_FALSE(client()->verticalScrollBar()->isVisible());
  EXPECT_FALSE(client()->horizontalScrollBar()->isVisible());
  for (const char* name : {"Frame1", "fraBirthchart", "fraDetails", "fraWestern", "lblModel", "lblAscendantWindow",
                           "lblFacts", "birthTimeMover", "lblHoraDesc"}) {
    const QRect shown = inViewport(frame, child<QWidget>(frame.display(), name));
    EXPECT_TRUE(viewport->rect().contains(shown))
        << name << " " << describe(shown) << " in " << describe(viewport->rect());
  }
  for (const char* name : {"cmdBack", "cmdExit"}) {
    const QWidget* button = child<QWidget>(&frame, name);
    const QRect inFrame(button->mapTo(&frame, QPoint(0, 0)), button->size());
    EXPECT_TRUE(frame.rect().contains(inFrame)) << name;
  }
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(frame.frameGeometry()));
}

TEST_F(X11ResultsLayout, NoHorizontalScrollBarDownTo800x500) {
  showNormal();
  for (const QSize size : {QSize(800, 500), QSize(900, 560), QSize(1024, 600)}) {
    if (size.width() > screenSize().width() || size.height() > screenSize().height()) continue;
    frame.resize(size);
    settle();
    if (size == QSize(800, 500)) saveScreen("results-800x500");
    EXPECT_FALSE(client()->horizontalScrollBar()->isVisible()) << size.width() << "x" << size.height();
    const QWidget* viewport = client()->viewport();
    for (const char* name : {"lblHoraDesc", "SSTab1", "fraWestern", "Label6"}) {
      const QRect shown = inViewport(frame, child<QWidget>(frame.display(), name));
      EXPECT_LE(shown.right(), viewport->rect().right()) << name << " at " << size.width() << "x" << size.height();
    }
  }
}

TEST_F(X11ResultsLayout, MaximisedPredictionsShowEightLinesFrom1366x768) {
  if (screenSize().width() < 1366 || screenSize().height() < 768) GTEST_SKIP() << "a screen under 1366x768";
  showNormal();
  frame.showMaximized();
  settle(800);
  tabs()->setCurrentIndex(1);
  settle();
  saveScreen("results-maximised-details");
  EXPECT_FALSE(client()->verticalScrollBar()->isVisible());
  for (const CaptionedValue& prediction : kPredictions) {
    auto* box = child<QPlainTextEdit>(frame.display(), prediction.control);
    const int lines = box->viewport()->height() / box->fontMetrics().lineSpacing();
    EXPECT_GE(lines, 8) << prediction.control << " shows " << lines << " lines";
  }
}

}  // namespace
}  // namespace halvora::ui
