// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the program: the single-instance test, the update reminder, and the round from the
// entry form to the results, back, and out through the closing screen.

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <optional>

#include "fakes.h"
#include "form_helpers.h"
#include "forms/birth_data_file.h"
#include "support/births.h"
#include "ui/application.h"
#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"
#include "ui/web_pages.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

constexpr char kDurationKey[] = "Settings/Duration";
constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\nDo you want to check for an update?";

// --- Update_Reminder -----------------------------------------------------------------------------

struct ReminderRow {
  const char* name;
  std::optional<QString> stored;  // nothing: the key was never written
  int storedDaysFromToday;        // used when stored is "days"
  bool answerYes;
  bool asks;
  bool storesToday;
};

class UpdateReminder : public ::testing::TestWithParam<ReminderRow> {
 protected:
  FakePlatform fake;
};

TEST_P(UpdateReminder, AsksOnlyFifteenDaysOrMoreFromTheLastReminder) {
  const ReminderRow& row = GetParam();
  const QDate today(2024, 3, 10);
  fake.clock.date = today;
  QString before;
  if (row.stored) {
    before = *row.stored == "days" ? today.addDays(row.storedDaysFromToday).toString(Qt::ISODate) : *row.stored;
    fake.settings.values.insert(kDurationKey, before);
  }
  fake.messages.answerYes = row.answerYes;

  Update_Reminder(fake.platform);

  if (row.asks) {
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, kUpdateQuestion);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(fake.messages.shown[0].question);
  } else {
    EXPECT_TRUE(fake.messages.shown.empty());
  }
  const QString after = fake.settings.values.value(kDurationKey);
  if (row.storesToday) {
    EXPECT_EQ(QDate::fromString(after, Qt::ISODate), today);
  } else {
    EXPECT_EQ(after, before);
    EXPECT_EQ(fake.settings.writes, 0);
  }
  if (row.asks && row.answerYes) {
    ASSERT_EQ(fake.urls.opened.size(), 1u);
    EXPECT_EQ(fake.urls.opened[0], downloadPageUrl());
  } else {
    EXPECT_TRUE(fake.urls.opened.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Starts, UpdateReminder,
    ::testing::Values(ReminderRow{"FirstStart", std::nullopt, 0, true, false, true},
                      ReminderRow{"EmptyValue", QString(""), 0, true, false, true},
                      ReminderRow{"NotADate", QString("soon"), 0, true, false, true},
                      ReminderRow{"SameDay", QString("days"), 0, true, false, false},
                      ReminderRow{"FourteenDaysAgo", QString("days"), -14, true, false, false},
                      ReminderRow{"FifteenDaysAgoNo", QString("days"), -15, false, true, true},
                      ReminderRow{"FifteenDaysAgoYes", QString("days"), -15, true, true, true},
                      ReminderRow{"AYearAgoYes", QString("days"), -365, true, true, true},
                      ReminderRow{"FourteenDaysAhead", QString("days"), 14, true, false, false},
                      ReminderRow{"FifteenDaysAheadNo", QString("days"), 15, false, true, true}),
    [](const ::testing::TestParamInfo<ReminderRow>& info) { return std::string(info.param.name); });

TEST(UpdateReminderTwice, AfterAnAnswerTheNextStartAsksNothing) {
  FakePlatform fake;
  fake.clock.date = QDate(2024, 3, 10);
  fake.settings.values.insert(kDurationKey, QDate(2024, 2, 1).toString(Qt::ISODate));
  Update_Reminder(fake.platform);
  Update_Reminder(fake.platform);
  EXPECT_EQ(fake.messages.shown.size(), 1u);
}

// --- Start-up ------------------------------------------------------------------------------------

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&app, &Application::applicationEnded, [this] { ++ended; });
  }
  // Back and closing let go of the frame once control returns to the event loop.
  static void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  void compute() {
    QTest::mouseClick(child<QPushButton>(app.entryForm(), "cmdRashi"), Qt::LeftButton);
  }

  FakePlatform fake;
  Application app{fake.platform};
  int ended = 0;
};

