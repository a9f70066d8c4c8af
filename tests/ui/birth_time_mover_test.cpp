// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the birth time in the results: by the buttons and by the keys, the whole results equal
// those of a form typed with the moved time; the time shown; the ends of the year list; and Back,
// which brings the typed time back unless "Use this time" was chosen.

#include <gtest/gtest.h>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

#include "fakes.h"
#include "form_helpers.h"
#include "same_results.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "ui/application.h"
#include "ui/birth_time_mover.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;
using testing_support::chartOf;

FormInput typedAt(int month, const char* day, const char* hour, const char* minute, const char* second) {
  FormInput f = testing_support::newDelhiForm();
  f.monthIndex = month - 1;
  f.day = day;
  f.hour = hour;
  f.minute = minute;
  f.second = second;
  return f;
}

void click(QWidget* frame, const char* button) { QTest::mouseClick(child<QPushButton>(frame, button), Qt::LeftButton); }

class Mover : public ::testing::Test {
 protected:
  void open(const FormInput& form) {
    frame.showChart(form, chartOf(form));
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  }
  QString shownTime() const { return child<QLabel>(&frame, "lblShiftedTime")->text(); }

  FakePlatform fake;
  MdiFrame frame{fake.platform};
};

TEST_F(Mover, ClicksAndKeysGiveTheResultsOfTheMovedTimeTyped) {
  const FormInput morning = typedAt(2, "22", "9", "5", "30");
  const FormInput lateEvening = typedAt(2, "22", "23", "55", "0");
  const auto key = [](Qt::Key k, Qt::KeyboardModifiers m) {
    return [k, m](QWidget* w) { QTest::keyClick(w, k, m); };
  };
  const auto press = [](const char* button) { return [button](QWidget* w) { click(w, button); }; };
  struct Row {
    const char* name;
    FormInput typed;
    std::vector<std::function<void(QWidget*)>> actions;
    FormInput moved;
    const char* shown;
  } rows[] = {
      {"+1 min", morning, {press("cmdMoveOn1")}, typedAt(2, "22", "9", "6", "30"),
       "Birth time 9:06:30, February 22, 2011 (1 minute later than typed)"},
      {"+10 min then -1 h", morning, {press("cmdMoveOn10"), press("cmdMoveBack60")}, typedAt(2, "22", "8", "15", "30"),
       "Birth time 8:15:30, February 22, 2011 (50 minutes earlier than typed)"},
      {"-1 min, -10 min, +1 h", morning, {press("cmdMoveBack1"), press("cmdMoveBack10"), press("cmdMoveOn60")},
       typedAt(2, "22", "9", "54", "30"), "Birth time 9:54:30, February 22, 2011 (49 minutes later than typed)"},
      {"Ctrl+Right", morning, {key(Qt::Key_Right, Qt::ControlModifier)}, typedAt(2, "22", "9", "6", "30"),
       "Birth time 9:06:30, February 22, 2011 (1 minute later than typed)"},
      {"Ctrl+Left twice", morning, {key(Qt::Key_Left, Qt::ControlModifier), key(Qt::Key_Left, Qt::ControlModifier)},
       typedAt(2, "22", "9", "3", "30"), "Birth time 9:03:30, February 22, 2011 (2 minutes earlier than typed)"},
      {"Ctrl+Shift+Right across midnight", lateEvening, {key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
       typedAt(2, "23", "0", "5", "0"), "Birth time 0:05:00, February 23, 2011 (10 minutes later than typed)"},
      {"Ctrl+Shift+Left", morning, {key(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier)},
       typedAt(2, "22", "8", "55", "30"), "Birth time 8:55:30, February 22, 2011 (10 minutes earlier than typed)"},
  };
  for (const Row& r : rows) {
    open(r.typed);
    for (const auto& act : r.actions) act(&frame);
    FrmDisplay typed(fake.platform);
    typed.showResult(chartOf(r.moved));
    EXPECT_EQ(testing::differingControls(*frame.display(), typed), "") << r.name;
    EXPECT_EQ(shownTime(), r.shown) << r.name;
    EXPECT_TRUE(child<QPushButton>(&frame, "cmdUseThisTime")->isEnabled()) << r.name;
  }
}

TEST_F(Mover, AMoveKeepsTheTabTheUserIsOn) {
  open(typedAt(2, "22", "9", "5", "30"));
  auto* tabs = frame.display()->findChild<QTabWidget*>();
  tabs->setCurrentIndex(1);
  // A prediction box has the focus: the key moves the time instead of selecting a word.
  auto* looks = child<QPlainTextEdit>(frame.display(), "txtLooks");
  looks->setFocus();
  ASSERT_TRUE(looks->hasFocus());
  QTest::keyClick(looks, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(looks->textCursor().hasSelection());
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(shownTime(), "Birth time 9:15:30, February 22, 2011 (10 minutes later than typed)");
  // 9:15:30 has the Sree Lagna in Sagittarius, so the details are those of Sagittarius.
  EXPECT_EQ(child<QLabel>(frame.display(), "lblEnglishName")->text(), "Sagittarius");
}

TEST_F(Mover, StopsAtTheEndsOfTheYearList) {
  const FormInput first = [] {
    FormInput f = testing_support::newDelhiForm();
    f.monthIndex = 0;
    f.day = "1";
    f.year = "1901";
    f.hour = "0";
    f.minute = "30";
    f.second = "0";
    return f;
  }();
  open(first);
  const QString asTyped = shownTime();
  EXPECT_EQ(asTyped, "Birth time 0:30:00, January 1, 1901 (as typed)");
  EXPECT_FALSE(child<QPushButton>(&frame, "cmdUseThisTime")->isEnabled());
  click(&frame, "cmdMoveBack60");
  EXPECT_EQ(shownTime(), asTyped) << "an hour back leaves the year list";
  EXPECT_EQ(frame.mover()->shiftMinutes(), 0);
  click(&frame, "cmdMoveBack10");
  EXPECT_EQ(shownTime(), "Birth time 0:20:00, January 1, 1901 (10 minutes earlier than typed)");
}

// --- Back ---------------------------------------------------------------------------------------

class MoverAndBack : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.start());
    testing::fillNewDelhiBirth(app.entryForm());
    QTest::mouseClick(child<QPushButton>(app.entryForm(), "cmdRashi"), Qt::LeftButton);
    ASSERT_NE(app.frame(), nullptr);
  }
  void back() {
    QTest::mouseClick(child<QPushButton>(app.frame(), "cmdBack"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  FakePlatform fake;
  Application app{fake.platform};
};

TEST_F(MoverAndBack, BackReturnsTheTimeAsTyped) {
  const FormInput typed = app.entryForm()->formInput();
  click(app.frame(), "cmdMoveOn60");
  click(app.frame(), "cmdMoveOn10");
  EXPECT_EQ(child<QLabel>(app.frame()->display(), "lblTOB")->text(), "10:15");
  back();
  EXPECT_EQ(app.entryForm()->formInput(), typed);
}

TEST_F(MoverAndBack, UseThisTimeHandsTheMovedTimeToTheForm) {
  FormInput moved = app.entryForm()->formInput();
  click(app.frame(), "cmdMoveOn60");
  click(app.frame(), "cmdMoveOn10");
  click(app.frame(), "cmdUseThisTime");
  back();
  moved.hour = "10";
  moved.minute = "15";
  EXPECT_EQ(app.entryForm()->formInput(), moved);
}

}  // namespace
}  // namespace halvora::ui
