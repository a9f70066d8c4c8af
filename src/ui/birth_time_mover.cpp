// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/birth_time_mover.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <variant>

#include "chart/birth_time_shift.h"

namespace halvora::ui {

namespace {

QString buttonCaption(int minutes) {
  const QString sign = minutes < 0 ? QString::fromUtf8("\u2212") : QStringLiteral("+");
  const int size = minutes < 0 ? -minutes : minutes;
  return size % 60 == 0 ? QStringLiteral("%1%2 h").arg(sign).arg(size / 60)
                        : QStringLiteral("%1%2 min").arg(sign).arg(size);
}

QString buttonName(int minutes) {
  return QStringLiteral("cmdMove%1%2").arg(minutes < 0 ? "Back" : "On").arg(minutes < 0 ? -minutes : minutes);
}

// "9:15:30, February 22, 2011".
QString momentText(const LocalDateTime& t) {
  return QStringLiteral("%1:%2:%3, %4 %5, %6")
      .arg(t.hour)
      .arg(t.minute, 2, 10, QLatin1Char('0'))
      .arg(t.second, 2, 10, QLatin1Char('0'))
      .arg(QString::fromUtf8(MonthName(t.month).data(), static_cast<qsizetype>(MonthName(t.month).size())))
      .arg(t.day)
      .arg(t.year);
}

// "10 minutes later than typed", "1 hour 5 minutes earlier than typed", "as typed".
QString shiftText(std::int64_t minutes) {
  if (minutes == 0) return QStringLiteral("as typed");
  const std::int64_t size = minutes < 0 ? -minutes : minutes;
  const std::int64_t hours = size / 60, rest = size % 60;
  QStringList parts;
  if (hours) parts << QStringLiteral("%1 hour%2").arg(hours).arg(hours == 1 ? "" : "s");
  if (rest) parts << QStringLiteral("%1 minute%2").arg(rest).arg(rest == 1 ? "" : "s");
  return parts.join(' ') + (minutes < 0 ? QStringLiteral(" earlier than typed") : QStringLiteral(" later than typed"));
}

}  // namespace

BirthTimeMover::BirthTimeMover(QWidget* parent) : QWidget(parent) {
  setObjectName("birthTimeMover");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  for (int minutes : kBirthTimeMoves) {
    auto* button = new QPushButton(buttonCaption(minutes), this);
    button->setObjectName(buttonName(minutes));
    button->setAccessibleName(shiftText(minutes).replace(QStringLiteral(" than typed"), QString()));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, minutes] { moveBy(minutes); });
  }
  m_cmdUseTime = new QPushButton(QStringLiteral("Use this time"), this);
  m_cmdUseTime->setObjectName("cmdUseThisTime");
  m_cmdUseTime->setToolTip(QStringLiteral("Back then returns to the form with this time"));
  m_cmdUseTime->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(m_cmdUseTime, &QPushButton::clicked, this, [this] { emit useTimeRequested(m_shown); });
  row->addWidget(m_cmdUseTime);
  row->addStretch(1);
  column->addLayout(row);
  m_lblShiftedTime = new QLabel(this);
  m_lblShiftedTime->setObjectName("lblShiftedTime");
  m_lblShiftedTime->setTextFormat(Qt::PlainText);
  column->addWidget(m_lblShiftedTime);

  showShift();
}

void BirthTimeMover::takeKeysIn(QWidget* window) {
  const struct {
    QKeySequence keys;
    int minutes;
  } kKeys[] = {{QKeySequence(Qt::CTRL | Qt::Key_Left), -1},
               {QKeySequence(Qt::CTRL | Qt::Key_Right), 1},
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), -10},
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), 10}};
  for (const auto& k : kKeys) {
    auto* shortcut = new QShortcut(k.keys, window);
    shortcut->setContext(Qt::WindowShortcut);
    const int minutes = k.minutes;
    connect(shortcut, &QShortcut::activated, this, [this, minutes] { moveBy(minutes); });
  }
  for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) box->installEventFilter(this);
}

bool BirthTimeMover::eventFilter(QObject* watched, QEvent* event) {
  // Left unaccepted, the override lets the window's shortcut have the key.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) &&
        (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
      return true;
  }
  return QWidget::eventFilter(watched, event);
}

void BirthTimeMover::setTypedForm(const FormInput& form) {
  m_hasForm = true;
  m_typed = form;
  m_shown = form;
  m_shiftMinutes = 0;
  showShift();
}

void BirthTimeMover::moveBy(int minutes) {
  if (!m_hasForm) return;
  const std::int64_t shift = m_shiftMinutes + minutes;
  const std::optional<FormInput> moved = ShiftBirthTime(m_typed, shift);
  if (!moved) return;
  const ChartRequestOutcome outcome = RunChartRequest(*moved);
  const auto* chart = std::get_if<ChartResult>(&outcome);
  if (!chart) return;
  m_shiftMinutes = shift;
  m_shown = *moved;
  showShift();
  emit chartMoved(m_shown, *chart);
}

void BirthTimeMover::showShift() {
  const auto moment = m_hasForm ? FormBirthMoment(m_shown) : std::nullopt;
  m_lblShiftedTime->setText(moment ? QStringLiteral("Birth time %1 (%2)").arg(momentText(*moment), shiftText(m_shiftMinutes))
                                   : QString());
  m_cmdUseTime->setEnabled(m_shiftMinutes != 0);
}

}  // namespace halvora::ui