TEST_F(Run, SecondCopyShowsItsMessageAndEnds) {
  fake.instanceLock.free = false;
  EXPECT_FALSE(app.start());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Application is already running");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_FALSE(fake.messages.shown[0].question);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(app.entryForm(), nullptr);
  EXPECT_EQ(fake.settings.writes, 0);  // the reminder is the running copy's business
}

TEST_F(Run, FirstStartShowsTheEntryFormAndRemembersToday) {
  EXPECT_TRUE(app.start());
  EXPECT_EQ(fake.instanceLock.attempts, 1);
  EXPECT_TRUE(fake.messages.shown.empty());
  ASSERT_NE(app.entryForm(), nullptr);
  EXPECT_TRUE(app.entryForm()->isVisible());
  EXPECT_EQ(app.frame(), nullptr);
  EXPECT_EQ(fake.settings.values.value(kDurationKey), fake.clock.date.toString(Qt::ISODate));
  EXPECT_EQ(ended, 0);
}

// Whether any entry form is on the screen.
bool entryFormShown() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "frmMain" && window->isVisible()) return true;
  }
  return false;
}

TEST_F(Run, StartAfterAMonthAsksBeforeTheFormAppears) {
  fake.settings.values.insert(kDurationKey, fake.clock.date.addDays(-30).toString(Qt::ISODate));
  std::optional<bool> formUpWhileAsked;
  fake.messages.whileShown = [&formUpWhileAsked] { formUpWhileAsked = entryFormShown(); };
  ASSERT_FALSE(entryFormShown());
  ASSERT_TRUE(app.start());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, kUpdateQuestion);
  ASSERT_TRUE(formUpWhileAsked.has_value());
  EXPECT_FALSE(*formUpWhileAsked) << "the entry form was up before the question";
  EXPECT_TRUE(entryFormShown());
}

TEST_F(Run, SecondCopyIsToldBeforeAnyFormAppears) {
  fake.instanceLock.free = false;
  std::optional<bool> formUpWhileTold;
  fake.messages.whileShown = [&formUpWhileTold] { formUpWhileTold = entryFormShown(); };
  EXPECT_FALSE(app.start());
  ASSERT_TRUE(formUpWhileTold.has_value());
  EXPECT_FALSE(*formUpWhileTold);
  EXPECT_FALSE(entryFormShown());
}

// --- The round -------------------------------------------------------------------------------------

TEST_F(Run, ValidEntriesHideTheFormAndShowTheResultsInTheFrame) {
  ASSERT_TRUE(app.start());
  testing::fillNewDelhiBirth(app.entryForm());
  compute();
  ASSERT_NE(app.frame(), nullptr);
  EXPECT_TRUE(app.frame()->isVisible());
  EXPECT_FALSE(app.entryForm()->isVisible());
  FrmDisplay* display = app.frame()->display();
  EXPECT_EQ(child<QLabel>(display, "lblName")->text(), "ASHA");
  EXPECT_EQ(child<QLabel>(display, "lblCity")->text(), "New Delhi");
  EXPECT_EQ(child<QTabWidget>(display, "SSTab1")->currentIndex(), 0);
}

TEST_F(Run, FailedCheckKeepsTheFormUp) {
  ASSERT_TRUE(app.start());
  compute();
  EXPECT_EQ(app.frame(), nullptr);
  EXPECT_TRUE(app.entryForm()->isVisible());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Please Enter Name");
}

