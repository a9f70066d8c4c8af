// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/value_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace halvora::ui {

ValueLabel::ValueLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  refresh();
}

void ValueLabel::setCaption(const QString& caption) {
  m_caption = caption;
  refresh();
}

void ValueLabel::setValue(const QString& value) {
  setText(value);
  refresh();
}

bool ValueLabel::isElided() const { return shownText() != text(); }

QString ValueLabel::shownText() const {
  const int room = contentsRect().width();
  if (text().contains(u'\n') || fontMetrics().horizontalAdvance(text()) <= room) return text();
  return fontMetrics().elidedText(text(), Qt::ElideRight, room);
}

void ValueLabel::paintEvent(QPaintEvent* event) {
  if (!isElided()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, palette(),
                        isEnabled(), shownText(), foregroundRole());
}

void ValueLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  refresh();
}

void ValueLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) refresh();
}

void ValueLabel::refresh() {
  setToolTip(isElided() ? text() : QString());
  setAccessibleName(m_caption.isEmpty() ? text() : m_caption + QStringLiteral(": ") + text());
}

}  // namespace halvora::ui
