// SPDX-License-Identifier: GPL-3.0-or-later
// The key filters of the entry form: what typing, pasting and dropping let into the name and the
// coordinate fields, and the messages of what they refuse.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include "fakes.h"
#include "form_helpers.h"
#include "ui/filtered_edit.h"
#include "ui/frm_main.h"

namespace halvora::ui {
namespace {

using testing::FakePlatform;

constexpr char kNumbersOnly[] = "Only Numbers Are Accepted";
constexpr char kLettersOnly[] = "Please Enter only Letters";

struct TypingRow {
  const char* name;
  const char* field;
  const char* typed;
  const char* expected;
  int refusals;  // messages shown
};

class KeyFilter : public ::testing::TestWithParam<TypingRow> {
 protected:
  QLineEdit* field(const char* name) { return testing::child<QLineEdit>(&form, name); }

  FakePlatform fake;
  FrmMain form{fake.platform};
};

TEST_P(KeyFilter, TypingLetsInOnlyWhatTheFilterAccepts) {
  const TypingRow& row = GetParam();
  QLineEdit* edit = field(row.field);
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, row.typed);
  EXPECT_EQ(edit->text(), QString(row.expected));
  ASSERT_EQ(fake.messages.shown.size(), static_cast<std::size_t>(row.refusals));
  const bool name = QString(row.field) == "txtName";
  for (const auto& message : fake.messages.shown) {
    EXPECT_EQ(message.text, name ? kLettersOnly : kNumbersOnly);
    EXPECT_EQ(message.icon, name ? MessageIcon::Information : MessageIcon::Error);
    EXPECT_FALSE(message.question);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeyFilter,
    ::testing::Values(TypingRow{"NameInCapitals", "txtName", "asha", "ASHA", 0},
                      TypingRow{"NameWithBlank", "txtName", "Ravi kumar", "RAVI KUMAR", 0},
                      TypingRow{"NameDigitRefused", "txtName", "ab1c", "ABC", 1},
                      TypingRow{"NameBracketRefused", "txtName", "a[", "A", 1},   // code 91
                      TypingRow{"NameBacktickRefused", "txtName", "a`", "A", 1},  // code 96
                      TypingRow{"NameHyphenInsideDotRefused", "txtName", "a-b.", "A-B", 1},
                      TypingRow{"NameHyphenFirstRefused", "txtName", "-jean-luc", "JEAN-LUC", 1},
                      TypingRow{"NameHyphenAfterBlankRefused", "txtName", "jean -luc", "JEAN LUC", 1},
                      TypingRow{"NameApostrophe", "txtName", "o'brien", "O'BRIEN", 0},
                      TypingRow{"LatitudeDegrees", "txtLatD", "28", "28", 0},
                      TypingRow{"LatitudeDegreesMinus", "txtLatD", "-", "", 1},
                      TypingRow{"LatitudeDegreesDot", "txtLatD", ".", "", 1},
                      TypingRow{"LatitudeDegreesAtMostTwo", "txtLatD", "289", "28", 0},
                      TypingRow{"LatitudeMinutesDecimal", "txtLatM", "3.5", "35", 1},
                      TypingRow{"LongitudeDegreesAtMostThree", "txtLonD", "1790", "179", 0},
                      TypingRow{"LongitudeDegreesBlank", "txtLonD", " 7", "7", 1},
                      TypingRow{"LongitudeMinutesLetter", "txtLonM", "1a3", "13", 1}),
    [](const ::testing::TestParamInfo<TypingRow>& info) { return std::string(info.param.name); });

class KeyFilterEditing : public ::testing::Test {
 protected:
  QLineEdit* field(const char* name) { return testing::child<QLineEdit>(&form, name); }
  // Ctrl+V, as the user pastes.
  static void paste(QLineEdit* edit, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  }

  FakePlatform fake;
  FrmMain form{fake.platform};
};

TEST_F(KeyFilterEditing, BackspaceAlwaysPasses) {
  for (const char* name : {"txtName", "txtLatD", "txtLatM", "txtLonD", "txtLonM"}) {
    QLineEdit* edit = field(name);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QString(name) == "txtName" ? "ab" : "12");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text().size(), 1) << name;
  }
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(KeyFilterEditing, PasteWithARefusedCharacterIsRefusedWhole) {
  QLineEdit* latD = field("txtLatD");
  latD->setText("1");
  latD->end(false);
  paste(latD, "2a");
  EXPECT_EQ(latD->text(), "1");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, kNumbersOnly);
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);

  QLineEdit* lonM = field("txtLonM");
  paste(lonM, "12a");
  EXPECT_EQ(lonM->text(), "");
  EXPECT_EQ(fake.messages.shown.size(), 2u);
}

