// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/chart_painter.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <variant>

#include "chart/birth_time_window.h"
#include "chart/chart_facts.h"
#include "chart_view/captions.h"
#include "chart_view/chart_layout.h"
#include "chart_view/text_chart.h"
#include "forms/output_path.h"

namespace halvora::print {

namespace {

// The results window's captions and names; its caption is the footer's and the PDF's creator.
using chart_view::CaptionedValue;
using chart_view::kPositionNames;
using chart_view::kPredictions;
using chart_view::kProfileGrid;
using chart_view::kWindowCaption;

constexpr double kPointsPerTwip = 1.0 / 20.0;  // 1440 twips and 72 points to the inch
// The chart is drawn at most this much larger than the results window draws it.
constexpr double kMostChartEnlargement = 1.15;
// The smallest share of their natural size the fonts of a crowded page shrink to.
constexpr double kLeastFontScale = 0.6;
// Gap kept between a marker's text and the cell's border or the sign number, in points.
constexpr double kMarkerMarginPt = 1.5;

QString text(std::string_view s) {
  QString t = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString text(const std::string& s) { return text(std::string_view(s)); }

QRectF qt(const chart_view::Box& b) { return {b.left, b.top, b.width, b.height}; }
QPointF qt(const chart_view::Point& p) { return {p.x, p.y}; }
chart_view::Box box(const QRectF& r) { return {r.left(), r.top(), r.width(), r.height()}; }

QString profileValue(const ChartResult& chart, std::string_view control) {
  for (const auto& [name, value] : chart.profile)
    if (name == control) return text(value);
  return {};
}

QFont face(const QStringList& families, QFont::StyleHint hint, double points, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(hint);
  font.setPointSizeF(points);
  font.setBold(bold);
  // Letters stay letters: no "fi" ligature, so a reader of the PDF finds and copies the words.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// The faces of the results window, as Debian has them.
QFont sans(double points, bool bold = false) {
  return face({"Verdana", "DejaVu Sans", "Liberation Sans"}, QFont::SansSerif, points, bold);
}
QFont mono(double points, bool bold = false) {
  return face({"Courier New", "Liberation Mono", "DejaVu Sans Mono"}, QFont::Monospace, points, bold);
}

// One page's drawing: measures when `drawing` is off, so a page can first be sized, then drawn.
class PageWriter {
 public:
  PageWriter(QPainter& painter, const QRectF& area, double pixelsPerPoint, double fontScale, bool drawing)
      : m_painter(painter), m_area(area), m_unit(pixelsPerPoint), m_scale(fontScale), m_drawing(drawing),
        m_y(area.top()) {}

  double pt(double points) const { return points * m_unit; }
  double y() const { return m_y; }
  void skip(double points) { m_y += pt(points) * m_scale; }
  void moveTo(double y) { m_y = y; }
  double scale() const { return m_scale; }
  bool drawing() const { return m_drawing; }
  const QRectF& area() const { return m_area; }
  QPainter& painter() { return m_painter; }

  QFont sansFont(double points, bool bold = false) const { return sans(points * m_scale, bold); }

  // Text wrapped into [left, left + width) from the current line down; returns the height taken.
  double block(const QFont& font, const QString& s, double left, double width, double top, int flags = 0) {
    m_painter.setFont(font);
    const QRectF box(left, top, width, pt(10000));  // tall enough for any paragraph
    const int all = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | flags;
    const QRectF used = m_painter.boundingRect(box, all, s);
    if (m_drawing && !s.isEmpty()) m_painter.drawText(QRectF(left, top, width, used.height()), all, s);
    return s.isEmpty() ? QFontMetricsF(font, m_painter.device()).height() : used.height();
  }

  // A whole-width paragraph at the current line.
  void paragraph(const QFont& font, const QString& s, double gapAfterPt = 0) {
    m_y += block(font, s, m_area.left(), m_area.width(), m_y);
    skip(gapAfterPt);
  }

  // One line cut to the width with "…" where it is too long.
  void line(const QFont& font, const QString& s, double left, double width, double top, Qt::Alignment align = Qt::AlignLeft) {
    if (!m_drawing) return;
    m_painter.setFont(font);
    const QFontMetricsF metrics(font, m_painter.device());
    const QString shown = metrics.elidedText(s, Qt::ElideRight, width);
    m_painter.drawText(QRectF(left, top, width, metrics.height()), int(align | Qt::AlignTop) | Qt::TextSingleLine, shown);
  }

  double lineHeight(const QFont& font) const { return QFontMetricsF(font, m_painter.device()).height(); }

 private:
  QPainter& m_painter;
  QRectF m_area;
  double m_unit;
  double m_scale;
  bool m_drawing;
  double m_y;
};

void footer(QPainter& painter, const QRectF& page, double unit, int number) {
  const QFont font = sans(8);
  painter.setFont(font);
  const double height = QFontMetricsF(font, painter.device()).height();
  const QRectF box(page.left(), page.bottom() - height, page.width(), height);
  painter.setPen(QPen(Qt::black, 0.5 * unit));
  painter.drawLine(QPointF(page.left(), box.top() - 3 * unit), QPointF(page.right(), box.top() - 3 * unit));
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromLatin1(kWindowCaption));
  painter.drawText(box, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                   QStringLiteral("Page %1 of %2").arg(number).arg(kChartPageCount));
}

// The area left above the footer.
QRectF bodyArea(QPainter& painter, const QRectF& page, double unit) {
  const double footerHeight = QFontMetricsF(sans(8), painter.device()).height() + 10 * unit;
  return QRectF(page.left(), page.top(), page.width(), page.height() - footerHeight);
}

// The empty centre of the chart names the sign of the Sree Lagna.
void drawCentre(QPainter& painter, const ChartResult& chart, const QRectF& centre, double fontScale) {
  const QString sign = profileValue(chart, "lblArudhaLagnaPresentInSign");
  if (sign.isEmpty()) return;
  const QFont captionFont = sans(8.25 * fontScale);
  const QFont signFont = sans(14 * fontScale, true);
  const double captionHeight = QFontMetricsF(captionFont, painter.device()).height();
  const double signHeight = QFontMetricsF(signFont, painter.device()).height();
  const double top = centre.center().y() - (captionHeight + signHeight) / 2;
  painter.setFont(captionFont);
  painter.drawText(QRectF(centre.left(), top, centre.width(), captionHeight), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Sree Lagna Present In Sign"));
  painter.setFont(signFont);
  painter.drawText(QRectF(centre.left(), top + captionHeight, centre.width(), signHeight),
                   Qt::AlignHCenter | Qt::AlignTop, sign);
}

// The twelve-sign chart with its top-left corner at `origin`, `unitsPerTwip` device pixels to
// the twip, `fontScale` times the window's type sizes.
void drawChart(QPainter& painter, const ChartResult& chart, bool signNames, QPointF origin, double unitsPerTwip,
               double fontScale, double unit, PaintedChart& painted) {
  using namespace halvora::chart_view;
  const Point at{origin.x(), origin.y()};
  const auto rect = [&](const TwipRect& twips) { return qt(convertTwips(twips, unitsPerTwip, at)); };
  const auto point = [&](const TwipPoint& twips) { return qt(convertTwips(twips, unitsPerTwip, at)); };

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0.6 * unit));
  for (int k = 0; k < 12; ++k) painter.drawRect(rect(chartCellTwips(k).border));
  painter.drawRect(rect(chartCentreTwips()));
  painter.setPen(QPen(Qt::black, 1.2 * unit));
  painter.drawRect(rect(chartOutlineTwips()));
  painter.setPen(QPen(Qt::black));
  painted.outline = rect(chartOutlineTwips());

  const QFont bodyFont = sans(8.25 * fontScale);
  const QFont numberFont = mono(9.75 * fontScale, true);
  const QFont markerFont = sans(9 * fontScale, true);
  const double margin = kMarkerMarginPt * fontScale * unit;
  for (int k = 0; k < 12; ++k) {
    const auto index = static_cast<std::size_t>(k);
    const ChartCellTwips cellTwips = chartCellTwips(k);
    const QRectF cell = rect(cellTwips.border);
    painted.cells[index] = cell;
    painted.cellShapes[index] = QPolygonF(cell);

    // The sign number, as the window's label shows it from its corner.
    const QString number = text(signNumberText(k, signNames));
    const QFontMetricsF numberMetrics(numberFont, painter.device());
    // On paper the number keeps clear of the cell's top border, which the window's label touches,
    // and of its right border, which a number with the sign's name beside it would cross.
    QRectF numberBox(point(cellTwips.number), QSizeF(numberMetrics.horizontalAdvance(number), numberMetrics.height()));
    numberBox.moveTop(std::max(numberBox.top(), cell.top() + margin));
    numberBox.moveLeft(std::min(numberBox.left(), cell.right() - margin - numberBox.width()));
    painted.numbers[index] = numberBox;
    painter.setFont(numberFont);
    painter.drawText(numberBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, number);

    // The bodies, one per line below the caption's empty first line; a crowded sign is set
    // smaller so that every body stays inside the cell.
    std::vector<QString> bodies;
    for (const std::string& line : captionLines(chart.signLabels[index])) bodies.push_back(text(line));
    if (!bodies.empty()) {
      const QRectF label = rect(cellTwips.signLabel);
      QFont font = bodyFont;
      double pitch = QFontMetricsF(font, painter.device()).lineSpacing();
      const double room = cell.bottom() - margin - label.top();
      const double needed = pitch * static_cast<double>(bodies.size());
      if (needed > room) {
        font.setPointSizeF(font.pointSizeF() * room / needed);
        pitch = QFontMetricsF(font, painter.device()).lineSpacing();
      }
      painter.setFont(font);
      const double width = cell.right() - margin - label.left();
      for (std::size_t i = 0; i < bodies.size(); ++i) {
        const QRectF lineBox(label.left(), label.top() + pitch * static_cast<double>(i), width, pitch);
        painter.drawText(lineBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, bodies[i]);
      }
    }

    // The special points' markers, fitted inside the cell as the window fits them.
    std::vector<QString> markers;
    for (const std::string& line : captionLines(chart.markers[index])) markers.push_back(text(line));
    if (markers.empty()) continue;
    const QFontMetricsF markerMetrics(markerFont, painter.device());
    std::vector<double> widths;
    for (const QString& line : markers)
      widths.push_back(line.trimmed().isEmpty() ? 0.0 : markerMetrics.horizontalAdvance(line));
    MarkerFitInput in;
    in.cell = box(cell);
    const QPointF markerOrigin = point(cellTwips.marker);
    in.origin = Point{markerOrigin.x(), markerOrigin.y()};
    in.number = box(numberBox);
    in.lineHeight = std::max(markerMetrics.height(), markerMetrics.lineSpacing());
    in.margin = margin;
    const MarkerLineFit fit = fitMarkerLines(in, widths);
    painter.setFont(markerFont);
    for (std::size_t i = 0; i < markers.size() && i < fit.lines.size(); ++i) {
      if (fit.lines[i].width <= 0) continue;
      painter.drawText(qt(fit.lines[i]), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, markers[i]);
      painted.markerLines[index].emplace_back(markers[i].trimmed(), qt(fit.lines[i]));
    }
  }

  // The centre names the sign of the Sree Lagna.
  drawCentre(painter, chart, rect(chartCentreTwips()), fontScale);
}


// The North or East Indian chart over `frame`: the style's lines, and in each cell the sign's
// number by the cell's inner corner and the bodies and markers in the cell's text box, set smaller
// in a crowded cell and, where even that is not enough, with "…" for the bodies left out.
void drawStyledChart(QPainter& painter, const ChartResult& chart, const chart_view::ChartLook& look, const QRectF& frame,
                     double fontScale, double unit, PaintedChart& painted) {
  using namespace halvora::chart_view;
  const ChartFace face = chartFace(look.style, ascendantSignIndex(chart.AscSignNumber));
  const Box area = box(frame);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 0.6 * unit));
  for (const auto& [a, b] : face.lines) painter.drawLine(qt(toFrame(a, area)), qt(toFrame(b, area)));
  painter.setPen(QPen(Qt::black, 1.2 * unit));
  painter.drawRect(frame);
  painter.setPen(QPen(Qt::black));
  painted.outline = frame;

