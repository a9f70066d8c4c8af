#pragma once
// The about box: the program's name, what it computes, the branding offer and a link home.

#include <QDialog>

#include "ui/platform.h"

namespace halvora::ui {

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit FrmAbout(Platform& platform, QWidget* parent = nullptr);

 private:
  Platform& m_platform;
};

}  // namespace halvora::ui
