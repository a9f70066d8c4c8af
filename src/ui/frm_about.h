// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: the program's name, what it computes, the branding offer and a link home.

#include <QDialog>
#include <QIcon>
#include <QPixmap>

#include "ui/platform.h"

namespace halvora::ui {

// The application's picture (the twelve-sign chart with the Sun), `sizePx` pixels square, from the
// program's resources (":/halvora/halvora-<size>.png").
QPixmap applicationPicture(int sizePx);
// The same picture in every size it is drawn in, for window icons.
QIcon applicationIcon();

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit FrmAbout(Platform& platform, QWidget* parent = nullptr);

 private:
  Platform& m_platform;
};

}  // namespace halvora::ui
