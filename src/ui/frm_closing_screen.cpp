// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_closing_screen.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/clickable_label.h"
#include "ui/frm_about.h"
#include "ui/look.h"
#include "ui/screen_fit.h"
#include "ui/tell_a_friend.h"
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

constexpr int kWidthPx = 560;           // the screen's width
constexpr int kPicturePx = 64;          // Picture1
constexpr double kFontPt = 8.25;        // the windows' text
constexpr double kTitleFontPt = 9.75;   // Label1
constexpr int kMessageLines = 4;        // visible lines of txtMessage

const std::array<const char*, 4> kPromotions{
    "Halvora stays free thanks to you. Visit our astrology forum regularly and take part in its "
    "discussions: your visits keep our free programs coming.",
    "Enjoyed Halvora? Drop in at our forum often, ask your questions and share your readings. "
    "A lively forum is what keeps this software free.",
    "Our free programs live on the support of their users. Please visit our discussion forum "
    "regularly and join the conversations there.",
    "Help us keep Halvora free: make our forum a regular stop, post your views and answer other "
    "members' questions.",
};

const QString kNoBlankMessage = QStringLiteral("Email Address Cannot Contain Space");

QLabel* wrappedLabel(const char* objectName, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setWordWrap(true);
  return label;
}

}  // namespace

int promotionIndex(double randomNumber) {
  const int index = static_cast<int>(std::floor(randomNumber * kPromotions.size()));
  return std::clamp(index, 0, static_cast<int>(kPromotions.size()) - 1);
}

QString promotionalText(int index) {
  return QString::fromUtf8(kPromotions.at(static_cast<std::size_t>(index)));
}

FrmClosingScreen::FrmClosingScreen(Platform& platform, QWidget* parent)
    : QWidget(parent), m_platform(platform) {
  setObjectName(QStringLiteral("frmClosingScreen"));
  setFixedWidth(kWidthPx);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(10);

  // The picture, the program's name and the invitation to the forum.
  auto* top = new QHBoxLayout;
  top->setSpacing(14);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Picture1"));
  picture->setPixmap(applicationPicture(kPicturePx));
  picture->setFixedSize(kPicturePx, kPicturePx);
  top->addWidget(picture, 0, Qt::AlignTop);
  auto* heading = new QVBoxLayout;
  heading->setSpacing(4);
  QLabel* name = wrappedLabel("Label1", QString::fromLatin1(kWindowCaption), this);
  name->setFont(verdana(kTitleFontPt, true));
  heading->addWidget(name);
  heading->addWidget(
      wrappedLabel("Label2", promotionalText(promotionIndex(m_platform.random.next())), this));
  heading->addStretch();
  top->addLayout(heading, 1);
  layout->addLayout(top);

  // The maker's other programs.
  auto* others = new QGroupBox(QStringLiteral("Download Our Other Free Software"), this);
  others->setObjectName(QStringLiteral("Frame6"));
  auto* othersLayout = new QVBoxLayout(others);
  othersLayout->setSpacing(6);
  auto* collection =
      new ClickableLabel(QStringLiteral("Click here to browse our complete software collection."), others);
  collection->setObjectName(QStringLiteral("lblGoToHome"));
  collection->setWordWrap(true);
  QFont linkFont = verdana(kFontPt);
  linkFont.setUnderline(true);
  collection->setFont(linkFont);
  connect(collection, &ClickableLabel::clicked, this, [this] { Open_Collection_Page(m_platform.urls); });
  othersLayout->addWidget(collection);
  othersLayout->addWidget(wrappedLabel(
      "Label3",
      QStringLiteral("The makers of Halvora offer many more free programs: Vedic and Western "
                     "astrology charts, psychic readings, tarot spreads, numerology reports and "
                     "other occult tools, all ready to download."),
      others));
  layout->addWidget(others);

  // The referral.
  auto* refer = new QGroupBox(QStringLiteral("Refer A Friend"), this);
  refer->setObjectName(QStringLiteral("Frame2"));
  auto* referLayout = new QGridLayout(refer);
  referLayout->setHorizontalSpacing(10);
  referLayout->setVerticalSpacing(6);
  const auto addLine = [this, refer, referLayout](const char* objectName, const QString& placeholder,
                                                  int row, int column) {
    auto* box = new QLineEdit(placeholder, refer);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(placeholder);
    box->installEventFilter(this);
    m_placeholders.insert(box, placeholder);
    referLayout->addWidget(box, row, column);
    return box;
  };
  addLine("txtName", kNamePlaceholder, 0, 0);
  QLineEdit* email = addLine("txtEmail", kEmailPlaceholder, 1, 0);
  addLine("txtFriendName", kFriendNamePlaceholder, 0, 1);
  QLineEdit* friendEmail = addLine("txtFriendEmail", kFriendEmailPlaceholder, 1, 1);
  for (QLineEdit* address : {email, friendEmail}) {
    connect(address, &QLineEdit::textEdited, this, [this, address] { dropPastedBlanks(address); });
  }
  auto* message = new QPlainTextEdit(kMessagePlaceholder, refer);
  message->setObjectName(QStringLiteral("txtMessage"));
  message->setAccessibleName(kMessagePlaceholder);
  message->setTabChangesFocus(true);
  message->installEventFilter(this);
  m_placeholders.insert(message, kMessagePlaceholder);
  referLayout->addWidget(message, 2, 0, 1, 2);
  auto* submit = new QPushButton(QStringLiteral("Refer A Friend &Now"), refer);
  submit->setObjectName(QStringLiteral("cmdSubmit"));
  connect(submit, &QPushButton::clicked, this, &FrmClosingScreen::cmdSubmit_Click);
  referLayout->addWidget(submit, 3, 1, Qt::AlignRight);
  layout->addWidget(refer);

  // The forum and the way out.
  auto* bottom = new QHBoxLayout;
  auto* forum = new QCheckBox(QStringLiteral("Yes! Take me to the discussion forum now."), this);
  forum->setObjectName(QStringLiteral("Check1"));
  connect(forum, &QCheckBox::toggled, this, &FrmClosingScreen::Check1_Click);
  bottom->addWidget(forum);
  bottom->addStretch();
  auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
  exit->setObjectName(QStringLiteral("cmdClose"));
  exit->setMinimumWidth(90);
  connect(exit, &QPushButton::clicked, this, &FrmClosingScreen::requestEnd);
  bottom->addWidget(exit);
  layout->addLayout(bottom);

  applyWindowLook(this);
  message->setFixedHeight(message->fontMetrics().lineSpacing() * kMessageLines + 12);
  message->viewport()->installEventFilter(this);
  setFixedHeight(layout->totalHeightForWidth(kWidthPx));
  // Centred on the screen whenever it appears.
  fitToScreenOnShow(this, [this] { return size(); });
}

