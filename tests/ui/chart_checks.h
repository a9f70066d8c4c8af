// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What must hold for the chart of the results window in the North and East Indian styles, shared by
// the headless tests and those on the real X11 platform at 100 % and 150 %: every number, body and
// marker inside its own cell, and what a cell has no room for in its tooltip and accessible name.

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>

#include <string>
#include <vector>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"
#include "form_helpers.h"
#include "ui/frm_display.h"
#include "ui/look.h"
#include "ui/marker_label.h"

namespace halvora::ui::testing {

// Where a widget's rectangle lies in the unit square the chart's lines are drawn over.
inline chart_view::Box unitBox(const QRectF& pixels, const QRect& outline) {
  const double width = outline.width() - 1.0;
  const double height = outline.height() - 1.0;
  return {(pixels.left() - outline.left() - 0.5) / width, (pixels.top() - outline.top() - 0.5) / height,
          pixels.width() / width, pixels.height() / height};
}

// Checks every text of the chart shown in a North or East Indian style; returns the sign whose
// cell shows "SrL".
inline int checkStyledCells(FrmDisplay& display, const ChartResult& result, chart_view::ChartStyle style,
                     const std::string& what) {
  const chart_view::ChartFace face = chart_view::chartFace(style, chart_view::ascendantSignIndex(result.AscSignNumber));
  auto* lines = child<QWidget>(&display, "chartLines");
  EXPECT_TRUE(lines->isVisibleTo(&display)) << what;
  EXPECT_FALSE(child<QWidget>(&display, "shpHora_0")->isVisibleTo(&display)) << what;
  const QRect outline = lines->geometry();
  int sreeLagnaSign = -1;
  for (int k = 0; k < 12; ++k) {
    const chart_view::Polygon& cell = face.cells[static_cast<std::size_t>(k)].outline;
    const std::string sign = what + ", sign " + std::to_string(k + 1);
    auto* number = child<QLabel>(&display, QStringLiteral("Hno_%1").arg(k));
    EXPECT_TRUE(chart_view::polygonContains(cell, unitBox(number->geometry(), outline))) << sign << ": number";
    EXPECT_TRUE(number->text().startsWith(QString::number(k + 1))) << sign;
    EXPECT_LE(number->sizeHint().width(), number->width()) << sign << ": number cut";
    EXPECT_LE(number->sizeHint().height(), number->height()) << sign << ": number cut";
    auto* label = child<QLabel>(&display, QString::fromLatin1(kSignLabelNames[static_cast<std::size_t>(k)].data()));
    if (!label->text().isEmpty()) {
      // The lines the label draws, from its top left.
      const QFontMetrics metrics(label->font());
      const QStringList shown = label->text().split(u'\n');
      const QRectF drawn(label->pos(), QSizeF(label->width(), metrics.lineSpacing() * shown.size()));
      EXPECT_TRUE(chart_view::polygonContains(cell, unitBox(drawn, outline))) << sign << ": bodies";
      for (const QString& line : shown) EXPECT_LE(metrics.horizontalAdvance(line), label->width()) << sign;
    }
    auto* marker = child<MarkerLabel>(&display, QStringLiteral("lblArudha_%1").arg(k));
    const std::vector<QString> markerLines = captionLines(marker->text());
    for (std::size_t i = 0; i < markerLines.size() && i < marker->lineBoxes().size(); ++i) {
      const QRectF box = marker->lineBoxes()[i].translated(marker->pos());
      if (markerLines[i].trimmed().isEmpty() || box.width() <= 0) continue;
      EXPECT_TRUE(chart_view::polygonContains(cell, unitBox(box, outline))) << sign << ": " << markerLines[i].toStdString();
      if (markerLines[i].trimmed() == QStringLiteral("SrL")) sreeLagnaSign = k;
    }
    // Every body is named to a listener, and on hover where the cell had no room for it.
    const QString caption = QString::fromStdString(result.signLabels[static_cast<std::size_t>(k)]);
    for (const QString& body : captionLines(caption)) {
      if (body.trimmed().isEmpty()) continue;
      const QString spoken = body.trimmed().startsWith(QStringLiteral("Asc")) ? QStringLiteral("Ascendant")
                                                                              : body.trimmed().section(u' ', 0, 0);
      EXPECT_TRUE(label->accessibleName().contains(spoken)) << sign << ": " << spoken.toStdString();
      if (!label->text().contains(body.trimmed())) {
        EXPECT_TRUE(label->toolTip().contains(body.trimmed())) << sign << ": " << body.toStdString() << " hidden";
      }
    }
  }
  return sreeLagnaSign;
}

}  // namespace halvora::ui::testing