  const QFont bodyFont = sans(8.25 * fontScale);
  const QFont numberFont = mono(9.75 * fontScale, true);
  const QFont markerFont = sans(9 * fontScale, true);
  const QFontMetricsF bodyMetrics(bodyFont, painter.device());
  const QFontMetricsF markerMetrics(markerFont, painter.device());
  for (const ChartCell& cell : face.cells) {
    const auto index = static_cast<std::size_t>(cell.signIndex);
    QPolygonF shape;
    for (const Point& p : cell.outline) shape << qt(toFrame(p, area));
    painted.cellShapes[index] = shape;
    painted.cells[index] = shape.boundingRect();

    // The number, centred in its box, smaller where the box is too small for it.
    const QString number = text(signNumberText(cell.signIndex, look.signNames));
    const QRectF numberBox = qt(toFrame(cell.number, area));
    QFont font = numberFont;
    const QFontMetricsF numberMetrics(font, painter.device());
    const double shrink = std::min({1.0, numberBox.width() / numberMetrics.horizontalAdvance(number),
                                    numberBox.height() / numberMetrics.height()});
    if (shrink < 1) font.setPointSizeF(font.pointSizeF() * shrink);
    painter.setFont(font);
    const QFontMetricsF shrunk(font, painter.device());
    const QSizeF numberSize(shrunk.horizontalAdvance(number), shrunk.height());
    const QRectF numberRect(numberBox.center() - QPointF(numberSize.width() / 2, numberSize.height() / 2), numberSize);
    painter.drawText(numberRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, number);
    painted.numbers[index] = numberRect;

    CellTextInput in;
    in.box = toFrame(cell.text, area);
    in.lineHeight = std::max(bodyMetrics.lineSpacing(), markerMetrics.height());
    in.leastScale = kLeastFontScale;
    in.moreWidth = bodyMetrics.horizontalAdvance(QString::fromUtf8("\u2026"));
    for (const std::string& body : cellBodies(chart, cell.signIndex))
      in.lines.push_back({body, bodyMetrics.horizontalAdvance(text(body)), false});
    for (const std::string& marker : cellMarkers(chart, cell.signIndex))
      in.lines.push_back({marker, markerMetrics.horizontalAdvance(text(marker)), true});
    const CellTextFit fit = fitCellText(in);
    for (const PlacedLine& line : fit.lines) {
      QFont lineFont = line.marker ? markerFont : bodyFont;
      lineFont.setPointSizeF(lineFont.pointSizeF() * fit.scale);
      painter.setFont(lineFont);
      const QRectF lineBox = qt(line.box);
      const QString shown = QFontMetricsF(lineFont, painter.device()).elidedText(text(line.text), Qt::ElideRight, in.box.width);
      painter.drawText(lineBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
      (line.marker ? painted.markerLines : painted.bodyLines)[index].emplace_back(shown, lineBox);
    }
  }
  if (face.centre) drawCentre(painter, chart, qt(toFrame(*face.centre, area)), fontScale);
}

// Page 1; returns the height it takes (to the bottom of its last line).
double firstPage(PageWriter& page, const ChartResult& chart, const chart_view::ChartLook& look, double unit,
                 PaintedChart& painted) {
  const QRectF& area = page.area();
  const double s = page.scale();
  const Details& d = chart.details;

  page.paragraph(page.sansFont(16, true), text(d.lblName), 6);

  // The details in two columns of captions and values.
  const QFont captionFont = page.sansFont(9, true);
  const QFont valueFont = page.sansFont(9);
  const std::pair<const char*, const std::string*> left[] = {
      {"Date of Birth :", &d.lblDOB}, {"Time of Birth :", &d.lblTOB},
      {"Longitude :", &d.lblLongitude}, {"Latitude :", &d.lblLatitude}};
  const std::pair<const char*, const std::string*> right[] = {
      {"City :", &d.lblCity}, {"State :", &d.lblState}, {"Country :", &d.lblCountry}};
  const double rowHeight = page.lineHeight(valueFont) * 1.15;
  const double captionWidth = page.pt(82) * s;
  const double columnWidth = area.width() / 2;
  for (int column = 0; column < 2; ++column) {
    const double x = area.left() + column * columnWidth;
    double y = page.y();
    const auto* rows = column == 0 ? left : right;
    const int count = column == 0 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      page.line(captionFont, QString::fromLatin1(rows[i].first), x, captionWidth, y);
      page.line(valueFont, text(*rows[i].second), x + captionWidth, columnWidth - captionWidth - page.pt(6), y);
      y += rowHeight;
    }
  }
  page.moveTo(page.y() + 4 * rowHeight);
  const BirthTimeWindows windows = BirthTimeWindowsOf(chart);
  page.paragraph(valueFont, text(WindowLine("Ascendant", windows.ascendant, chart.birthMoment)));
  // Under the details: the zone, the sunrise used, the Sree Lagna and the Moon.
  page.skip(3);
  const ChartFacts facts = FactsOf(chart);
  for (std::string_view line : facts.lines()) page.paragraph(valueFont, text(line));
  page.skip(8);

