// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/marker_label.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace halvora::ui {

namespace {

// Pixels kept between a marker's text and the cell's border or the sign number.
constexpr double kMarkerMarginPx = 2;

}  // namespace

MarkerLabel::MarkerLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void MarkerLabel::fitInto(const QRect& cell, const QPoint& origin, const QRect& number) {
  const std::vector<QString> lines = captionLines(text());
  std::vector<double> widths;
  widths.reserve(lines.size());
  const QFontMetricsF metrics(font());
  for (const QString& line : lines) widths.push_back(line.trimmed().isEmpty() ? 0.0 : metrics.horizontalAdvance(line));

  chart_view::MarkerFitInput in;
  in.cell = plainBox(QRectF(cell));
  in.origin = chart_view::Point{static_cast<double>(origin.x()), static_cast<double>(origin.y())};
  in.number = plainBox(QRectF(number));
  in.lineHeight = std::ceil(std::max(metrics.height(), metrics.lineSpacing()));
  in.margin = kMarkerMarginPx;
  const chart_view::MarkerLineFit fit = chart_view::fitMarkerLines(in, widths);
  std::vector<QRectF> lineBoxes;
  for (const chart_view::Box& line : fit.lines) lineBoxes.push_back(qtRect(line));
  setLines(qtRect(fit.bounds), lineBoxes);
  m_compressed = fit.compressed;
}

void MarkerLabel::placeLines(const std::vector<QRectF>& lines) {
  QRectF bounds;
  for (const QRectF& line : lines) {
    if (line.width() > 0) bounds = bounds.isNull() ? line : bounds.united(line);
  }
  setLines(bounds, lines);
  m_compressed = false;
}

void MarkerLabel::setLines(const QRectF& bounds, const std::vector<QRectF>& lines) {
  // Whole pixels round the lines; a caption of empty lines keeps its height and one pixel's width.
  const int left = static_cast<int>(std::floor(bounds.left()));
  const int top = static_cast<int>(std::floor(bounds.top()));
  const int right = std::max(left + 1, static_cast<int>(std::ceil(bounds.right())));
  const int bottom = std::max(top + 1, static_cast<int>(std::ceil(bounds.bottom())));
  setGeometry(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
  m_lines.clear();
  for (const QRectF& line : lines) m_lines.push_back(line.translated(-QPointF(geometry().topLeft())));
  update();
}

void MarkerLabel::paintEvent(QPaintEvent*) {
  const std::vector<QString> lines = captionLines(text());
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  for (std::size_t i = 0; i < lines.size() && i < m_lines.size(); ++i) {
    if (m_lines[i].width() <= 0) continue;
    painter.drawText(m_lines[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, lines[i]);
  }
}

}  // namespace halvora::ui
