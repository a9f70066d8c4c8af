// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' look where it helps the user: a focus mark that can be seen on every kind of
// control, and scroll bars whose arrows stand out.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/look.h"
#include "ui/mdi_frame.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

// Pixels of a colour in an image (a few units either way).
int pixelsOf(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) <= 8 && std::abs(pixel.green() - colour.green()) <= 8 &&
          std::abs(pixel.blue() - colour.blue()) <= 8) {
        ++count;
      }
    }
  }
  return count;
}

struct FocusRow {
  const char* name;
  const char* control;
  bool inResults;  // in the results window, else in the entry form
  QColor mark;
};
void PrintTo(const FocusRow& row, std::ostream* os) { *os << row.name; }

class FocusMark : public ::testing::TestWithParam<FocusRow> {};

TEST_P(FocusMark, IsPlainlyVisible) {
  const FocusRow& row = GetParam();
  FakePlatform fake;
  FrmMain form(fake.platform);
  MdiFrame frame(fake.platform);
  QWidget* window = row.inResults ? static_cast<QWidget*>(&frame) : &form;
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QWidget* control = row.inResults ? static_cast<QWidget*>(child<QTabWidget>(&frame, "SSTab1")->tabBar())
                                   : child<QWidget>(&form, row.control);
  ASSERT_NE(control, nullptr);
  QWidget* elsewhere = row.inResults ? child<QWidget>(&frame, "cmdExit") : child<QWidget>(&form, "txtName");
  elsewhere->setFocus(Qt::TabFocusReason);
  const int without = pixelsOf(control->grab().toImage(), row.mark);
  control->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(control->hasFocus());
  const int with = pixelsOf(control->grab().toImage(), row.mark);
  EXPECT_EQ(without, 0) << "the mark is there without the focus";
  // A frame two pixels wide round at least a word: well over forty pixels.
  EXPECT_GT(with, 40) << "no plain focus mark";
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FocusMark,
    ::testing::Values(FocusRow{"NorthOption", "optLat_0", false, kFocusMark},
                      FocusRow{"WestOption", "optLong_1", false, kFocusMark},
                      FocusRow{"DaylightSavingCheckBox", "chkDST", false, kFocusMark},
                      FocusRow{"ResultsTabBar", "SSTab1", true, kFocusMark},
                      // Buttons take a dark brown border on their peach face.
                      FocusRow{"GetMySreeLagnaButton", "cmdRashi", false, QColor(64, 32, 0)},
                      FocusRow{"PlaceSearchButton", "cmdBrowser", false, QColor(64, 32, 0)}),
    [](const ::testing::TestParamInfo<FocusRow>& info) { return std::string(info.param.name); });

// Every control that Tab reaches, in each window, shows the two-pixel yellow frame while it has
// the focus: Tab goes round the window once from its first control.
struct TabRoundRow {
  const char* name;
  std::function<QWidget*(FakePlatform&, std::unique_ptr<QWidget>&)> open;  // the window, and where to start
};

TEST(FocusMark, EveryTabStopShowsIt) {
  const TabRoundRow rows[] = {
      {"entry form",
       [](FakePlatform& fake, std::unique_ptr<QWidget>& window) {
         window = std::make_unique<FrmMain>(fake.platform);
         return child<QWidget>(window.get(), "txtName");
       }},
      {"results, chart tab",
       [](FakePlatform& fake, std::unique_ptr<QWidget>& window) {
         auto frame = std::make_unique<MdiFrame>(fake.platform);
         frame->showChart(testing_support::newDelhiForm(), testing_support::chartOf(testing_support::newDelhiForm()));
         window = std::move(frame);
         return child<QWidget>(window.get(), "cmdBack");
       }},
      {"results, details tab",
       [](FakePlatform& fake, std::unique_ptr<QWidget>& window) {
         auto frame = std::make_unique<MdiFrame>(fake.platform);
         frame->showChart(testing_support::newDelhiForm(), testing_support::chartOf(testing_support::newDelhiForm()));
         child<QTabWidget>(frame.get(), "SSTab1")->setCurrentIndex(1);
         window = std::move(frame);
         return child<QWidget>(window.get(), "cmdBack");
       }},
      {"closing screen",
       [](FakePlatform& fake, std::unique_ptr<QWidget>& window) {
         window = std::make_unique<FrmClosingScreen>(fake.platform);
         return child<QWidget>(window.get(), "cmdClose");
       }},
  };
  for (const TabRoundRow& r : rows) {
    FakePlatform fake;
    std::unique_ptr<QWidget> window;
    QWidget* first = r.open(fake, window);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << r.name;
    first->setFocus(Qt::TabFocusReason);
    QStringList unmarked;
    int stops = 0;
    do {
      QWidget* focused = QApplication::focusWidget();
      ASSERT_NE(focused, nullptr) << r.name;
      QApplication::processEvents();
      if (pixelsOf(focused->grab().toImage(), kFocusMark) <= 40) {
        unmarked << (focused->objectName().isEmpty() ? QString::fromLatin1(focused->metaObject()->className())
                                                     : focused->objectName());
      }
      QTest::keyClick(focused, Qt::Key_Tab);
      ++stops;
    } while (QApplication::focusWidget() != first && stops < 80);
    EXPECT_LT(stops, 80) << r.name << ": Tab never came back";
    EXPECT_TRUE(unmarked.isEmpty()) << r.name << ": no focus mark on " << unmarked.join(", ").toStdString();
  }
}

