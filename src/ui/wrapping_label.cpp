// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wrapping_label.h"

namespace halvora::ui {

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

int WrappingLabel::heightForWidth(int width) const {
  // A different text, font or margin makes every answer kept stale.
  if (text() != m_text || font() != m_font || contentsMargins() != m_margins || margin() != m_margin ||
      indent() != m_indent || wordWrap() != m_wrapped) {
    m_text = text();
    m_font = font();
    m_margins = contentsMargins();
    m_margin = margin();
    m_indent = indent();
    m_wrapped = wordWrap();
    m_answers.fill(Answer{});
  }
  for (const Answer& a : m_answers) {
    if (a.width == width) return a.height;
  }
  const int height = QLabel::heightForWidth(width);
  m_answers[m_next] = {width, height};
  m_next = (m_next + 1) % m_answers.size();
  return height;
}

}  // namespace halvora::ui
