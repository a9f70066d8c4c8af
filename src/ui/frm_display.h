// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results window: the house significance of the Sree Lagna, the text chart with the person's
// details and the planets' positions, and on the second tab the profile of the Sree Lagna's sign
// with the five prediction texts. It shows what the chart request wrote and computes nothing.

#include <vector>

#include <QWidget>

#include "chart/chart_request.h"
#include "chart_view/chart_styles.h"
#include "ui/platform.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;

namespace halvora::ui {

class MarkerLabel;
class ValueLabel;

// What a screen reader says for a chart cell: "Aquarius, sign 11: Sun, Mercury, Mars; Sree Lagna
// here", from the captions of its sign label and its marker label.
QString chartCellSpokenText(int signIndex, const QString& signCaption, const QString& markerCaption);

class FrmDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit FrmDisplay(Platform& platform, QWidget* parent = nullptr);

  // Writes every caption of a finished request and opens the first tab.
  void showResult(const ChartResult& result);

  // The chart frame visible, the details frame above it (as the frame window loads).
  void arrangeFrames();

  // Draws the chart in another style or with the signs' names, at once and for every later chart.
  void setChartLook(const chart_view::ChartLook& look);
  const chart_view::ChartLook& chartLook() const { return m_look; }

  // A widget that stands under the chart, as wide as the chart, and moves and narrows with it.
  void setUnderChart(QWidget* widget);

  // The size the results take with the chart at its designed size.
  QSize sizeHint() const override { return m_naturalSize; }

  // How much of its designed size the chart is drawn at (1 is the design).
  double chartScale() const { return m_chartScale; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildTop();
  QWidget* buildChartTab();
  QWidget* buildProfileTab();
  void buildChart(QWidget* fraBirthchart);
  // Places the cells' labels as the chart's style draws them.
  void layOutChart();
  void layOutSouth();
  void layOutStyled();
  void fitMarkers();
  void describeCells();
  // A rectangle of the chart's layout (twips from the chart's corner) in the chart frame's pixels,
  // at the chart's scale.
  QRect chartPixels(const chart_view::TwipRect& twips) const;
  // The chart's tab and the profile's tab laid out to their pages' size; each gives the height it
  // needs at least.
  int layOutChartTab(QSize page);
  int layOutProfileTab(QSize page);
  void guardClipboard(QPlainTextEdit* box);
  void layOut();

  Platform& m_platform;
  QLabel* m_lblHoraDesc = nullptr;
  QLabel* m_lblNotice = nullptr;
  QLabel* m_lblSreeLagnaWindow = nullptr;  // the Sree Lagna's birth-time window, under the house text
  QLabel* m_lblAscendantWindow = nullptr;  // the ascendant's, at the foot of the details
  QTabWidget* m_tabs = nullptr;
  QLabel* m_signLabels[12] = {};
  MarkerLabel* m_markers[12] = {};
  QLabel* m_numbers[12] = {};
  // Each sign's whole captions, whatever its labels have room to show.
  QString m_signCaptions[12];
  QString m_markerCaptions[12];
  chart_view::ChartLook m_look;
  int m_ascendantSign = 0;
  QFont m_bodyFont, m_markerFont, m_numberFont;
  QWidget* m_chartLines = nullptr;  // the lines of the North and East Indian charts
  QList<QWidget*> m_southShapes;    // the cell borders and the centre of the South Indian chart
  std::vector<chart_view::TwipRect> m_southShapeTwips;  // where each of them stands in the design
  QWidget* m_outline = nullptr;
  QWidget* m_centreLink = nullptr;
  ValueLabel* m_planets[10] = {};
  QList<QPlainTextEdit*> m_predictionBoxes;
  QWidget* m_underChart = nullptr;
  double m_chartScale = 1.0;
  QSize m_naturalSize;
  int m_designedTabHeight = 0;  // what the chart's tab needs with the chart at its designed size
  bool m_layingOut = false;
};

}  // namespace halvora::ui