  page.paragraph(page.sansFont(10, true), QStringLiteral("Significance"), 2);
  page.paragraph(page.sansFont(9), QStringLiteral("Sree Lagna is responsible for prosperity and marital relationships."), 2);
  page.paragraph(page.sansFont(9, true), QStringLiteral("Sree Lagna Present In House Significance"), 1);
  page.paragraph(page.sansFont(9), text(chart.houseText).trimmed(), 4);
  page.paragraph(page.sansFont(9), text(WindowLine("Sree Lagna", windows.sreeLagna, chart.birthMoment)), 4);
  if (chart.notice) page.paragraph(page.sansFont(9, true), text(*chart.notice), 4);
  page.skip(4);

  // The chart, centred, with its frame's caption above it.
  page.paragraph(page.sansFont(10, true), QStringLiteral("Hora"), 2);
  const chart_view::TwipRect outlineTwips = chart_view::chartOutlineTwips();
  const double chartScale = std::min(kMostChartEnlargement, area.width() / (outlineTwips.width * kPointsPerTwip * unit)) * s;
  const double unitsPerTwip = kPointsPerTwip * unit * chartScale;
  const double chartWidth = outlineTwips.width * unitsPerTwip;
  const QPointF origin(area.center().x() - chartWidth / 2 - outlineTwips.left * unitsPerTwip,
                       page.y() - outlineTwips.top * unitsPerTwip);
  if (page.drawing()) {
    if (look.style == chart_view::ChartStyle::South) {
      drawChart(page.painter(), chart, look.signNames, origin, unitsPerTwip, chartScale, unit, painted);
    } else {
      const QRectF frame(origin.x() + outlineTwips.left * unitsPerTwip, page.y(), chartWidth,
                         outlineTwips.height * unitsPerTwip);
      drawStyledChart(page.painter(), chart, look, frame, chartScale, unit, painted);
    }
  }
  page.moveTo(page.y() + outlineTwips.height * unitsPerTwip);
  page.skip(10);

