// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The marker label of a chart cell: the special points' lines of one sign, drawn where the chart's
// layout fits them, so that a crowded cell keeps "SrL" inside its own border.

#include <QLabel>

#include <vector>

#include "ui/look.h"

namespace halvora::ui {

class MarkerLabel : public QLabel {
  Q_OBJECT
 public:
  explicit MarkerLabel(QWidget* parent = nullptr);

  // Fits the caption's lines into `cell`, beginning at `origin` and clear of `number` (all in
  // the parent's coordinates), and takes the geometry of the lines.
  void fitInto(const QRect& cell, const QPoint& origin, const QRect& number);

  // Draws the caption's lines in the given boxes (in the parent's coordinates, one per line; an
  // empty box for a line not shown) and takes the geometry round them.
  void placeLines(const std::vector<QRectF>& lines);

  // Where each line is drawn, in the label's own coordinates.
  const std::vector<QRectF>& lineBoxes() const { return m_lines; }
  bool compressed() const { return m_compressed; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void setLines(const QRectF& bounds, const std::vector<QRectF>& lines);

  std::vector<QRectF> m_lines;
  bool m_compressed = false;
};

}  // namespace halvora::ui
