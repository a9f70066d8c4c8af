// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down list whose popup is made when it first opens. QComboBox makes its popup (a list view
// in a window of its own, with its items laid out) on the first change of its font, so a form
// that gives its lists their font built every popup before it showed, though most are never
// opened. This list leaves that to the first opening and gives the popup the list's font then.
// QComboBox forgets its measured size only together with making the popup, so this list measures
// itself, as QComboBox does (its items' widths, the font's height, the style's frame).

#include <QComboBox>

namespace halvora::ui {

class DropDownList : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;

  QSize sizeHint() const override;
  void showPopup() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  bool hasPopup() const;
  // True when QComboBox's measure is this list's own (no icons, no placeholder, sized to its
  // contents when first shown), which is the one measured here.
  bool measuresItself() const;

  mutable QSize m_sizeHint;
};

}  // namespace halvora::ui
