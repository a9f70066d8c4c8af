// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_pdf.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "forms/birth_data_file.h"
#include "print/chart_painter.h"

namespace halvora::cli {

namespace {

// Standard error carries halvora-chart's own messages; Qt's notes (a missing runtime folder, a
// font it substitutes) are not for the user of a command line. Its errors still are.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "halvora-chart: %s\n", qPrintable(message));
}

int g_argc = 1;
char g_name[] = "halvora-chart";
char* g_argv[] = {g_name, nullptr};

}  // namespace

QtPdfWriter::QtPdfWriter() = default;
QtPdfWriter::~QtPdfWriter() = default;

std::optional<std::string> QtPdfWriter::write(const ChartResult& chart, chart_view::ChartStyle style,
                                              const std::string& path) {
  if (!m_application && !QGuiApplication::instance()) {
    // A command-line tool draws offscreen, display or not, unless told otherwise.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietMessages);
    m_application = std::make_unique<QGuiApplication>(g_argc, g_argv);
  }
  const QString problem = print::writeChartPdf(QString::fromStdString(path), chart, print::defaultPageSize(),
                                               chart_view::ChartLook{style, false});
  if (problem.isEmpty()) return std::nullopt;
  return forms::FileError{path, "cannot be written: " + problem.toStdString()}.message();
}

}  // namespace halvora::cli
