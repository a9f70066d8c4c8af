// SPDX-License-Identifier: GPL-3.0-or-later
// Halvora: the desktop program of the Sree Lagna. Only wiring lives here.

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/look.h"
#include "ui/platform_qt.h"
#include "ui/start_arguments.h"
#include "ui/window_icon.h"

int main(int argc, char* argv[]) {
  // The arguments are read before Qt asks for a display, so that these answers need none.
  const std::vector<std::string> given(argv + 1, argv + argc);
  const halvora::ui::StartArguments start = halvora::ui::readStartArguments(given);
  using Action = halvora::ui::StartArguments::Action;
  switch (start.action) {
    case Action::Help: return std::fputs(halvora::ui::startUsage().c_str(), stdout) < 0 || std::fflush(stdout) != 0;
    case Action::Version: return std::printf("halvora %s\n", HALVORA_VERSION) < 0 || std::fflush(stdout) != 0;
    case Action::Bad:
      std::fprintf(stderr, "halvora: %s\n%s", start.problem.c_str(), halvora::ui::startUsage().c_str());
      return 2;
    case Action::Start: break;
  }

  Q_INIT_RESOURCE(halvora);
  QApplication app(argc, argv);
  const QString birthDataFile =
      start.file.empty() ? QString() : QFileInfo(QFile::decodeName(start.file.c_str())).absoluteFilePath();

  QApplication::setOrganizationName("halvora");
  QApplication::setApplicationName("halvora");
  QGuiApplication::setDesktopFileName("io.example.halvora");
  QApplication::setStyle(halvora::ui::createWindowStyle());
  QApplication::setWindowIcon(halvora::ui::windowIcon());
  // The program ends through the closing screen, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  halvora::ui::registerFontSubstitutes();

  halvora::ui::QtPlatform platform;
  halvora::ui::Application application(platform.platform);
  QObject::connect(&application, &halvora::ui::Application::applicationEnded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  // A second copy hands its file to the first, or says that Halvora is running, and ends.
  if (!application.start(birthDataFile)) return 0;
  return app.exec();
}
