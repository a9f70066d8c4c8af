// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control beside the chart that moves the birth time: buttons of an hour, ten minutes and a
// minute each way (Ctrl+Left/Right a minute, Ctrl+Shift+Left/Right ten), the shifted time, and
// "Use this time", which hands the moved time to the entry form. Every move is a chart request of
// the form as typed, moved; the results follow it whole.

#include <QWidget>

#include <cstdint>

#include "chart/chart_request.h"

class QLabel;
class QPushButton;

namespace halvora::ui {

// The moves the buttons make, in minutes, in the order they stand.
inline constexpr int kBirthTimeMoves[] = {-60, -10, -1, 1, 10, 60};

class BirthTimeMover : public QWidget {
  Q_OBJECT
 public:
  explicit BirthTimeMover(QWidget* parent = nullptr);

  // Starts again from the form as typed, unmoved.
  void setTypedForm(const FormInput& form);

  // Listens for the moving keys anywhere in `window`, whichever tab is shown; they win over what
  // a text box of the results would do with them (select words).
  void takeKeysIn(QWidget* window);

  // Minutes from the typed time to the time shown.
  std::int64_t shiftMinutes() const { return m_shiftMinutes; }

 public slots:
  // Moves the time shown by `minutes`; a time outside the year list is not taken.
  void moveBy(int minutes);

 signals:
  // The chart of the moved form, to be shown whole.
  void chartMoved(const halvora::FormInput& form, const halvora::ChartResult& chart);
  // "Use this time": the entry form is to take the moved form.
  void useTimeRequested(const halvora::FormInput& form);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showShift();

  bool m_hasForm = false;
  FormInput m_typed;
  FormInput m_shown;
  std::int64_t m_shiftMinutes = 0;
  QLabel* m_lblShiftedTime = nullptr;
  QPushButton* m_cmdUseTime = nullptr;
};

}  // namespace halvora::ui