  // The positions, five rows in each of two columns.
  page.paragraph(page.sansFont(10, true), QStringLiteral("Vedic Planetary Position"), 2);
  const QFont nameFont = page.sansFont(9);
  const QFont positionFont = page.sansFont(9, true);
  const double nameWidth = page.pt(100) * s;
  for (int i = 0; i < 10; ++i) {
    const double x = area.left() + (i / 5) * columnWidth;
    const double y = page.y() + (i % 5) * rowHeight;
    page.line(nameFont, QString::fromLatin1(kPositionNames[i]), x, nameWidth, y);
    page.line(positionFont, text(chart.chartPositions[static_cast<std::size_t>(i)]), x + nameWidth,
              columnWidth - nameWidth - page.pt(6), y);
  }
  page.moveTo(page.y() + 5 * rowHeight);
  page.paragraph(page.sansFont(8.5), text(PositionsLine(chart.model)));
  return page.y() - area.top();
}

// Page 2; returns the height it takes.
double secondPage(PageWriter& page, const ChartResult& chart) {
  const QRectF& area = page.area();
  page.paragraph(page.sansFont(16, true), QStringLiteral("Lagna Details"), 2);
  page.paragraph(page.sansFont(9), text(chart.details.lblName), 2);
  page.paragraph(page.sansFont(8.5), text(PositionsLine(chart.model)), 8);

  const double gap = page.pt(10);
  const double columnWidth = (area.width() - 2 * gap) / 3;
  const QFont captionFont = page.sansFont(8.5, true);
  const QFont valueFont = page.sansFont(9.5);
  for (const auto& row : kProfileGrid) {
    double tallest = 0;
    for (int column = 0; column < 3; ++column) {
      const CaptionedValue& cell = row[column];
      if (cell.caption == nullptr) continue;
      const double x = area.left() + column * (columnWidth + gap);
      page.line(captionFont, QString::fromLatin1(cell.caption), x, columnWidth, page.y());
      const double captionHeight = page.lineHeight(captionFont);
      const double valueHeight =
          page.block(valueFont, profileValue(chart, cell.control), x, columnWidth, page.y() + captionHeight);
      tallest = std::max(tallest, captionHeight + valueHeight);
    }
    page.moveTo(page.y() + tallest);
    page.skip(6);
  }
  page.skip(6);

  const QFont headingFont = page.sansFont(10, true);
  const QFont proseFont = page.sansFont(9.5);
  for (const CaptionedValue& prediction : kPredictions) {
    page.paragraph(headingFont, QString::fromLatin1(prediction.caption), 2);
    page.paragraph(proseFont, profileValue(chart, prediction.control), 8);
  }
  return page.y() - area.top();
}

