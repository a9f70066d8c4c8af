// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_pdf.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chart_cli.h"
#include "cli_io.h"
#include "forms/birth_data_file.h"
#include "forms/output_path.h"
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

QtPdfWriter::QtPdfWriter(int outFd) : m_outFd(outFd) {}
QtPdfWriter::~QtPdfWriter() = default;

std::optional<std::string> QtPdfWriter::write(const ChartResult& chart, chart_view::ChartStyle style,
                                              const std::string& path) {
  if (!m_application && !QGuiApplication::instance()) {
    // A command-line tool draws offscreen, display or not, unless told otherwise.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietMessages);
    m_application = std::make_unique<QGuiApplication>(g_argc, g_argv);
  }
  if (path == kPdfToStandardOutput) {
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    const chart_view::ChartLook look{style, false};
    if (const QString problem = print::writeChartPdf(pages, chart, print::defaultPageSize(), look); !problem.isEmpty())
      return "the PDF cannot be made: " + problem.toStdString();
    OutputSink out(m_outFd);
    out.write(std::string_view(pages.data().constData(), static_cast<std::size_t>(pages.data().size())));
    if (!out.flush()) return "cannot write the PDF to standard output: " + std::string(std::strerror(out.error()));
    return std::nullopt;
  }
  // Refused before Qt sees the path, so that the message is the path's own.
  const auto target = forms::writableTarget(path);
  if (const auto* refused = std::get_if<forms::FileError>(&target)) return refused->message();
  const QString problem = print::writeChartPdf(QString::fromStdString(path), chart, print::defaultPageSize(),
                                               chart_view::ChartLook{style, false});
  if (problem.isEmpty()) return std::nullopt;
  return forms::FileError{path, "cannot be written: " + problem.toStdString()}.message();
}

}  // namespace halvora::cli
