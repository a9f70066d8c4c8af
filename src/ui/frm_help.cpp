// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_help.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/look.h"

namespace halvora::ui {

namespace {

constexpr int kWidthPx = 640;
constexpr int kHeightPx = 560;

}  // namespace

FrmHelp::FrmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(10, 10, 10, 10);

  auto* findRow = new QHBoxLayout;
  auto* findCaption = new QLabel(QStringLiteral("&Find:"), this);
  m_find = new QLineEdit(this);
  m_find->setObjectName(QStringLiteral("txtFind"));
  m_find->setAccessibleName(QStringLiteral("Find in the help"));
  m_find->installEventFilter(this);
  findCaption->setBuddy(m_find);
  auto* next = new QPushButton(QStringLiteral("&Next"), this);
  next->setObjectName(QStringLiteral("cmdFindNext"));
  auto* previous = new QPushButton(QStringLiteral("&Previous"), this);
  previous->setObjectName(QStringLiteral("cmdFindPrevious"));
  m_findResult = new QLabel(this);
  m_findResult->setObjectName(QStringLiteral("lblFindResult"));
  findRow->addWidget(findCaption);
  findRow->addWidget(m_find, 1);
  findRow->addWidget(next);
  findRow->addWidget(previous);
  findRow->addWidget(m_findResult);
  column->addLayout(findRow);

  m_manual = new QTextBrowser(this);
  m_manual->setObjectName(QStringLiteral("txtManual"));
  m_manual->setAccessibleName(QStringLiteral("Halvora Help"));
  // Only the manual's own anchors are followed: nothing is fetched from outside.
  m_manual->setOpenExternalLinks(false);
  m_manual->setSource(QUrl(QString::fromLatin1(kManualPage)));
  column->addWidget(m_manual, 1);

  // Typing searches from where the last find began; Enter and the buttons go on.
  connect(m_find, &QLineEdit::textEdited, this, [this] {
    QTextCursor cursor = m_manual->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_manual->setTextCursor(cursor);
    findNext();
  });
  connect(next, &QPushButton::clicked, this, [this] { findNext(); });
  connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });

  applyWindowLook(this);
  setWindowTitle(QStringLiteral("Halvora Help"));
  resize(kWidthPx, kHeightPx);
  setTabOrder(m_find, next);
  setTabOrder(next, previous);
  setTabOrder(previous, m_manual);
}

bool FrmHelp::findNext(bool backwards) {
  const QString text = m_find->text();
  m_findResult->clear();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (m_manual->find(text, flags)) return true;
  // Round from the other end.
  QTextCursor cursor = m_manual->textCursor();
  cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
  m_manual->setTextCursor(cursor);
  if (m_manual->find(text, flags)) return true;
  m_findResult->setText(QStringLiteral("Not found"));
  return false;
}

bool FrmHelp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_find && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      findNext(key->modifiers() & Qt::ShiftModifier);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

FrmHelp* showHelp(QWidget* window) {
  auto* help = window->findChild<FrmHelp*>(QString(), Qt::FindDirectChildrenOnly);
  if (help == nullptr) help = new FrmHelp(window);
  help->show();
  help->raise();
  help->activateWindow();
  return help;
}

}  // namespace halvora::ui