void FrmClosingScreen::showTopMost() {
  if (!(windowFlags() & Qt::WindowStaysOnTopHint)) setWindowFlag(Qt::WindowStaysOnTopHint, true);
  show();
  raise();
  activateWindow();
  // The first box, as the window's own activation gives it: its placeholder stays until a key
  // types over it, and Tab and Alt+X work at once.
  if (auto* first = findChild<QLineEdit*>(QStringLiteral("txtName"))) first->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmClosingScreen::closeEvent(QCloseEvent* event) {
  event->accept();
  requestEnd();
}

namespace {

// Whether a key types text into a box (or pastes), as opposed to moving, editing or a shortcut.
bool typesText(const QKeyEvent* key) {
  if (key->matches(QKeySequence::Paste)) return true;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key->text();
  return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

bool FrmClosingScreen::eventFilter(QObject* watched, QEvent* event) {
  // The message box's mouse and drops arrive at its viewport.
  QObject* box = watched;
  if (!m_placeholders.contains(box) && watched->parent() != nullptr && m_placeholders.contains(watched->parent())) {
    box = watched->parent();
  }
  const auto placeholder = m_placeholders.constFind(box);
  if (placeholder == m_placeholders.constEnd()) return QWidget::eventFilter(watched, event);
  const auto showsPlaceholder = [&] { return boxText(box).trimmed() == *placeholder; };

  switch (event->type()) {
    case QEvent::FocusIn: {
      // The user enters the box; the window's own activation, or the focus coming back after a
      // message, does not count.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && showsPlaceholder()) {
        setBoxText(box, QString());
      }
      break;
    }
    case QEvent::FocusOut:
      if (boxText(box).trimmed().isEmpty()) setBoxText(box, *placeholder);
      break;
    case QEvent::MouseButtonPress:
    case QEvent::Drop:
      // A click or a drop into a box that shows its placeholder: the placeholder goes first.
      if (showsPlaceholder()) setBoxText(box, QString());
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const bool isAddress = *placeholder == kEmailPlaceholder || *placeholder == kFriendEmailPlaceholder;
      if (isAddress && typesText(key) && key->text().contains(QLatin1Char(' '))) {
        m_platform.messages.show(this, kNoBlankMessage, MessageIcon::Error);
        return true;  // the blank is discarded
      }
      if (typesText(key) && showsPlaceholder()) setBoxText(box, QString());
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FrmClosingScreen::dropPastedBlanks(QLineEdit* email) {
  // Typed blanks never get here (the key filter discards them); this catches pasted or dropped text.
  const QString text = email->text();
  if (!text.contains(QLatin1Char(' '))) return;
  const int blanksBeforeCursor = text.left(email->cursorPosition()).count(QLatin1Char(' '));
  const int cursor = email->cursorPosition() - blanksBeforeCursor;
  email->setText(QString(text).remove(QLatin1Char(' ')));
  email->setCursorPosition(cursor);
  m_platform.messages.show(this, kNoBlankMessage, MessageIcon::Error);
}

void FrmClosingScreen::cmdSubmit_Click() {
  const auto text = [this](const char* objectName) {
    return boxText(findChild<QWidget*>(QString::fromLatin1(objectName))).trimmed();
  };
  const Referral referral{text("txtName"), text("txtEmail"), text("txtMessage"), text("txtFriendName"),
                          text("txtFriendEmail")};
  if (const auto problem = checkReferralAddresses(referral)) {
    m_platform.messages.show(this, *problem, MessageIcon::Error);
    return;
  }
  TellAFriend(referral, this, m_platform);
}

void FrmClosingScreen::Check1_Click(bool ticked) {
  if (!ticked) return;
  findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
  Open_Home_Page(m_platform.urls);
}

void FrmClosingScreen::requestEnd() {
  // The program's end may close this window again; it asks only once.
  if (m_endRequested) return;
  m_endRequested = true;
  emit endApplicationRequested();
}

QString FrmClosingScreen::boxText(QObject* box) const {
  if (const auto* line = qobject_cast<const QLineEdit*>(box)) return line->text();
  if (const auto* lines = qobject_cast<const QPlainTextEdit*>(box)) return lines->toPlainText();
  return {};
}

void FrmClosingScreen::setBoxText(QObject* box, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(text);
  if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) lines->setPlainText(text);
}

}  // namespace halvora::ui
