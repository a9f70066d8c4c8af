// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filtered_edit.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

#include "forms/person_name.h"

namespace halvora::ui {

namespace {

// Keys that edit or move rather than type: Backspace, Enter, Tab, arrows and shortcuts.
bool isCommandKey(const QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
  const QString text = event->text();
  if (text.isEmpty()) return true;
  for (const QChar c : text) {
    if (!c.isPrint()) return true;
  }
  return false;
}

// The text in capitals, letter by letter, as a name keeps it.
QString nameCapitals(const QString& text) {
  QList<uint> codePoints = text.toUcs4();
  for (uint& c : codePoints) c = static_cast<uint>(forms::NameCapital(static_cast<char32_t>(c)));
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(codePoints.constData()), codePoints.size());
}

}  // namespace

FilteredEdit::FilteredEdit(Filter filter, MessageBoxes& messages, QWidget* parent)
    : QLineEdit(parent), m_filter(filter), m_messages(messages) {
  // Text set by the program counts as accepted; text the user edits in is checked first.
  // (The signal's own text can be older than the box's when an edit was put right meanwhile.)
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (acceptsAll(text())) m_accepted = text();
  });
  connect(this, &QLineEdit::textEdited, this, &FilteredEdit::guardEdit);
}

bool FilteredEdit::admits(Filter filter, const QString& text) {
  switch (filter) {
    case Filter::Digits:
      return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    case Filter::Letters:
      return forms::CapitalisedName(text.toStdString()).has_value();
  }
  return false;
}

bool FilteredEdit::acceptsAll(const QString& text) const { return admits(m_filter, text); }

// The box's text with `typed` in place of the selection, or at the cursor: a hyphen or an
// apostrophe is let in only after a letter.
QString FilteredEdit::withTyped(const QString& typed) const {
  QString result = text();
  int at = cursorPosition();
  if (hasSelectedText()) {
    at = selectionStart();
    result.remove(at, selectedText().size());
  }
  return result.insert(at, typed);
}

void FilteredEdit::refuse() {
  if (m_filter == Filter::Digits) {
    m_messages.show(window(), QStringLiteral("Only Numbers Are Accepted"), MessageIcon::Error);
  } else {
    m_messages.show(window(), QStringLiteral("Please Enter only Letters"), MessageIcon::Information);
  }
}

// Text from outside is judged whole, before a maximum length could cut off what would be refused.
void FilteredEdit::pasteFrom(QClipboard::Mode mode) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || isReadOnly()) return;
  const QString text = clipboard->text(mode);
  if (text.isEmpty()) return;
  if (!acceptsAll(withTyped(text))) {
    refuse();
    return;
  }
  insert(m_filter == Filter::Letters ? nameCapitals(text) : text);
}

void FilteredEdit::paste() { pasteFrom(QClipboard::Clipboard); }

void FilteredEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The standard Paste item (known by its shortcut) goes through the filter as well.
  const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator() && action->text().section(u'\t', 1) == pasteKeys) {
      disconnect(action, &QAction::triggered, nullptr, nullptr);
      connect(action, &QAction::triggered, this, &FilteredEdit::paste);
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void FilteredEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection of other programs.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    pasteFrom(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void FilteredEdit::dropEvent(QDropEvent* event) {
  if (event->mimeData()->hasText() && !acceptsAll(event->mimeData()->text())) {
    event->ignore();
    refuse();
    return;
  }
  QLineEdit::dropEvent(event);
}

void FilteredEdit::keyPressEvent(QKeyEvent* event) {
  // Alt and Meta combinations are shortcuts for the menus: never typed, never refused.
  if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
    event->ignore();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    paste();
    event->accept();
    return;
  }
  if (isCommandKey(event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString text = event->text();
  if (!acceptsAll(withTyped(text))) {
    event->accept();
    refuse();
    return;
  }
  if (m_filter == Filter::Letters && text != nameCapitals(text)) {
    QKeyEvent capital(event->type(), event->key(), event->modifiers(), nameCapitals(text), event->isAutoRepeat(),
                      static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&capital);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// Every edit that did not come through keyPressEvent (paste, drop, input methods) ends here too:
// a text with a refused character is put back as it was, a lower-case letter becomes a capital.
void FilteredEdit::guardEdit(const QString& text) {
  if (!acceptsAll(text)) {
    const int cursor = qMin(cursorPosition(), static_cast<int>(m_accepted.size()));
    setText(m_accepted);
    setCursorPosition(cursor);
    refuse();
    return;
  }
  if (m_filter == Filter::Letters && text != nameCapitals(text)) {
    const int cursor = cursorPosition();
    setText(nameCapitals(text));
    setCursorPosition(cursor);
  }
}

}  // namespace halvora::ui