// Draws a page at the largest type scale (at most the natural one) at which it fits its area.
template <typename Draw>
void fitted(QPainter& painter, const QRectF& area, double unit, Draw draw) {
  double scale = 1;
  for (int attempt = 0; attempt < 4; ++attempt) {
    PageWriter measure(painter, area, unit, scale, false);
    const double height = draw(measure);
    if (height <= area.height() || scale <= kLeastFontScale) break;
    scale = std::max(kLeastFontScale, scale * area.height() / height * 0.98);
  }
  PageWriter writer(painter, area, unit, scale, true);
  draw(writer);
}

}  // namespace

PaintedChart paintChartPages(QPainter& painter, QPagedPaintDevice& device, const ChartResult& chart,
                             const chart_view::ChartLook& look) {
  PaintedChart painted;
  const double unit = device.logicalDpiY() / 72.0;  // device pixels per point
  const QRectF page(0, 0, device.width(), device.height());
  const QRectF body = bodyArea(painter, page, unit);

  painter.save();
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::Antialiasing);

  fitted(painter, body, unit, [&](PageWriter& w) { return firstPage(w, chart, look, unit, painted); });
  footer(painter, page, unit, 1);

  if (!device.newPage()) {
    painter.restore();
    return painted;
  }
  fitted(painter, body, unit, [&](PageWriter& w) { return secondPage(w, chart); });
  footer(painter, page, unit, 2);
  painter.restore();
  painted.complete = true;
  return painted;
}

