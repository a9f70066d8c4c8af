// The Qt services of the running program: message boxes, the browser, the clipboard, the settings,
// the single-instance lock, the clock and the random numbers.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/platform_qt.h"

namespace halvora::ui {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Reads the message box that is about to be shown, then presses one of its buttons.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    box->button(press)->click();
  });
}

TEST(QtMessageBoxes, ShowsTheTextTitledHalvoraWithTheIconAskedFor) {
  QtMessageBoxes boxes;
  SeenBox seen;
  answerNextBox(seen, QMessageBox::Ok);
  boxes.show(nullptr, "Only Numbers Are Accepted", MessageIcon::Error);
  EXPECT_EQ(seen.title, "Halvora");
  EXPECT_EQ(seen.text, "Only Numbers Are Accepted");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);

  answerNextBox(seen, QMessageBox::Ok);
  boxes.show(nullptr, "Please Enter only Letters", MessageIcon::Information);
  EXPECT_EQ(seen.icon, QMessageBox::Information);
}

TEST(QtMessageBoxes, QuestionHasYesAndNoAndBreaksLinesAtCarriageReturns) {
  QtMessageBoxes boxes;
  SeenBox seen;
  answerNextBox(seen, QMessageBox::Yes);
  EXPECT_TRUE(boxes.askYesNo(nullptr, "first line\rsecond line", MessageIcon::Information));
  EXPECT_EQ(seen.title, "Halvora");
  EXPECT_EQ(seen.text, "first line\nsecond line");
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  answerNextBox(seen, QMessageBox::No);
  EXPECT_FALSE(boxes.askYesNo(nullptr, "again?", MessageIcon::Information));
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public slots:
  void openUrl(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST(QtUrlOpener, HandsTheAddressToTheDesktop) {
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("https", &recorder, "openUrl");
  QtUrlOpener opener;
  opener.open(QUrl("https://example.org/donate.html"));
  QDesktopServices::unsetUrlHandler("https");
  ASSERT_EQ(recorder.opened.size(), 1u);
  EXPECT_EQ(recorder.opened[0], QUrl("https://example.org/donate.html"));
}

TEST(QtClipboard, ClearEmptiesTheSystemClipboard) {
  QApplication::clipboard()->setText("copied prediction");
  QtClipboard clipboard;
  clipboard.clear();
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST(QtSettingsStore, KeepsTheReminderDateUnderSettingsDuration) {
  QStandardPaths::setTestModeEnabled(true);
  QtSettingsStore store;
  store.setValue("Settings", "Duration", "2024-03-10");
  EXPECT_EQ(store.value("Settings", "Duration"), "2024-03-10");
  QSettings direct("halvora", "halvora");
  EXPECT_EQ(direct.value("Settings/Duration").toString(), "2024-03-10");
  EXPECT_TRUE(store.value("Settings", "Missing").isEmpty());
  direct.clear();
  direct.sync();
  QStandardPaths::setTestModeEnabled(false);
}

TEST(QtInstanceLock, SecondCopyIsRefusedUntilTheFirstLetsGo) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QByteArray oldTemp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temp.path().toLocal8Bit());
  {
    QtInstanceLock first;
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire());  // asking again does not lock it out
    QtInstanceLock second;
    EXPECT_FALSE(second.tryAcquire());
  }
  QtInstanceLock afterwards;
  EXPECT_TRUE(afterwards.tryAcquire());
  qputenv("TMPDIR", oldTemp);
}

TEST(QtClockAndRandom, GiveTodayAndNumbersBelowOne) {
  QtClock clock;
  EXPECT_EQ(clock.today(), QDate::currentDate());
  QtRandomSource random;
  for (int i = 0; i < 1000; ++i) {
    const double r = random.next();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

}  // namespace
}  // namespace halvora::ui

#include "platform_qt_test.moc"
