// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>

namespace halvora::ui {

bool DropDownList::hasPopup() const { return findChild<QAbstractItemView*>() != nullptr; }

bool DropDownList::measuresItself() const {
  if (sizeAdjustPolicy() != AdjustToContentsOnFirstShow || minimumContentsLength() != 0 ||
      !placeholderText().isEmpty()) {
    return false;
  }
  for (int i = 0; i < count(); ++i)
    if (!itemIcon(i).isNull()) return false;
  return true;
}

// Measured once and kept until the font or the style changes, as QComboBox keeps its measure.
QSize DropDownList::sizeHint() const {
  if (!measuresItself()) return QComboBox::sizeHint();
  if (m_sizeHint.isValid()) return m_sizeHint;
  const QFontMetrics metrics = fontMetrics();
  QSize text;
  if (count() == 0) text.setWidth(7 * metrics.horizontalAdvance(u'x'));
  for (int i = 0; i < count(); ++i) text.setWidth(std::max(text.width(), metrics.boundingRect(itemText(i)).width()));
  text.setHeight(std::max(static_cast<int>(std::ceil(QFontMetricsF(metrics).height())), 14) + 2);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  m_sizeHint = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
  return m_sizeHint;
}

void DropDownList::showPopup() {
  // What QComboBox does to its popup when its font changes, if the popup missed that.
  QAbstractItemView* list = view();
  if (QWidget* popup = list->parentWidget(); popup->font() != font()) {
    popup->setFont(font());
    list->doItemsLayout();
  }
  QComboBox::showPopup();
}

void DropDownList::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) m_sizeHint = QSize();
  // Without a popup, a new font changes nothing else that QComboBox keeps: the list is drawn and
  // laid out again, as any widget is.
  if (event->type() == QEvent::FontChange && measuresItself() && !hasPopup()) {
    QWidget::changeEvent(event);
    return;
  }
  QComboBox::changeEvent(event);
}

}  // namespace halvora::ui
