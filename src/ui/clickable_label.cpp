// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clickable_label.h"

#include <QMouseEvent>

namespace halvora::ui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : WrappingLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

}  // namespace halvora::ui