// A button's yellow mark runs round its edge, inside its dark border: none of it crosses the
// caption's letters ("Get My Sree Lagna", "Refer A Friend Now").
TEST(FocusMark, LeavesAButtonsCaptionClear) {
  FakePlatform fake;
  FrmMain form(fake.platform);
  FrmClosingScreen closing(fake.platform);
  const std::pair<QWidget*, const char*> buttons[] = {{&form, "cmdRashi"}, {&closing, "cmdSubmit"}};
  for (const auto& [window, name] : buttons) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << name;
    auto* button = child<QPushButton>(window, name);
    button->setFocus(Qt::TabFocusReason);
    const QImage image = button->grab().toImage();
    // The dark border and the mark inside it, two pixels each, in the image's device pixels.
    const int kEdgeBandPx = static_cast<int>(std::ceil(4 * image.devicePixelRatio()));
    int inside = 0, onEdge = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) != kFocusMark) continue;
        const bool edge = x < kEdgeBandPx || y < kEdgeBandPx || x >= image.width() - kEdgeBandPx ||
                          y >= image.height() - kEdgeBandPx;
        ++(edge ? onEdge : inside);
      }
    }
    EXPECT_GT(onEdge, 2 * (image.width() + image.height())) << name << ": the mark goes all round";
    EXPECT_EQ(inside, 0) << name << ": the mark crosses the caption";
    window->hide();
  }
}

TEST(ScrollBars, ArrowsAreDark) {
  FakePlatform fake;
  FrmDisplay display(fake.platform);
  display.show();
  child<QTabWidget>(&display, "SSTab1")->setCurrentIndex(1);
  auto* bar = child<QPlainTextEdit>(&display, "txtLooks")->verticalScrollBar();
  const QImage image = bar->grab().toImage();
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 110) ++dark;
    }
  }
  EXPECT_GT(dark, 6) << "the arrows are faint";
}

}  // namespace
}  // namespace halvora::ui

// The menu bar's extension button gets its arrows only when it draws them; they are Fusion's own.
TEST(MenuBarExtension, ShowsFusionsArrows) {
  std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  for (const QStyle::StandardPixmap arrows :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
    const QIcon ours = QApplication::style()->standardIcon(arrows);
    const QIcon theirs = fusion->standardIcon(arrows);
    ASSERT_FALSE(theirs.isNull());
    EXPECT_FALSE(ours.isNull());
    const auto sizesOf = [](const QIcon& icon) {
      std::vector<std::pair<int, int>> sizes;
      for (const QSize& size : icon.availableSizes()) sizes.emplace_back(size.width(), size.height());
      return sizes;
    };
    EXPECT_EQ(sizesOf(ours), sizesOf(theirs));
    for (const int sizePx : {8, 16, 32}) {
      EXPECT_EQ(ours.actualSize(QSize(sizePx, sizePx)), theirs.actualSize(QSize(sizePx, sizePx)));
      for (const qreal scale : {1.0, 1.5, 2.0}) {
        EXPECT_EQ(ours.pixmap(QSize(sizePx, sizePx), scale).toImage(), theirs.pixmap(QSize(sizePx, sizePx), scale).toImage())
            << "arrows " << arrows << " at " << sizePx << " px, scale " << scale;
      }
    }
    QImage drawnOurs(24, 24, QImage::Format_ARGB32_Premultiplied), drawnTheirs = drawnOurs;
    drawnOurs.fill(Qt::transparent);
    drawnTheirs.fill(Qt::transparent);
    QPainter(&drawnOurs).drawPixmap(0, 0, ours.pixmap(24));
    QPainter(&drawnTheirs).drawPixmap(0, 0, theirs.pixmap(24));
    EXPECT_EQ(drawnOurs, drawnTheirs);
    EXPECT_NE(drawnOurs, QImage(24, 24, QImage::Format_ARGB32_Premultiplied)) << "nothing drawn";
  }
  // A window with a menu bar made and shown with this style draws the same button.
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&File"));
  auto* extension = window.menuBar()->findChild<QToolButton*>();
  ASSERT_NE(extension, nullptr);
  EXPECT_EQ(extension->icon().pixmap(16).toImage(),
            fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage());
}