TEST_F(Run, BackShowsTheFormWithEveryEntryAsItWas) {
  ASSERT_TRUE(app.start());
  FrmMain* form = app.entryForm();
  testing::fillNewDelhiBirth(form);
  child<QCheckBox>(form, "chkDST")->setChecked(true);
  const FormInput before = form->formInput();
  compute();
  QPointer<MdiFrame> frame = app.frame();
  ASSERT_NE(frame, nullptr);

  QTest::mouseClick(child<QPushButton>(frame, "cmdBack"), Qt::LeftButton);
  settle();
  EXPECT_TRUE(frame.isNull());  // the frame and the results are gone
  EXPECT_EQ(app.frame(), nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(app.closingScreen() == nullptr || !app.closingScreen()->isVisible());
  EXPECT_EQ(ended, 0);

  const FormInput after = form->formInput();
  EXPECT_EQ(after.name, before.name);
  EXPECT_EQ(after.monthIndex, before.monthIndex);
  EXPECT_EQ(after.day, before.day);
  EXPECT_EQ(after.year, before.year);
  EXPECT_EQ(after.hour, before.hour);
  EXPECT_EQ(after.minute, before.minute);
  EXPECT_EQ(after.second, before.second);
  EXPECT_EQ(after.city, before.city);
  EXPECT_EQ(after.state, before.state);
  EXPECT_EQ(after.country, before.country);
  EXPECT_EQ(after.latDeg, before.latDeg);
  EXPECT_EQ(after.latMin, before.latMin);
  EXPECT_EQ(after.lonDeg, before.lonDeg);
  EXPECT_EQ(after.lonMin, before.lonMin);
  EXPECT_EQ(after.north, before.north);
  EXPECT_EQ(after.east, before.east);
  EXPECT_EQ(after.dst, before.dst);
  EXPECT_EQ(after.zoneIndex, before.zoneIndex);
}

TEST_F(Run, FullRoundEndsThroughTheClosingScreen) {
  ASSERT_TRUE(app.start());
  testing::fillNewDelhiBirth(app.entryForm());
  compute();
  QTest::mouseClick(child<QPushButton>(app.frame(), "cmdBack"), Qt::LeftButton);
  settle();

  // A second chart, for another time: a fresh frame with the new results.
  testing::choose(app.entryForm(), "cboHH", "21");
  compute();
  ASSERT_NE(app.frame(), nullptr);
  EXPECT_EQ(child<QLabel>(app.frame()->display(), "lblTOB")->text(), "21:5");

  QPointer<MdiFrame> frame = app.frame();
  QTest::mouseClick(child<QPushButton>(frame, "cmdExit"), Qt::LeftButton);
  settle();
  EXPECT_TRUE(frame.isNull());
  EXPECT_FALSE(app.entryForm()->isVisible());
  ASSERT_NE(app.closingScreen(), nullptr);
  EXPECT_TRUE(app.closingScreen()->isVisible());
  EXPECT_EQ(ended, 0);

  app.closingScreen()->close();
  EXPECT_EQ(ended, 1);
}

TEST_F(Run, ClosingTheEntryFormShowsTheClosingScreen) {
  ASSERT_TRUE(app.start());
  app.entryForm()->close();
  ASSERT_NE(app.closingScreen(), nullptr);
  EXPECT_TRUE(app.closingScreen()->isVisible());
  EXPECT_FALSE(app.entryForm()->isVisible());
  EXPECT_EQ(ended, 0);
  app.closingScreen()->close();
  EXPECT_EQ(ended, 1);
}

TEST_F(Run, ClosingTheFrameByItsCloseBoxShowsTheClosingScreen) {
  ASSERT_TRUE(app.start());
  testing::fillNewDelhiBirth(app.entryForm());
  compute();
  app.frame()->close();
  settle();
  EXPECT_EQ(app.frame(), nullptr);
  ASSERT_NE(app.closingScreen(), nullptr);
  EXPECT_TRUE(app.closingScreen()->isVisible());
}

// Exit from the results ends the program too: a form changed since its file was opened is offered
// for saving, as the form's own Exit offers it.
TEST_F(Run, ExitFromTheResultsOffersToSaveAChangedFile) {
  const QString file = QDir::temp().filePath(QStringLiteral("halvora-exit-%1.halvora").arg(QCoreApplication::applicationPid()));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(forms::formatBirthData(testing_support::newDelhiForm()).c_str());
  }
  ASSERT_TRUE(app.start(file));
  testing::setText(app.entryForm(), "txtName", "RAVI");
  compute();
  ASSERT_NE(app.frame(), nullptr);
  fake.messages.answerYes = true;
  QTest::mouseClick(child<QPushButton>(app.frame(), "cmdExit"), Qt::LeftButton);
  settle();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Save changes?");
  QFile in(file);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  EXPECT_TRUE(in.readAll().contains("\"RAVI\""));
  EXPECT_TRUE(app.closingScreen()->isVisible());
  QFile::remove(file);
}

}  // namespace
}  // namespace halvora::ui
