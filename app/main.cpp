// Halvora: the desktop program of the Sree Lagna. Only wiring lives here.

#include <QApplication>
#include <QIcon>

#include "ui/application.h"
#include "ui/look.h"
#include "ui/platform_qt.h"

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(halvora);
  QApplication app(argc, argv);
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
  if (!application.start()) return 0;
  return app.exec();
}