TEST_F(KeyFilterEditing, PasteThroughTheSlotIsFilteredToo) {
  auto* latD = qobject_cast<FilteredEdit*>(field("txtLatD"));
  ASSERT_NE(latD, nullptr);
  QApplication::clipboard()->setText("12a");
  latD->paste();
  EXPECT_EQ(latD->text(), "");
  EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(KeyFilterEditing, PasteOfDigitsIsKept) {
  QLineEdit* lonD = field("txtLonD");
  paste(lonD, "77");
  EXPECT_EQ(lonD->text(), "77");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(KeyFilterEditing, PastedNameIsTurnedToCapitalsAndDigitsRefuseIt) {
  QLineEdit* name = field("txtName");
  paste(name, "ravi");
  EXPECT_EQ(name->text(), "RAVI");
  EXPECT_TRUE(fake.messages.shown.empty());

  paste(name, " r2d2");
  EXPECT_EQ(name->text(), "RAVI");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, kLettersOnly);
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Information);
}

TEST_F(KeyFilterEditing, LettersOfAnyScriptAreTakenInCapitals) {
  QLineEdit* name = field("txtName");
  for (const char32_t c : {U'j', U'o', U's', U'\u00e9'}) {
    QKeyEvent letter(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&c, 1));
    QApplication::sendEvent(name, &letter);
  }
  EXPECT_EQ(name->text(), QString::fromUtf8("JOS\u00c9"));
  EXPECT_TRUE(fake.messages.shown.empty());

  name->clear();
  paste(name, QString::fromUtf8("zo\u00eb m\u00fcller-stra\u00dfe"));
  EXPECT_EQ(name->text(), QString::fromUtf8("ZO\u00cb M\u00dcLLER-STRA\u00dfE")) << "as a file keeps it: \u00df stays";
  EXPECT_TRUE(fake.messages.shown.empty());

  // A hyphen pasted after a letter is inside the name; before any letter it is refused.
  name->setText("JEAN");
  paste(name, "-luc");
  EXPECT_EQ(name->text(), "JEAN-LUC");
  name->setCursorPosition(0);
  paste(name, "-");
  EXPECT_EQ(name->text(), "JEAN-LUC");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, kLettersOnly);
}

struct ShortcutRow {
  const char* name;
  const char* field;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

class KeyFilterShortcuts : public KeyFilterEditing, public ::testing::WithParamInterface<ShortcutRow> {};

// A shortcut is not typing: nothing is inserted and nothing is refused.
TEST_P(KeyFilterShortcuts, AreNeitherTypedNorRefused) {
  const ShortcutRow& row = GetParam();
  QLineEdit* edit = field(row.field);
  edit->setText(QString(row.field) == "txtName" ? "RAVI" : "12");
  const QString before = edit->text();
  QTest::keyClick(edit, row.key, row.modifiers);
  EXPECT_EQ(edit->text(), before);
  EXPECT_TRUE(fake.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, KeyFilterShortcuts,
    ::testing::Values(ShortcutRow{"NameAltX", "txtName", Qt::Key_X, Qt::AltModifier},
                      ShortcutRow{"NameAltShiftQ", "txtName", Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier},
                      ShortcutRow{"NameMetaE", "txtName", Qt::Key_E, Qt::MetaModifier},
                      ShortcutRow{"NameCtrlQ", "txtName", Qt::Key_Q, Qt::ControlModifier},
                      ShortcutRow{"LatitudeDegreesAltQ", "txtLatD", Qt::Key_Q, Qt::AltModifier},
                      ShortcutRow{"LatitudeMinutesAltX", "txtLatM", Qt::Key_X, Qt::AltModifier},
                      ShortcutRow{"LongitudeDegreesAlt5", "txtLonD", Qt::Key_5, Qt::AltModifier},
                      ShortcutRow{"LongitudeMinutesCtrlAltQ", "txtLonM", Qt::Key_Q,
                                  Qt::ControlModifier | Qt::AltModifier},
                      ShortcutRow{"LongitudeMinutesMetaQ", "txtLonM", Qt::Key_Q, Qt::MetaModifier}),
    [](const ::testing::TestParamInfo<ShortcutRow>& info) { return std::string(info.param.name); });

TEST_F(KeyFilterEditing, AltLetterInACoordinateReachesTheMenus) {
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QLineEdit* latD = field("txtLatD");
  latD->setFocus();
  QTest::keyClick(latD, Qt::Key_D, Qt::AltModifier);  // "&Donate"
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_TRUE(latD->text().isEmpty());
}

TEST_F(KeyFilterEditing, DroppedTextIsHeldToTheFilter) {
  form.show();
  QLineEdit* latM = field("txtLatM");
  const auto drop = [latM](const QString& text) {
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(latM, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(latM, &drop);
  };
  drop("4x");
  EXPECT_EQ(latM->text(), "");
  EXPECT_EQ(fake.messages.shown.size(), 1u);
  drop("42");
  EXPECT_EQ(latM->text(), "42");
  EXPECT_EQ(fake.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace halvora::ui
