// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/prediction_box.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace halvora::ui {

PredictionBox::PredictionBox(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  // Nothing can be selected, so nothing reaches the clipboard or the X11 selection.
  setTextInteractionFlags(Qt::NoTextInteraction);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setAcceptDrops(false);
  setFocusPolicy(Qt::StrongFocus);
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

bool PredictionBox::event(QEvent* event) {
  // Copy shortcuts are not claimed here, so that they reach no text and copy nothing.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::SelectAll)) {
      key->accept();
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void PredictionBox::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = verticalScrollBar();
  const auto act = [event, bar](QAbstractSlider::SliderAction action) {
    bar->triggerAction(action);
    event->accept();
  };
  if (event->matches(QKeySequence::MoveToPreviousLine)) return act(QAbstractSlider::SliderSingleStepSub);
  if (event->matches(QKeySequence::MoveToNextLine)) return act(QAbstractSlider::SliderSingleStepAdd);
  if (event->matches(QKeySequence::MoveToPreviousPage)) return act(QAbstractSlider::SliderPageStepSub);
  if (event->matches(QKeySequence::MoveToNextPage)) return act(QAbstractSlider::SliderPageStepAdd);
  if (event->matches(QKeySequence::MoveToStartOfDocument) || event->key() == Qt::Key_Home) {
    return act(QAbstractSlider::SliderToMinimum);
  }
  if (event->matches(QKeySequence::MoveToEndOfDocument) || event->key() == Qt::Key_End) {
    return act(QAbstractSlider::SliderToMaximum);
  }
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    return act(QAbstractSlider::SliderPageStepAdd);
  }
  // Every other key, copy and select-all among them, does nothing here.
  event->ignore();
}

}  // namespace halvora::ui
