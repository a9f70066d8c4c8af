// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A prediction text box of the results window: the text can be read and scrolled with the mouse
// wheel, the scroll bar and the keyboard, but not selected, dragged or copied.

#include <QPlainTextEdit>

namespace halvora::ui {

class PredictionBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit PredictionBox(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace halvora::ui
