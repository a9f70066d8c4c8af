// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line front end: one chart from flags, or one chart per JSON line of standard input,
// written as JSON or as a readable page.

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"
#include "place_form/place_form.h"

namespace halvora::cli {

// Exit statuses: a chart (or a batch, whatever its lines held) written; bad flags or a form that
// fails its checks; output that could not be written or input that could not be read.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitBadInput = 2;

// Writes the printed pages of a chart, drawn in the given style, to a PDF file, or to standard
// output for the path kPdfToStandardOutput: nothing when it was written, else what went wrong.
// halvora-chart passes one when it is built with Qt's painting.
inline constexpr char kPdfToStandardOutput[] = "-";
using PdfWriter = std::function<std::optional<std::string>(const ChartResult& chart, chart_view::ChartStyle style,
                                                           const std::string& path)>;

// Runs halvora-chart with its arguments (without the program name) on the given descriptors and
// returns the exit status. Every write is checked; a batch stops at the first that fails. Without
// a PDF writer, --pdf and a batch line's "pdf" are refused.
int RunChartCli(std::span<const std::string> args, int inFd, int outFd, int errFd, const PdfWriter& pdf = {});

// Where a chart's place came from when the form named one of the atlas ("place").
using AtlasOrigin = place_form::AtlasFill;

// The readable page: the details (and the atlas place), the positions, the chart drawn in text in
// the given style, the Sree Lagna and the profile.
std::string chartToPage(const ChartResult& chart, const std::optional<AtlasOrigin>& origin = std::nullopt,
                        chart_view::ChartStyle style = chart_view::ChartStyle::South);

std::string usage();

}  // namespace halvora::cli
