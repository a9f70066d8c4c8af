// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that acts as a link: a hand pointer over it, and a click opens something.

#include "ui/wrapping_label.h"

namespace halvora::ui {

class ClickableLabel : public WrappingLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace halvora::ui
