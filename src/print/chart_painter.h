// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed chart: two pages drawn with a QPainter on any paged device — a printer, the
// printer of a print preview, a PDF writer — as text and lines, black on white. Page 1 holds
// the person's details, the house text, the twelve-sign chart with the bodies, the retrograde
// marks and the special points' markers (drawn in the chart style asked for, from the geometry the
// results window uses), and the positions; page 2 the profile of the Sree Lagna's sign and the five prediction
// texts. Each page ends in a footer with the program's caption and the page number.

#include <QPageSize>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <array>
#include <utility>
#include <vector>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"

class QIODevice;
class QLocale;
class QPagedPaintDevice;
class QPainter;

namespace halvora::print {

inline constexpr int kChartPageCount = 2;

// Where the pages put the chart, in the painter's coordinates (the device's pixels), for checks.
struct PaintedChart {
  bool complete = false;  // both pages drawn (false when the device refused the second page)
  QRectF outline;
  std::array<QRectF, 12> cells;          // by sign index: the box round each sign's cell
  std::array<QPolygonF, 12> cellShapes;  // by sign index: the cell itself (a triangle, a diamond ...)
  std::array<QRectF, 12> numbers;        // where each sign's number was drawn
  // The visible lines of each sign's bodies and markers ("SrL"), and the boxes they were drawn
  // in; the bodies are recorded in the North and East Indian charts.
  std::array<std::vector<std::pair<QString, QRectF>>, 12> bodyLines;
  std::array<std::vector<std::pair<QString, QRectF>>, 12> markerLines;
};

// Draws both pages of a finished chart with `painter`, which is active on `device`; the second
// page is begun with device.newPage(). The page size and margins are the device's.
PaintedChart paintChartPages(QPainter& painter, QPagedPaintDevice& device, const ChartResult& chart,
                             const chart_view::ChartLook& look = {});

// The paper a page is printed on when nobody chose: Letter where the locale measures in US
// units, A4 elsewhere.
QPageSize defaultPageSize(const QLocale& locale);
QPageSize defaultPageSize();  // for the user's own locale

// Margins round the printed area, on every side.
inline constexpr double kPageMarginMm = 15;

// Writes the two pages as a PDF file whose text can be searched and copied. The file is
// replaced only once it is whole; a path that holds no regular file is refused, and a symbolic
// link's file is replaced, keeping the link. Empty on success, else what went wrong (the
// system's words, or "not a regular file").
QString writeChartPdf(const QString& path, const ChartResult& chart, const QPageSize& pageSize,
                      const chart_view::ChartLook& look = {});

// The same PDF written to an open device (standard output, a buffer). Empty on success.
QString writeChartPdf(QIODevice& device, const ChartResult& chart, const QPageSize& pageSize,
                      const chart_view::ChartLook& look = {});

}  // namespace halvora::print
