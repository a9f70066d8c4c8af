// SPDX-License-Identifier: GPL-3.0-or-later
// Halvora: the desktop program of the Sree Lagna. Only wiring lives here.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTextStream>

#include "ui/application.h"
#include "ui/look.h"
#include "ui/platform_qt.h"

namespace {

constexpr char kUsage[] =
    "usage: halvora [FILE.halvora]\n"
    "Starts Halvora; with a birth-data file, the entry form opens holding its birth data.\n";

}  // namespace

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(halvora);
  QApplication app(argc, argv);
  // What is left once Qt has taken its own options: at most one birth-data file.
  const QStringList args = QApplication::arguments().mid(1);
  QString birthDataFile;
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    QTextStream(stdout) << kUsage;
    return 0;
  }
  if (args.size() > 1 || (args.size() == 1 && args[0].startsWith('-'))) {
    QTextStream(stderr) << kUsage;
    return 2;
  }
  if (args.size() == 1) birthDataFile = QFileInfo(args[0]).absoluteFilePath();

  QApplication::setOrganizationName("halvora");
  QApplication::setApplicationName("halvora");
  QGuiApplication::setDesktopFileName("io.example.halvora");
  QApplication::setStyle(halvora::ui::createWindowStyle());
  QApplication::setWindowIcon(QIcon(":/halvora/halvora-64.png"));
  // The program ends through the closing screen, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  halvora::ui::registerFontSubstitutes();

  halvora::ui::QtPlatform platform;
  halvora::ui::Application application(platform.platform);
  QObject::connect(&application, &halvora::ui::Application::applicationEnded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  // A second copy only says that Halvora is running; the file is not handed over to the first.
  if (!application.start(birthDataFile)) return 0;
  return app.exec();
}
