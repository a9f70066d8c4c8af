// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two results windows compared control by control: every named label's text (the values of the
// details and positions among them) and every text box, so that a chart reached by moving the
// birth time can be checked against the chart of a form typed with that time.

#include <gtest/gtest.h>
#include <QLabel>
#include <QPlainTextEdit>

#include <string>

#include "ui/frm_display.h"

namespace halvora::ui::testing {

// The names of the controls whose texts differ, or of a control one window lacks; empty when the
// two show the same results.
inline std::string differingControls(const QWidget& shown, const QWidget& typed) {
  std::string differing;
  int compared = 0;
  for (const QLabel* label : typed.findChildren<QLabel*>()) {
    if (label->objectName().isEmpty()) continue;
    const auto* other = shown.findChild<QLabel*>(label->objectName());
    ++compared;
    if (!other || other->text() != label->text()) differing += label->objectName().toStdString() + " ";
  }
  for (const QPlainTextEdit* box : typed.findChildren<QPlainTextEdit*>()) {
    const auto* other = shown.findChild<QPlainTextEdit*>(box->objectName());
    ++compared;
    if (!other || other->toPlainText() != box->toPlainText()) differing += box->objectName().toStdString() + " ";
  }
  if (compared < 100) differing += "(only " + std::to_string(compared) + " controls compared)";
  return differing;
}

}  // namespace halvora::ui::testing
