// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt window that shows one line of text: the second yardstick of the desktop program
// (scripts/measure-desktop.sh). The bare window draws nothing, so it never reads the fonts; this
// one pays what any window with words in it pays (the font configuration, the font files, text
// shaping) and nothing more.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare Qt window with text");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("Bare Qt window with text"));
  window.resize(640, 480);
  window.show();
  return app.exec();
}
