// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label of one value that may be longer than its room: too long, it ends in "…" and shows the
// whole text as its tooltip. Screen readers hear its caption and the whole value.

#include <QLabel>

namespace halvora::ui {

class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ValueLabel(const QString& text, QWidget* parent = nullptr);

  // The caption a listener hears before the value ("Date of Birth"); empty: the value alone.
  void setCaption(const QString& caption);
  // Shows a value, elided to the label's width when it does not fit.
  void setValue(const QString& value);

  // Whether the value is drawn shortened.
  bool isElided() const;
  // The text as drawn: the value, or its shortened form ending in "…".
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void refresh();

  QString m_caption;
};

}  // namespace halvora::ui
