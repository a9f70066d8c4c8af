// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_list.h"

#include <QKeyEvent>

namespace halvora::ui {

namespace {

// "05" is the item "5"; "0" and "00" are "0".
QString withoutLeadingZeros(const QString& digits) {
  qsizetype first = 0;
  while (first + 1 < digits.size() && digits[first] == u'0') ++first;
  return digits.mid(first);
}

}  // namespace

bool NumberList::someItemStartsWith(const QString& digits) const {
  for (int i = 0; i < count(); ++i)
    if (itemText(i).startsWith(digits)) return true;
  return false;
}

void NumberList::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (modifiers != Qt::NoModifier || text.size() != 1 || !text[0].isDigit() || text[0].unicode() > 0x7f) {
    DropDownList::keyPressEvent(event);
    return;
  }
  const qint64 nowMs = static_cast<qint64>(event->timestamp());
  const bool goesOn = !m_typed.isEmpty() && nowMs - m_lastDigitMs <= kNumberTypingIntervalMs;
  QString typed = withoutLeadingZeros(goesOn ? m_typed + text : text);
  // A digit that makes no number of the list starts a new one.
  if (!someItemStartsWith(typed)) typed = text;
  m_typed = typed;
  m_lastDigitMs = nowMs;
  const int index = findText(typed, Qt::MatchExactly);
  if (index >= 0 && index != currentIndex()) {
    setCurrentIndex(index);
    emit activated(index);
  }
  event->accept();
}

}  // namespace halvora::ui
