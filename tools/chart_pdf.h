// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PDF writer of halvora-chart: the program's printed pages, drawn with Qt's painting under
// the offscreen platform, so that no display is needed.

#include <memory>
#include <optional>
#include <string>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"

class QGuiApplication;

namespace halvora::cli {

// Starts Qt's painting the first time a PDF is written, and only then; ends it when it goes.
class QtPdfWriter {
 public:
  // A PDF for kPdfToStandardOutput goes to `outFd`.
  explicit QtPdfWriter(int outFd);
  ~QtPdfWriter();
  QtPdfWriter(const QtPdfWriter&) = delete;
  QtPdfWriter& operator=(const QtPdfWriter&) = delete;

  // Writes the chart's two printed pages, the chart drawn in `style`, to `path` (on the paper of
  // the user's locale), or to the output for "-"; nothing when it was written, else "PATH: cannot
  // be written: REASON" (or the path's own refusal, "PATH: not a regular file").
  std::optional<std::string> write(const ChartResult& chart, chart_view::ChartStyle style, const std::string& path);

 private:
  int m_outFd;
  std::unique_ptr<QGuiApplication> m_application;
};

}  // namespace halvora::cli
