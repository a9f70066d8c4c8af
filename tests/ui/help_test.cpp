// SPDX-License-Identifier: GPL-3.0-or-later
// The manual shipped with the program: F1 and Help > "Halvora Help" open it from either window,
// its find box searches it, and it names no page outside itself.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "fakes.h"
#include "form_helpers.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

TEST(Help, F1AndTheMenuOpenTheManualFromEitherWindow) {
  FakePlatform fake;
  FrmMain form(fake.platform);
  MdiFrame frame(fake.platform);
  for (QMainWindow* window : {static_cast<QMainWindow*>(&form), static_cast<QMainWindow*>(&frame)}) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F1);
    auto* help = window->findChild<FrmHelp*>();
    ASSERT_NE(help, nullptr) << window->objectName().toStdString();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Halvora Help");
    help->close();
    child<QAction>(window, "mnuManual")->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(window->findChildren<FrmHelp*>().size(), 1) << "one help window, shown again";
    EXPECT_EQ(child<QAction>(window, "mnuManual")->text(), "&Halvora Help");
    EXPECT_TRUE(fake.urls.opened.empty()) << "nothing goes to the browser";
    help->close();
    window->hide();
  }
}

TEST(Help, TheManualCoversWhatAUserAsksAndStaysInside) {
  FrmHelp help;
  auto* manual = child<QTextBrowser>(&help, "txtManual");
  EXPECT_EQ(manual->source().scheme(), "qrc");
  const QString text = manual->toPlainText();
  const struct {
    const char* topic;
    const char* words;
  } topics[] = {
      {"entering a birth", "Get My Sree Lagna"},
      {"the atlas", "Type two or more letters of the city"},
      {"the zone line", "Latitude and longitude are those of Pune, Maharashtra"},
      {"files", "Save changes?"},
      {"printing", "Export PDF"},
      {"the chart", "SrL"},
      {"what the Sree Lagna is", "fraction of its nakshatra that the Moon has covered"},
      {"the built-in model's accuracy", "within about 1.5 degrees"},
      {"the Swiss Ephemeris model", "Swiss Ephemeris is being added"},
  };
  for (const auto& t : topics) EXPECT_TRUE(text.contains(QString::fromUtf8(t.words))) << t.topic;
  // Every link is an anchor of the manual itself.
  for (QTextBlock block = manual->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (!href.isEmpty()) EXPECT_TRUE(href.startsWith(u'#')) << href.toStdString();
    }
  }
}

TEST(Help, TheFindBoxSearches) {
  FrmHelp help;
  help.show();
  auto* find = child<QLineEdit>(&help, "txtFind");
  auto* manual = child<QTextBrowser>(&help, "txtManual");
  auto* result = child<QLabel>(&help, "lblFindResult");
  find->setFocus();
  QTest::keyClicks(find, "nakshatra");
  EXPECT_EQ(manual->textCursor().selectedText(), "nakshatra");
  const int first = manual->textCursor().selectionStart();
  QTest::keyClick(find, Qt::Key_Return);
  const int second = manual->textCursor().selectionStart();
  EXPECT_GT(second, first) << "Enter finds the next";
  QTest::keyClick(find, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(manual->textCursor().selectionStart(), first) << "Shift+Enter the one before";
  EXPECT_TRUE(result->text().isEmpty());

  find->clear();
  QTest::keyClicks(find, "zzqx");
  EXPECT_EQ(result->text(), "Not found");
}

}  // namespace
}  // namespace halvora::ui
