// SPDX-License-Identifier: GPL-3.0-or-later
// The closing screen: referral checks on the real controls, placeholders, the blank filter on the
// e-mail fields, the forum box, the collection line, the promotional text and the way out.

#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <QCheckBox>
#include <functional>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QImage>
#include <QMimeData>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include "fakes.h"
#include "form_helpers.h"
#include "ui/frm_closing_screen.h"
#include "ui/tell_a_friend.h"
#include "ui/web_pages.h"

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace halvora::ui {
namespace {

using testing::FakePlatform;
using testing::ShownMessage;

class ClosingScreen : public ::testing::Test {
 protected:
  template <typename T = QWidget>
  T* child(const char* name) {
    return testing::child<T>(&screen, QString::fromLatin1(name));
  }
  QLineEdit* line(const char* name) { return child<QLineEdit>(name); }
  QString boxText(const char* name) {
    if (auto* edit = screen.findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
    if (auto* edit = screen.findChild<QPlainTextEdit*>(QString::fromLatin1(name))) return edit->toPlainText();
    ADD_FAILURE() << "no text box " << name;
    return {};
  }
  void type(const char* name, const QString& text) {
    if (auto* edit = screen.findChild<QLineEdit*>(QString::fromLatin1(name))) edit->setText(text);
    if (auto* edit = screen.findChild<QPlainTextEdit*>(QString::fromLatin1(name))) edit->setPlainText(text);
  }
  void submit() { QTest::mouseClick(child<QPushButton>("cmdSubmit"), Qt::LeftButton); }
  void showActive() {
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  }
  std::vector<QString> messageTexts() const {
    std::vector<QString> texts;
    for (const ShownMessage& shown : fake.messages.shown) texts.push_back(shown.text);
    return texts;
  }

  FakePlatform fake;
  FrmClosingScreen screen{fake.platform};
};

TEST_F(ClosingScreen, ControlsAndCaptions) {
  EXPECT_EQ(screen.objectName(), QStringLiteral("frmClosingScreen"));
  EXPECT_EQ(screen.windowTitle(), QStringLiteral("Halvora v1.15"));
  EXPECT_EQ(child<QGroupBox>("Frame2")->title(), QStringLiteral("Refer A Friend"));
  EXPECT_FALSE(child<QGroupBox>("Frame6")->title().isEmpty());
  EXPECT_EQ(child<QPushButton>("cmdSubmit")->text(), QStringLiteral("Refer A Friend &Now"));
  EXPECT_EQ(child<QPushButton>("cmdClose")->text(), QStringLiteral("E&xit"));
  EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("Halvora v1.15"));
  EXPECT_FALSE(child<QLabel>("Label3")->text().isEmpty());
  EXPECT_FALSE(child<QLabel>("lblGoToHome")->text().isEmpty());
  EXPECT_FALSE(child<QLabel>("Picture1")->pixmap().isNull());
  EXPECT_FALSE(child<QCheckBox>("Check1")->isChecked());
  // The frames hold their controls.
  for (const char* name : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage", "cmdSubmit"}) {
    EXPECT_NE(child<QGroupBox>("Frame2")->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  }
  for (const char* name : {"lblGoToHome", "Label3"}) {
    EXPECT_NE(child<QGroupBox>("Frame6")->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  }
}

struct BoxRow {
  const char* name;
  QString placeholder;
};

const std::vector<BoxRow> kBoxes{{"txtName", kNamePlaceholder},
                                 {"txtEmail", kEmailPlaceholder},
                                 {"txtFriendName", kFriendNamePlaceholder},
                                 {"txtFriendEmail", kFriendEmailPlaceholder},
                                 {"txtMessage", kMessagePlaceholder}};

TEST_F(ClosingScreen, BoxesStartWithTheirPlaceholders) {
  for (const BoxRow& box : kBoxes) EXPECT_EQ(boxText(box.name), box.placeholder) << box.name;
  EXPECT_NE(screen.findChild<QPlainTextEdit*>(QStringLiteral("txtMessage")), nullptr) << "several lines";
}

TEST_F(ClosingScreen, PlaceholderClearsOnFocusAndComesBackWhenLeftEmpty) {
  showActive();
  auto* exit = child<QPushButton>("cmdClose");
  exit->setFocus();
  for (const BoxRow& box : kBoxes) {
    QWidget* widget = child(box.name);
    widget->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(boxText(box.name), QString()) << box.name << " on entry";
    exit->setFocus();
    EXPECT_EQ(boxText(box.name), box.placeholder) << box.name << " left empty";

    widget->setFocus();
    type(box.name, QStringLiteral("   "));
    exit->setFocus();
    EXPECT_EQ(boxText(box.name), box.placeholder) << box.name << " left blank";

    // Spaces around the placeholder still count as the placeholder.
    type(box.name, QStringLiteral("  ") + box.placeholder + QStringLiteral(" "));
    widget->setFocus();
    EXPECT_EQ(boxText(box.name), QString()) << box.name << " padded placeholder";
    exit->setFocus();
  }
}

// Where the user enters a box and where the window only gives it the focus.
struct EntryRow {
  const char* name;
  std::function<void(QWidget* box)> enter;
  bool clears;
};
void PrintTo(const EntryRow& row, std::ostream* os) { *os << row.name; }

class PlaceholderEntry : public ClosingScreen, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(PlaceholderEntry, OnlyTheUserEnteringClearsIt) {
  showActive();
  child<QPushButton>("cmdClose")->setFocus();
  for (const BoxRow& box : kBoxes) {
    GetParam().enter(child(box.name));
    EXPECT_EQ(boxText(box.name), GetParam().clears ? QString() : box.placeholder) << box.name;
    child<QPushButton>("cmdClose")->setFocus();
  }
}

// The mouse of the message box goes to its viewport.
QWidget* clickTarget(QWidget* box) {
  if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) return lines->viewport();
  return box;
}

INSTANTIATE_TEST_SUITE_P(
    ClosingScreen, PlaceholderEntry,
    ::testing::Values(
        EntryRow{"Tab", [](QWidget* box) { box->setFocus(Qt::TabFocusReason); }, true},
        EntryRow{"Click", [](QWidget* box) { QTest::mouseClick(clickTarget(box), Qt::LeftButton); }, true},
        EntryRow{"WindowActivation", [](QWidget* box) { box->setFocus(Qt::ActiveWindowFocusReason); }, false},
        EntryRow{"BackFromAMessage", [](QWidget* box) { box->setFocus(Qt::PopupFocusReason); }, false},
        // Given the focus by the window, the box clears when the user clicks or types into it.
        EntryRow{"ClickAfterActivation",
                 [](QWidget* box) {
                   box->setFocus(Qt::ActiveWindowFocusReason);
                   QTest::mouseClick(clickTarget(box), Qt::LeftButton);
                 },
                 true},
        EntryRow{"TypingAfterActivation",
                 [](QWidget* box) {
                   box->setFocus(Qt::ActiveWindowFocusReason);
                   QTest::keyClick(box, Qt::Key_A);
                   QTest::keyClick(box, Qt::Key_Backspace);
                 },
                 true},
        EntryRow{"ArrowAfterActivation",
                 [](QWidget* box) {
                   box->setFocus(Qt::ActiveWindowFocusReason);
                   QTest::keyClick(box, Qt::Key_Right);
                 },
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClosingScreen, TypingIntoAPlaceholderGivenByTheWindowReplacesIt) {
  showActive();
  QLineEdit* name = line("txtName");
  name->setFocus(Qt::ActiveWindowFocusReason);
  EXPECT_EQ(name->text(), kNamePlaceholder);
  QTest::keyClicks(name, QStringLiteral("Ravi"));
  EXPECT_EQ(name->text(), QStringLiteral("Ravi"));
}

// A drop (or a paste) onto a box that shows its placeholder replaces the placeholder.
class PlaceholderDrop : public ClosingScreen, public ::testing::WithParamInterface<BoxRow> {};

TEST_P(PlaceholderDrop, DroppedTextReplacesThePlaceholder) {
  screen.show();
  QWidget* target = clickTarget(child(GetParam().name));
  QMimeData data;
  data.setText(QStringLiteral("ravi@mail.example"));
  const QPointF at(4, 4);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EXPECT_EQ(boxText(GetParam().name), QStringLiteral("ravi@mail.example"));
  EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.shown[0].text.toStdString();
}

TEST_P(PlaceholderDrop, PasteWithTheFocusGivenByTheWindowReplacesThePlaceholder) {
  showActive();
  QWidget* box = child(GetParam().name);
  box->setFocus(Qt::ActiveWindowFocusReason);
  QGuiApplication::clipboard()->setText(QStringLiteral("ravi@mail.example"));
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(boxText(GetParam().name), QStringLiteral("ravi@mail.example"));
  EXPECT_TRUE(fake.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(ClosingScreen, PlaceholderDrop, ::testing::ValuesIn(kBoxes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClosingScreen, TypedTextStaysAcrossFocusChanges) {
  showActive();
  auto* exit = child<QPushButton>("cmdClose");
  for (const BoxRow& box : kBoxes) {
    QWidget* widget = child(box.name);
    widget->setFocus();
    type(box.name, QStringLiteral("Your Name too"));
    exit->setFocus();
    widget->setFocus();
    EXPECT_EQ(boxText(box.name), QStringLiteral("Your Name too")) << box.name;
    exit->setFocus();
  }
}

class BlankFilter : public ClosingScreen, public ::testing::WithParamInterface<const char*> {};

TEST_P(BlankFilter, TypedBlankIsRefusedWithItsMessage) {
  QLineEdit* email = line(GetParam());
  email->setText(QStringLiteral("asha@mail"));
  email->setCursorPosition(4);
  QTest::keyClick(email, Qt::Key_Space);
  EXPECT_EQ(email->text(), QStringLiteral("asha@mail"));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Email Address Cannot Contain Space"));
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);

  QTest::keyClicks(email, QStringLiteral(".x"));
  EXPECT_EQ(email->text(), QStringLiteral("asha.x@mail"));
  EXPECT_EQ(fake.messages.shown.size(), 1u) << "other keys pass silently";
}

TEST_P(BlankFilter, PastedBlanksAreDropped) {
  QLineEdit* email = line(GetParam());
  email->clear();
  QGuiApplication::clipboard()->setText(QStringLiteral(" asha @mail.example "));
  email->paste();
  EXPECT_EQ(email->text(), QStringLiteral("asha@mail.example"));
  EXPECT_EQ(email->cursorPosition(), email->text().size());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("Email Address Cannot Contain Space"));

  email->insert(QStringLiteral("x y"));  // any edit by the user, not only the clipboard
  EXPECT_EQ(email->text(), QStringLiteral("asha@mail.examplexy"));
  EXPECT_EQ(fake.messages.shown.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(ClosingScreen, BlankFilter, ::testing::Values("txtEmail", "txtFriendEmail"));

TEST_F(ClosingScreen, NamesAndMessageAcceptBlanks) {
  for (const char* name : {"txtName", "txtFriendName"}) {
    line(name)->clear();
    QTest::keyClicks(line(name), QStringLiteral("Asha Rao"));
    EXPECT_EQ(line(name)->text(), QStringLiteral("Asha Rao"));
  }
  EXPECT_TRUE(fake.messages.shown.empty());
}

// The five boxes as a user might fill them.
struct SubmitRow {
  const char* name;
  std::vector<std::pair<const char*, QString>> typed;
  const char* expected;
};
void PrintTo(const SubmitRow& row, std::ostream* os) { *os << row.name; }

class Submit : public ClosingScreen, public ::testing::WithParamInterface<SubmitRow> {};

TEST_P(Submit, FirstFailedCheckIsShownAndNothingOpens) {
  for (const auto& [box, text] : GetParam().typed) type(box, text);
  submit();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, QString::fromUtf8(GetParam().expected));
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
  EXPECT_TRUE(fake.urls.opened.empty());
}

const QString kOwn = QStringLiteral("asha@mail.example");
const QString kFriend = QStringLiteral("ravi@mail.example");

INSTANTIATE_TEST_SUITE_P(
    ClosingScreen, Submit,
    ::testing::Values(
        SubmitRow{"Untouched", {}, "Please Enter Proper Email Address"},
        SubmitRow{"SameAddress", {{"txtEmail", kOwn}, {"txtFriendEmail", kOwn}}, "Please Enter Distinct Email Addresses"},
        SubmitRow{"SameAfterTrimming",
                  {{"txtEmail", QStringLiteral(" ") + kOwn}, {"txtFriendEmail", kOwn + QStringLiteral("  ")}},
                  "Please Enter Distinct Email Addresses"},
        SubmitRow{"FriendStillPlaceholder", {{"txtEmail", kOwn}}, "Please Enter Proper Email Address"},
        SubmitRow{"NameLeft", {{"txtEmail", kOwn}, {"txtFriendEmail", kFriend}}, "Please Enter Your Name"},
        SubmitRow{"NameBlank",
                  {{"txtName", QStringLiteral("   ")}, {"txtEmail", kOwn}, {"txtFriendEmail", kFriend}},
                  "Please Enter Your Name"},
        SubmitRow{"MessageLeft",
                  {{"txtName", QStringLiteral("Asha")}, {"txtEmail", kOwn}, {"txtFriendEmail", kFriend}},
                  "Please Enter Your Message"},
        SubmitRow{"FriendNameLeft",
                  {{"txtName", QStringLiteral("Asha")},
                   {"txtEmail", kOwn},
                   {"txtMessage", QStringLiteral("Look")},
                   {"txtFriendEmail", kFriend}},
                  "Please Enter Your Friend's Name"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClosingScreen, CompleteReferralOpensThePageAndKeepsTheTexts) {
  const QString message = QStringLiteral(u"Tom & Jerry #1?\nTry it: a=b, 100% fün");
  type("txtName", QStringLiteral("  Asha Rao "));
  type("txtEmail", kOwn);
  type("txtMessage", message);
  type("txtFriendName", QStringLiteral("Ravi"));
  type("txtFriendEmail", kFriend);
  submit();
  EXPECT_TRUE(messageTexts().empty());
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  const QUrl opened = QUrl::fromEncoded(fake.urls.opened[0].toEncoded(), QUrl::StrictMode);
  EXPECT_EQ(opened.adjusted(QUrl::RemoveQuery), referralPageUrl());
  const QUrlQuery query(opened);
  const auto value = [&query](const char* key) {
    return query.queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded);
  };
  EXPECT_EQ(value("taf1"), QStringLiteral("Asha Rao"));
  EXPECT_EQ(value("taf2"), kOwn);
  EXPECT_EQ(value("taf3"), message);
  EXPECT_EQ(value("taf4"), QStringLiteral("Ravi"));
  EXPECT_EQ(value("taf5"), kFriend);
  EXPECT_EQ(QUrl(value("taf6")).host(), QUrl(productSiteAddress()).host());
  EXPECT_EQ(query.queryItems().size(), 6);
  // The screen stays, with what was typed.
  EXPECT_EQ(boxText("txtName"), QStringLiteral("  Asha Rao "));
  EXPECT_EQ(boxText("txtMessage"), message);
}

TEST_F(ClosingScreen, ForumBoxUnticksItselfAndOpensTheForum) {
  auto* forum = child<QCheckBox>("Check1");
  QTest::mouseClick(forum, Qt::LeftButton);
  EXPECT_FALSE(forum->isChecked());
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], homePageUrl());
  forum->setChecked(true);  // by keyboard or otherwise: the same
  EXPECT_FALSE(forum->isChecked());
  EXPECT_EQ(fake.urls.opened.size(), 2u);
}

TEST_F(ClosingScreen, CollectionLineOpensTheCollection) {
  screen.show();
  auto* collection = child<QLabel>("lblGoToHome");
  EXPECT_EQ(collection->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(collection, Qt::LeftButton);
  ASSERT_EQ(fake.urls.opened.size(), 1u);
  EXPECT_EQ(fake.urls.opened[0], collectionPageUrl());
}

TEST_F(ClosingScreen, ExitAndCloseBoxAskToEndTheProgram) {
  QSignalSpy exitSpy(&screen, &FrmClosingScreen::endApplicationRequested);
  QTest::mouseClick(child<QPushButton>("cmdClose"), Qt::LeftButton);
  EXPECT_EQ(exitSpy.count(), 1);

  FakePlatform other;
  FrmClosingScreen closed(other.platform);
  QSignalSpy closeSpy(&closed, &FrmClosingScreen::endApplicationRequested);
  closed.show();
  EXPECT_TRUE(closed.close());
  EXPECT_EQ(closeSpy.count(), 1);
  EXPECT_FALSE(closed.isVisible());
}

TEST_F(ClosingScreen, ShownTopMostCentredWithTheKeyboardInItsFirstBox) {
  screen.move(123, 77);
  const QSize size = screen.size();
  screen.showTopMost();
  EXPECT_TRUE(screen.isVisible());
  EXPECT_TRUE(screen.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  const QRect area = screen.screen()->availableGeometry();
  EXPECT_LE((screen.frameGeometry().center() - area.center()).manhattanLength(), 2);
  EXPECT_EQ(screen.size(), size);

  // The windows before it are gone: the keys come here.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  EXPECT_EQ(QApplication::focusWidget(), line("txtName"));
  EXPECT_EQ(line("txtName")->text(), kNamePlaceholder) << "the placeholder stays until a key types over it";
  QTest::keyClicks(QApplication::focusWidget(), "Asha");
  EXPECT_EQ(line("txtName")->text(), "Asha");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), line("txtName"));
  QSignalSpy exitSpy(&screen, &FrmClosingScreen::endApplicationRequested);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
  for (int waited = 0; exitSpy.count() == 0 && waited < 2000; waited += 20) QTest::qWait(20);
  EXPECT_EQ(exitSpy.count(), 1) << "Alt+X is E&xit";
}

TEST_F(ClosingScreen, EverythingFitsInTheWindow) {
  screen.show();
  for (QWidget* widget : screen.findChildren<QWidget*>()) {
    if (!widget->isVisible() || widget->objectName().isEmpty()) continue;
    const QRect box(widget->mapTo(&screen, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(screen.rect().contains(box)) << widget->objectName().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width())) << widget->objectName().toStdString();
    }
  }
}

TEST_F(ClosingScreen, LightOrangeTextOnDarkOliveBoldCaptions) {
  screen.show();
  EXPECT_EQ(screen.grab().toImage().pixelColor(2, 2), QColor(64, 64, 0));
  for (const char* name : {"Label1", "Label2", "Label3", "lblGoToHome", "Check1"}) {
    const QImage text = child(name)->grab().toImage();
    EXPECT_TRUE(testing::hasColour(text, QColor(255, 192, 128))) << name << " is not drawn in light orange";
  }
  for (const char* name : {"cmdSubmit", "cmdClose"}) {
    EXPECT_EQ(child(name)->palette().color(QPalette::Button), QColor(255, 224, 192)) << name << " is not light peach";
    EXPECT_TRUE(child(name)->font().bold()) << name;
  }
  for (const char* name : {"Frame2", "Frame6"}) EXPECT_TRUE(child(name)->font().bold()) << name;
  // Only the frames' captions are bold, not what they hold.
  for (const char* name : {"Label3", "lblGoToHome", "txtName", "txtMessage"}) {
    EXPECT_FALSE(child(name)->font().bold()) << name;
  }
}

struct PromotionRow {
  double random;
  int expected;
};
void PrintTo(const PromotionRow& row, std::ostream* os) { *os << "random " << row.random; }

class Promotion : public ::testing::TestWithParam<PromotionRow> {};

TEST_P(Promotion, FollowsTheRandomNumber) {
  FakePlatform fake;
  fake.random.value = GetParam().random;
  FrmClosingScreen screen(fake.platform);
  EXPECT_EQ(promotionIndex(GetParam().random), GetParam().expected);
  EXPECT_EQ(screen.findChild<QLabel*>(QStringLiteral("Label2"))->text(), promotionalText(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(ClosingScreen, Promotion,
                         ::testing::Values(PromotionRow{0.0, 0}, PromotionRow{0.2499, 0}, PromotionRow{0.25, 1},
                                           PromotionRow{0.5, 2}, PromotionRow{0.7499, 2}, PromotionRow{0.75, 3},
                                           PromotionRow{0.9999, 3}));

TEST(ClosingScreenTexts, FourDistinctPromotions) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(promotionalText(i).isEmpty());
    EXPECT_TRUE(promotionalText(i).contains(QStringLiteral("forum"))) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(promotionalText(i), promotionalText(j));
  }
}

}  // namespace
}  // namespace halvora::ui
