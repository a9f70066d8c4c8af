#include "chart_pdf.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#include "forms/birth_data_file.h"
#include "print/chart_painter.h"

namespace halvora::cli {

namespace {

// The application Qt's fonts and painting need, made once and kept until the program ends.
void ensureGuiApplication() {
  static std::unique_ptr<QGuiApplication> application;
  if (QGuiApplication::instance()) return;
  // A command-line tool draws offscreen, display or not, unless told otherwise.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "halvora-chart";
  static char* argv[] = {name, nullptr};
  application = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::optional<std::string> writeChartPdfFile(const ChartResult& chart, const std::string& path) {
  ensureGuiApplication();
  const QString problem = print::writeChartPdf(QString::fromStdString(path), chart, print::defaultPageSize());
  if (problem.isEmpty()) return std::nullopt;
  return forms::FileError{path, "cannot be written: " + problem.toStdString()}.message();
}

}  // namespace halvora::cli
