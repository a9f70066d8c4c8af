// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down list of whole numbers (the day, year, hour, minute and second of birth) that takes
// digits as a spin box does: the digits typed within a second of each other form one number
// ("1" then "0" picks 10, "0" then "5" picks 5), whatever was chosen before.

#include <QString>

#include "ui/drop_down_list.h"

namespace halvora::ui {

// Digits typed within this many milliseconds of the one before belong to the same number.
inline constexpr qint64 kNumberTypingIntervalMs = 1000;

class NumberList : public DropDownList {
  Q_OBJECT
 public:
  using DropDownList::DropDownList;

 protected:
  // The key's own time (its event's timestamp, in milliseconds) decides whether a digit goes on
  // with the number being typed, so that no timer runs.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool someItemStartsWith(const QString& digits) const;

  QString m_typed;  // the digits of the number being typed, without leading zeros
  qint64 m_lastDigitMs = 0;
};

}  // namespace halvora::ui
