// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label whose height for a width is worked out once for each text, font and width. A wrapped
// label is asked that height again and again while the layouts around it settle (each level of
// nesting asks anew), and each answer lays out the whole text; the entry form's four wrapped lines
// took a hundred layouts to open.

#include <QFont>
#include <QLabel>
#include <QMargins>

#include <array>

namespace halvora::ui {

class WrappingLabel : public QLabel {
  Q_OBJECT
 public:
  explicit WrappingLabel(const QString& text, QWidget* parent = nullptr);

  int heightForWidth(int width) const override;

 private:
  // The widths last asked, for the text, font and margins they were asked with.
  struct Answer {
    int width = -1;
    int height = 0;
  };
  mutable std::array<Answer, 4> m_answers{};
  mutable std::size_t m_next = 0;
  mutable QString m_text;
  mutable QFont m_font;
  mutable QMargins m_margins;
  mutable int m_margin = 0;
  mutable int m_indent = 0;
  mutable bool m_wrapped = false;
};

}  // namespace halvora::ui
