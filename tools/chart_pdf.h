#pragma once
// The PDF writer of halvora-chart: the program's printed pages, drawn with Qt's painting under
// the offscreen platform, so that no display is needed.

#include <optional>
#include <string>

#include "chart/chart_request.h"

namespace halvora::cli {

// Writes the chart's two printed pages to `path` (on the paper of the user's locale); nothing
// when it was written, else "PATH: cannot be written: REASON". Starts Qt's painting the first
// time it is called, and only then.
std::optional<std::string> writeChartPdfFile(const ChartResult& chart, const std::string& path);

}  // namespace halvora::cli
