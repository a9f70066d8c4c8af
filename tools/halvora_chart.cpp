// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-chart: computes a chart from the command line, or one chart per JSON line with --batch.
#include <csignal>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "chart_cli.h"
#ifdef HALVORA_CHART_PDF
#include "chart_pdf.h"
#endif

int main(int argc, char** argv) {
  // A closed pipe is a failed write like any other: reported, with exit status 1.
  std::signal(SIGPIPE, SIG_IGN);
  // A standard descriptor that was closed stays unusable: /dev/null opened the other way round
  // holds its number, so that no file Qt opens takes it (and gets the output), while every read
  // or write there still fails with "Bad file descriptor".
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1) ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
  }
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef HALVORA_CHART_PDF
    halvora::cli::QtPdfWriter qtPdf(STDOUT_FILENO);
    const halvora::cli::PdfWriter pdf = [&qtPdf](const halvora::ChartResult& chart,
                                                 halvora::chart_view::ChartStyle style, const std::string& path) {
      return qtPdf.write(chart, style, path);
    };
#else
    const halvora::cli::PdfWriter pdf;
#endif
    return halvora::cli::RunChartCli(args, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO, pdf);
  } catch (const std::bad_alloc&) {
    static constexpr char kMessage[] = "halvora-chart: out of memory\n";
    [[maybe_unused]] const auto n = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  } catch (const std::exception& e) {
    const std::string message = std::string("halvora-chart: ") + e.what() + "\n";
    [[maybe_unused]] const auto n = ::write(STDERR_FILENO, message.data(), message.size());
  }
  return halvora::cli::kExitFailure;
}
