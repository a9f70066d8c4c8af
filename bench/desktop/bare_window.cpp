// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt window: the yardstick for the start-up time and the memory of the desktop program,
// started the same way (scripts/measure-desktop.sh).
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare Qt window");
  window.resize(640, 480);
  window.show();
  return app.exec();
}
