#pragma once
// The last window of a run: the forum, the maker's other programs and the refer-a-friend form.
// Closing it (close box or "E&xit") ends the program.

#include <QWidget>

#include "ui/platform.h"

namespace halvora::ui {

class FrmClosingScreen : public QWidget {
  Q_OBJECT
 public:
  explicit FrmClosingScreen(Platform& platform, QWidget* parent = nullptr);

  // Shows the window above all others without activating it, moving or resizing it.
  void showTopMostWithoutActivation();

 signals:
  // The user closed the screen: the program should end.
  void endApplicationRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Platform& m_platform;
};

}  // namespace halvora::ui