QPageSize defaultPageSize(const QLocale& locale) {
  return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QPageSize defaultPageSize() { return defaultPageSize(QLocale::system()); }

QString writeChartPdf(QIODevice& device, const ChartResult& chart, const QPageSize& pageSize,
                      const chart_view::ChartLook& look) {
  bool complete = false;
  {
    QPdfWriter writer(&device);
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm), QPageLayout::Millimeter);
    writer.setCreator(QString::fromLatin1(kWindowCaption));
    writer.setTitle(QStringLiteral("%1: %2").arg(QString::fromLatin1(kWindowCaption), text(chart.details.lblName)));
    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("the pages cannot be drawn");
    complete = paintChartPages(painter, writer, chart, look).complete;
    painter.end();
  }
  if (!complete) return QStringLiteral("the second page cannot be begun");
  return {};
}

QString writeChartPdf(const QString& path, const ChartResult& chart, const QPageSize& pageSize,
                      const chart_view::ChartLook& look) {
  // A device, a FIFO or a folder at the path is left alone; a link is followed to its file.
  const auto target = forms::writableTarget(QFile::encodeName(path).toStdString());
  if (const auto* refused = std::get_if<forms::FileError>(&target)) return QString::fromStdString(refused->problem);
  QSaveFile file(QFile::decodeName(std::get<std::string>(target).c_str()));
  // Unbuffered, so that every write the disk refuses counts against the file: QSaveFile does not
  // see a failure of the flush in commit(), and would put an empty file in place of the old one.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
  if (const QString problem = writeChartPdf(file, chart, pageSize, look); !problem.isEmpty()) {
    file.cancelWriting();
    return problem;
  }
  if (file.error() != QFileDevice::NoError) {
    const QString problem = file.errorString();
    file.cancelWriting();
    return problem;
  }
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace halvora::print
