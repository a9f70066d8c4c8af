// SPDX-License-Identifier: GPL-3.0-or-later
// The file and print dialogs of the running program on the real X11 platform: the save dialog adds
// the suffix of a birth-data file to a name typed without one, the print preview shows the chart's
// two pages, and a print dialog that is cancelled prints nothing.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "fakes.h"
#include "form_helpers.h"
#include "support/births.h"
#include "ui/mdi_frame.h"
#include "ui/platform_qt.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

// Runs `act` on the next modal window to appear while `open` runs (which waits for it to close).
void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
  bool seen = false;
  std::function<void()> poll;
  poll = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      QTimer::singleShot(50, poll);
      return;
    }
    seen = true;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(modal));
    QTest::qWait(300);
    act(modal);
  };
  QTimer::singleShot(50, poll);
  open();
  EXPECT_TRUE(seen) << "no dialog appeared";
}

void saveScreen(const QString& name) {
  const QString folder = qEnvironmentVariable("HALVORA_SCREEN_SHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}

class X11Dialogs : public ::testing::Test {
 protected:
  FakePlatform fake;
  QtFileDialogs files;
  QtPrintDialogs printing;
  Platform platform{fake.messages, fake.urls,  fake.clipboard, fake.settings, fake.instanceLock,
                    fake.clock,    fake.random, files,          printing};
};

TEST_F(X11Dialogs, TheSaveDialogAddsTheSuffixToANameGivenWithoutOne) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QString chosen;
  whileModal(
      [&] {
        chosen = files.saveFileName(nullptr, "Save Birth Data", folder.filePath("birth-data.halvora"),
                                    "Birth data (*.halvora)", "halvora");
      },
      [](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText("asha");
        saveScreen("save-birth-data");
        qobject_cast<QDialog*>(dialog)->accept();
      });
  EXPECT_EQ(chosen, folder.filePath("asha.halvora"));
}

TEST_F(X11Dialogs, ThePreviewShowsTheTwoPagesOfTheChart) {
  MdiFrame frame(platform);
  const FormInput form = testing_support::newDelhiForm();
  frame.showChart(form, std::get<ChartResult>(RunChartRequest(form)));
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  int pages = 0;
  whileModal([&] { child<QAction>(&frame, "mnuPreview")->trigger(); },
             [&pages](QWidget* dialog) {
               ASSERT_NE(qobject_cast<QPrintPreviewDialog*>(dialog), nullptr) << dialog->metaObject()->className();
               auto* preview = dialog->findChild<QPrintPreviewWidget*>();
               ASSERT_NE(preview, nullptr);
               preview->setViewMode(QPrintPreviewWidget::FacingPagesView);
               QTest::qWait(300);
               pages = preview->pageCount();
               saveScreen("print-preview");
               dialog->close();
             });
  EXPECT_EQ(pages, 2);
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(X11Dialogs, ACancelledPrintDialogPrintsNothing) {
  MdiFrame frame(platform);
  const FormInput form = testing_support::newDelhiForm();
  frame.showChart(form, std::get<ChartResult>(RunChartRequest(form)));
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  QString title;
  whileModal([&] { child<QAction>(&frame, "mnuPrint")->trigger(); },
             [&title](QWidget* dialog) {
               title = dialog->windowTitle();
               saveScreen("print-dialog");
               qobject_cast<QDialog*>(dialog)->reject();
             });
  EXPECT_EQ(title, "Print");
  EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace halvora::ui
