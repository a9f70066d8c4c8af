// SPDX-License-Identifier: GPL-3.0-or-later
// Digits typed into the date and time lists of the entry form pick the number they spell, as a
// spin box takes them: the digits typed within a second of each other form one number.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include <vector>

#include "fakes.h"
#include "form_helpers.h"
#include "ui/frm_main.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

struct Key {
  char digit;
  qint64 atMs;  // the key's time, as the window system stamps it
};

struct Row {
  const char* name;
  const char* list;
  const char* before;
  std::vector<Key> keys;
  const char* after;
};

const Row kRows[] = {
    {"hour 2, then 1", "cboHH", "2", {{'1', 5000}}, "1"},
    {"hour 10, then 2", "cboHH", "10", {{'2', 5000}}, "2"},
    {"1 and 0 together", "cboHH", "2", {{'1', 5000}, {'0', 5400}}, "10"},
    {"0 and 5 together", "cboMM", "30", {{'0', 5000}, {'5', 5300}}, "5"},
    {"0 alone", "cboMM", "30", {{'0', 5000}}, "0"},
    {"1 and 0 a second apart are two numbers", "cboHH", "2", {{'1', 5000}, {'0', 6001}}, "0"},
    {"1 and 0 just within the second", "cboHH", "2", {{'1', 5000}, {'0', 6000}}, "10"},
    {"2 and 5: no hour 25, so 5", "cboHH", "0", {{'2', 5000}, {'5', 5200}}, "5"},
    {"day 4, then 1", "cboDate", "4", {{'1', 5000}}, "1"},
    {"day 3 and 1", "cboDate", "4", {{'3', 5000}, {'1', 5100}}, "31"},
    {"the year 1980", "cboYear", "2000", {{'1', 5000}, {'9', 5200}, {'8', 5400}, {'0', 5600}}, "1980"},
    {"a year begun and left keeps the year", "cboYear", "2000", {{'1', 5000}, {'9', 5200}}, "2000"},
    {"seconds 59", "cboSS", "0", {{'5', 5000}, {'9', 5500}}, "59"},
    {"a new number after a pause", "cboSS", "0", {{'5', 5000}, {'9', 5500}, {'7', 9000}}, "7"},
};

TEST(NumberLists, DigitsTypedTogetherFormOneNumber) {
  for (const Row& r : kRows) {
    FakePlatform fake;
    FrmMain form(fake.platform);
    auto* list = child<QComboBox>(&form, r.list);
    testing::choose(&form, r.list, r.before);
    ASSERT_EQ(list->currentText(), r.before) << r.name;
    for (const Key& key : r.keys) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (key.digit - '0'), Qt::NoModifier, QString(QChar(key.digit)));
      press.setTimestamp(static_cast<quint64>(key.atMs));
      QApplication::sendEvent(list, &press);
    }
    EXPECT_EQ(list->currentText(), r.after) << r.name;
  }
}

}  // namespace
}  // namespace halvora::ui
