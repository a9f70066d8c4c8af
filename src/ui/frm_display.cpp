// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_display.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "chart/birth_time_window.h"
#include "chart/chart_facts.h"
#include "ui/clickable_label.h"
#include "ui/look.h"
#include "ui/marker_label.h"
#include "ui/prediction_box.h"
#include "ui/value_label.h"
#include "ui/web_pages.h"

namespace halvora::ui {

using chart_view::chartCellTwips;
using chart_view::chartCentreLinkTwips;
using chart_view::chartCentreTwips;
using chart_view::chartGridPosition;
using chart_view::chartOutlineTwips;
using chart_view::ChartCellTwips;
using chart_view::ChartStyle;
using chart_view::signTitle;
using chart_view::TwipPoint;
using chart_view::TwipRect;

namespace {

// The smallest share of their natural size the texts of a crowded cell of the North or East
// Indian chart shrink to.
constexpr double kLeastCellFontScale = 0.7;
// How often a number too large for its place is set 8 % smaller, at most.
constexpr int kNumberShrinkSteps = 12;
// Pixels kept between a number and the cell's right border.
constexpr int kNumberGapPx = 2;

QString qtText(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The lines of the North and East Indian charts, drawn over the whole of the widget.
class ChartLines : public QWidget {
 public:
  explicit ChartLines(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }
  void setFace(chart_view::ChartFace face) {
    m_face = std::move(face);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    // Pixel centres, so that the outer square lies on the widget's outermost pixels.
    const chart_view::Box area{0.5, 0.5, width() - 1.0, height() - 1.0};
    for (const auto& [a, b] : m_face.lines) {
      const chart_view::Point from = chart_view::toFrame(a, area);
      const chart_view::Point to = chart_view::toFrame(b, area);
      painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    }
  }

 private:
  chart_view::ChartFace m_face;
};

// The largest whole-pixel rectangle inside a box.
QRect inside(const QRectF& box) {
  const int left = static_cast<int>(std::ceil(box.left()));
  const int top = static_cast<int>(std::ceil(box.top()));
  const int right = static_cast<int>(std::floor(box.right()));
  const int bottom = static_cast<int>(std::floor(box.bottom()));
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// Tab pages begin below the tab strip: what sits at these twips from the tab control's corner
// sits at the page's corner.
constexpr int kPageLeftTwips = 60;
constexpr int kPageTopTwips = 300;
// The chart sits this far below the top of its frame, clear of the frame's caption.
constexpr int kChartDropTwips = 120;
// The rows of the details and the positions sit this far below where their frames' captions end.
constexpr int kRowDropTwips = 90;

QRect pageRect(int left, int top, int width, int height) {
  return twipsRect(left - kPageLeftTwips, top - kPageTopTwips, width, height);
}

template <typename W>
W* named(W* widget, const QString& objectName) {
  widget->setObjectName(objectName);
  return widget;
}

QLabel* labelAt(QWidget* parent, const QString& objectName, const QString& text, int left, int top) {
  auto* label = named(new QLabel(text, parent), objectName);
  label->setTextFormat(Qt::PlainText);
  label->move(tw(left), tw(top));
  label->adjustSize();
  return label;
}

ValueLabel* valueAt(QWidget* parent, const QString& objectName, const QString& caption, int left, int top, int width,
                    int height) {
  auto* label = named(new ValueLabel(objectName, parent), objectName);
  label->setGeometry(twipsRect(left, top, width, height));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setCaption(caption);
  return label;
}

QLabel* labelAt(QWidget* parent, const QString& objectName, const QString& text, int left, int top, int width,
                int height) {
  auto* label = named(new QLabel(text, parent), objectName);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(twipsRect(left, top, width, height));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QFrame* shapeAt(QWidget* parent, const QString& objectName, int left, int top, int width, int height) {
  auto* shape = named(new QFrame(parent), objectName);
  shape->setFrameStyle(QFrame::Box | QFrame::Plain);
  shape->setLineWidth(1);
  shape->setGeometry(twipsRect(left, top, width, height));
  shape->setAttribute(Qt::WA_TransparentForMouseEvents);
  return shape;
}

void setColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

// The position list's name labels are named by the element of PlanetName each shows.
constexpr int kPositionNameIndex[10] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 16};

// The profile grid by row and column: where its captions stand and the names of the caption
// labels (the texts and the value controls are kProfileGrid's).
constexpr int kProfileColumnLeft[3] = {120, 3960, 8280};
constexpr int kProfileColumnWidth[3] = {3735, 4215, 3615};
constexpr int kProfileRowTop[8] = {240, 840, 1440, 2040, 2640, 3240, 3840, 4440};
constexpr const char* kProfileCaptionNames[8][3] = {
    {"dsd_0", nullptr, "Label8_0"},         {"Label8_1", "Label8_2", "Label8_3"},
    {"Label8_4", "Label8_5", "Label8_6"},    {"Label8_7", "Label8_8", "Label8_9"},
    {"Label8_10", "Label8_11", "Label8_12"}, {"Label8_13", "Label8_14", "Label8_15"},
    {"Label8_16", "Label8_17", "Label8_18"}, {"Label8_19", "Label8_20", "Label8_21"},
};

// The prediction boxes in kPredictions' order: the name of each caption label and where the box stands.
struct PredictionPlace {
  const char* captionName;
  int left, top, width;
};
constexpr int kPredictionHeight = 735;
constexpr PredictionPlace kPredictionBoxes[5] = {
    {"Label8_22", 120, 5280, 3735},  {"Label8_23", 3960, 5280, 4215}, {"Label8_24", 8280, 5280, 3615},
    {"Label8_25", 120, 6360, 6015},  {"Label8_26", 6240, 6360, 5655},
};
constexpr int kPredictionCaptionDropTwips = 240;  // caption row sits this far above its boxes

// The least and the most of its designed size the chart is drawn at.
constexpr double kLeastChartScale = 0.7;
constexpr double kMostChartScale = 2.0;
// The chart keeps its designed size until it can grow by at least this share of it.
constexpr double kLeastGrowth = 0.03;
// Space kept round the frames of a tab page, and between the chart and the column beside it.
constexpr int kPageEdgeTwips = 60;
constexpr int kColumnGapTwips = 105;
// The least width of a column of the profile's grid when it is set in six columns.
constexpr int kLeastProfileColumnPx = 190;

// Space kept under the last line of the details' frame.
constexpr int kDetailsBottomMarginTwips = 90;

// Writes the facts (the zone, the sunrise used, the Sree Lagna and the Moon) into their block under
// the details; layOut places it.
void showFacts(QWidget* chartTab, const ChartFacts& facts) {
  auto* block = chartTab->findChild<QLabel*>(QStringLiteral("lblFacts"));
  if (block == nullptr) return;
  QStringList lines;
  for (std::string_view line : facts.lines()) lines << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
  block->setText(lines.join(u'\n'));
}

constexpr char kForumLine[] = "Discuss your chart on our web forum:";
constexpr char kVisitLine[] = "Visit our web site for more free astrology readings. Click here.";

// A caption without the colon and blanks that line it up ("Latitude   :" is "Latitude").
QString bareCaption(const QString& caption) {
  QString bare = caption;
  if (bare.endsWith(u':')) bare.chop(1);
  return bare.trimmed();
}

// A body as a listener hears it: "Asc" is the ascendant, " (R) " says retrograde.
QString spokenBody(QString body) {
  body = body.trimmed();
  const bool retrograde = body.endsWith(QStringLiteral("(R)"));
  if (retrograde) body = body.chopped(3).trimmed();
  if (body == QStringLiteral("Asc")) body = QStringLiteral("Ascendant");
  return retrograde ? body + QStringLiteral(" retrograde") : body;
}

}  // namespace

QString chartCellSpokenText(int signIndex, const QString& signCaption, const QString& markerCaption) {
  QStringList bodies;
  for (const QString& line : captionLines(signCaption)) {
    if (!line.trimmed().isEmpty()) bodies << spokenBody(line);
  }
  QString text = QStringLiteral("%1, sign %2: ").arg(qtText(signTitle(signIndex))).arg(signIndex + 1);
  text += bodies.isEmpty() ? QStringLiteral("no planets") : bodies.join(QStringLiteral(", "));
  for (const QString& line : captionLines(markerCaption)) {
    if (line.trimmed() == QStringLiteral("SrL")) text += QStringLiteral("; Sree Lagna here");
  }
  return text;
}

FrmDisplay::FrmDisplay(Platform& platform, QWidget* parent) : QWidget(parent), m_platform(platform) {
  setObjectName("frmDisplay");
  buildTop();
  m_tabs = named(new QTabWidget(this), "SSTab1");
  m_tabs->addTab(buildChartTab(), "Sree Lagna - Chart");
  m_tabs->addTab(buildProfileTab(), "Lagna Details");
  // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs from anywhere in the window, Back and Exit included.
  const auto turn = [this](int step) {
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + m_tabs->count()) % m_tabs->count());
  };
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this, [turn] { turn(1); });
  for (const QKeyCombination back : {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab})
    new QShortcut(QKeySequence(back), this, [turn] { turn(-1); });
  applyWindowLook(this);

  // Faces and colours of their own, after the window's look.
  m_markerFont = verdana(9, true);
  m_numberFont = courierNew(9.75, true);
  m_bodyFont = m_signLabels[0]->font();
  for (QLabel* marker : m_markers) {
    marker->setFont(m_markerFont);
    setColour(marker, kLightGreen);
  }
  for (QLabel* number : m_numbers) {
    number->setFont(m_numberFont);
    number->adjustSize();
  }
  for (int k = 0; k < 12; ++k) {
    m_signCaptions[k] = m_signLabels[k]->text();
    m_markerCaptions[k] = m_markers[k]->text();
  }
  for (const char* heading : {"dsd_1", "lblName"}) {
    if (auto* label = findChild<QLabel*>(heading)) label->setFont(verdana(8.25, true));
  }
  if (auto* significance = findChild<QLabel*>("dsd_1")) significance->adjustSize();
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 3; ++column) {
      const char* captionName = kProfileCaptionNames[row][column];
      if (captionName == nullptr) continue;
      if (auto* caption = findChild<QLabel*>(captionName)) caption->setFont(verdana(8.25, true));
      if (auto* value = findChild<QLabel*>(kProfileGrid[row][column].control)) setColour(value, Qt::white);
    }
  }
  for (const PredictionPlace& box : kPredictionBoxes) {
    if (auto* caption = findChild<QLabel*>(box.captionName)) caption->setFont(verdana(8.25, true));
  }
  setColour(m_lblNotice, kNoticeYellow);
  m_lblNotice->setFont(verdana(8.25, true));
  layOutChart();
  layOut();
  resize(m_naturalSize);
  layOut();
}

void FrmDisplay::buildTop() {
  labelAt(this, "dsd_1", "Significance", 240, 120);
  labelAt(this, "Label10", "Sree Lagna is responsible for prosperity and marital relationships.", 240, 360);
  labelAt(this, "Label11", "Sree Lagna Present In House Significance", 240, 600);
  m_lblHoraDesc = labelAt(this, "lblHoraDesc", QString(), 240, 840, 12255, 375);
  m_lblHoraDesc->setWordWrap(true);
  m_lblHoraDesc->setAccessibleName(QStringLiteral("Sree Lagna Present In House Significance"));
  m_lblSreeLagnaWindow = labelAt(this, "lblSreeLagnaWindow", QString(), 240, 1215, 12255, 255);
  m_lblSreeLagnaWindow->setWordWrap(true);
  m_lblSreeLagnaWindow->setAccessibleName(QStringLiteral("Sree Lagna's birth-time window"));
  m_lblNotice = labelAt(this, "lblNotice", QString(), 240, 1215, 12255, 255);
  m_lblNotice->setWordWrap(true);
  m_lblNotice->hide();

  // The forum line and its address, right-aligned above the tab control's right edge.
  constexpr int kRightEdge = 240 + 12255;
  auto* label5 = labelAt(this, "Label5", kForumLine, 8655, 0, kRightEdge - 8655, 240);
  label5->setAlignment(Qt::AlignRight | Qt::AlignTop);
  auto* label6 = named(new ClickableLabel(homePageUrl().host(), this), "Label6");
  label6->setGeometry(twipsRect(9225, 240, kRightEdge - 9225, 240));
  label6->setAlignment(Qt::AlignRight | Qt::AlignTop);
  label6->setAccessibleName(QStringLiteral("%1 %2").arg(QString::fromLatin1(kForumLine), label6->text()));
  QFont underlined = label6->font();
  underlined.setUnderline(true);
  label6->setFont(underlined);
  connect(label6, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });
}

QWidget* FrmDisplay::buildChartTab() {
  auto* page = new QWidget;
  page->setObjectName("SSTab1_0");

  auto* frame1 = named(new QGroupBox(page), "Frame1");
  frame1->setGeometry(pageRect(120, 360, 8415, 7215));
  auto* fraBirthchart = named(new QGroupBox("Hora", frame1), "fraBirthchart");
  fraBirthchart->setGeometry(twipsRect(60, 60, 8100, 6900 + kChartDropTwips));
  buildChart(fraBirthchart);

  auto* fraDetails = named(new QGroupBox("Your Details", page), "fraDetails");
  fraDetails->setGeometry(pageRect(8640, 360, 3490, 2775));
  valueAt(fraDetails, "lblName", QStringLiteral("Name"), 120, 240 + kRowDropTwips, 3490 - 240, 255);
  struct DetailRow {
    const char* captionName;
    const char* caption;
    const char* value;
    int top;
  };
  constexpr DetailRow kDetailRows[] = {
      {"Label1", "Date of Birth :", "lblDOB", 600},   {"Label14", "Time of Birth :", "lblTOB", 900},
      {"Label2", "Longitude :", "lblLongitude", 1200}, {"Label9", "Latitude   :", "lblLatitude", 1500},
      {"Label3", "City :", "lblCity", 1800},          {"Label12", "State :", "lblState", 2100},
      {"Label4", "Country :", "lblCountry", 2400},
  };
  for (const DetailRow& row : kDetailRows) {
    QLabel* caption = labelAt(fraDetails, row.captionName, row.caption, 120, row.top + kRowDropTwips);
    QLabel* value = valueAt(fraDetails, row.value, bareCaption(row.caption), 1440, row.top + kRowDropTwips,
                            3490 - 1440 - 60, 255);
    caption->setBuddy(value);
  }
  // The zone, the sunrise used, the Sree Lagna and the Moon, filled by showResult.
  labelAt(fraDetails, "lblFacts", QString(), 120, 2700 + kRowDropTwips, 3490 - 240, 0)->setWordWrap(true);

  m_lblAscendantWindow = labelAt(fraDetails, "lblAscendantWindow", QString(), 120, 2700 + kRowDropTwips, 3490 - 180, 255);
  m_lblAscendantWindow->setWordWrap(true);
  m_lblAscendantWindow->setAccessibleName(QStringLiteral("Ascendant's birth-time window"));

  auto* fraWestern = named(new QGroupBox("Vedic Planetary Position", page), "fraWestern");
  fraWestern->setGeometry(pageRect(8640, 3240, 3495, 4335));
  for (int i = 0; i < 10; ++i) {
    const int top = 360 + 390 * i + kRowDropTwips;
    const char* positionName = kPositionNames[i];
    QLabel* name = labelAt(fraWestern, QStringLiteral("PlanetName_%1").arg(kPositionNameIndex[i]), positionName, 120,
                           top, 1785, 255);
    m_planets[i] = valueAt(fraWestern, QStringLiteral("planet_%1").arg(i), QString::fromLatin1(positionName), 1920,
                           top, 1455, 255);
    m_planets[i]->setValue(QStringLiteral("planet(%1)").arg(i));
    name->setBuddy(m_planets[i]);
  }
  // Which model computed the positions, under them.
  labelAt(page, "lblModel", QString(), 8640 - kPageLeftTwips, 7620 - kPageTopTwips, 3495, 450)->setWordWrap(true);
  return page;
}

QRect FrmDisplay::chartPixels(const TwipRect& twips) const {
  // Whole pixels rounded down, as twipsRect does at the designed size; the drop under the frame's
  // caption keeps its size.
  const double perTwip = m_chartScale / kTwipsPerPixel;
  const auto px = [perTwip](int value) { return static_cast<int>(std::floor(value * perTwip)); };
  return {px(twips.left), tw(kChartDropTwips) + px(twips.top), px(twips.width), px(twips.height)};
}

void FrmDisplay::buildChart(QWidget* fraBirthchart) {
  // Borders first, so that the texts lie above them.
  m_outline = shapeAt(fraBirthchart, "Shape2", 0, 0, 0, 0);
  m_outline->setGeometry(chartPixels(chartOutlineTwips()));
  m_chartLines = new ChartLines(fraBirthchart);
  m_chartLines->setObjectName("chartLines");
  m_chartLines->setGeometry(m_outline->geometry());
  m_chartLines->hide();
  // The borders are numbered as the cells are read, row by row from the top left.
  int order = 0;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      for (int k = 0; k < 12; ++k) {
        if (chartGridPosition(k) != TwipPoint{column, row}) continue;
        auto* border = shapeAt(fraBirthchart, QStringLiteral("shpHora_%1").arg(order++), 0, 0, 0, 0);
        border->setGeometry(chartPixels(chartCellTwips(k).border));
        m_southShapes << border;
        m_southShapeTwips.push_back(chartCellTwips(k).border);
      }
    }
  }
  m_southShapes << shapeAt(fraBirthchart, "Shape1", 0, 0, 0, 0);
  m_southShapes.back()->setGeometry(chartPixels(chartCentreTwips()));
  m_southShapeTwips.push_back(chartCentreTwips());

  for (int k = 0; k < 12; ++k) {
    const ChartCellTwips cell = chartCellTwips(k);
    const QString signName = QString::fromUtf8(kSignLabelNames[static_cast<std::size_t>(k)].data(),
                                               static_cast<qsizetype>(kSignLabelNames[static_cast<std::size_t>(k)].size()));
    m_signLabels[k] = labelAt(fraBirthchart, signName, signName, 0, 0);
    m_signLabels[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_signLabels[k]->setGeometry(chartPixels(cell.signLabel));

    m_markers[k] = named(new MarkerLabel(fraBirthchart), QStringLiteral("lblArudha_%1").arg(k));
    m_markers[k]->setText(QStringLiteral("A12"));

    m_numbers[k] = labelAt(fraBirthchart, QStringLiteral("Hno_%1").arg(k), QString::number(k + 1), 0, 0);
    m_numbers[k]->move(chartPixels(TwipRect{cell.number.x, cell.number.y, 0, 0}).topLeft());
    m_numbers[k]->setAccessibleName(QStringLiteral("%1, sign %2").arg(qtText(signTitle(k))).arg(k + 1));
  }

  auto* label7 = named(new ClickableLabel(kVisitLine, fraBirthchart), "Label7");
  m_centreLink = label7;
  label7->setWordWrap(true);
  label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label7->setGeometry(chartPixels(chartCentreLinkTwips()));
  connect(label7, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });
}

// Every marker label's lines inside its own cell, clear of the border and the sign number.
void FrmDisplay::fitMarkers() {
  for (int k = 0; k < 12; ++k) {
    const ChartCellTwips cell = chartCellTwips(k);
    m_markers[k]->fitInto(chartPixels(cell.border), chartPixels(TwipRect{cell.marker.x, cell.marker.y, 0, 0}).topLeft(),
                          m_numbers[k]->geometry());
  }
}

// What a screen reader says for each cell: the sign, its bodies and the Sree Lagna, whatever the
// cell has room to show.
void FrmDisplay::describeCells() {
  for (int k = 0; k < 12; ++k) {
    const QString spoken = chartCellSpokenText(k, m_signCaptions[k], m_markerCaptions[k]);
    m_signLabels[k]->setAccessibleName(spoken);
    const bool sreeLagna = spoken.endsWith(QStringLiteral("; Sree Lagna here"));
    m_markers[k]->setAccessibleName(sreeLagna ? QStringLiteral("Sree Lagna in %1").arg(qtText(signTitle(k)))
                                              : QStringLiteral(" "));
  }
}

void FrmDisplay::setChartLook(const chart_view::ChartLook& look) {
  m_look = look;
  layOutChart();
}

void FrmDisplay::layOutChart() {
  const bool south = m_look.style == ChartStyle::South;
  for (QWidget* shape : m_southShapes) shape->setVisible(south);
  m_outline->setVisible(south);
  m_chartLines->setVisible(!south);
  if (south) layOutSouth();
  else layOutStyled();
  describeCells();
}

// The South Indian chart: every label where the chart was designed, the markers fitted into their
// cells.
void FrmDisplay::layOutSouth() {
  m_outline->setGeometry(chartPixels(chartOutlineTwips()));
  for (qsizetype i = 0; i < m_southShapes.size(); ++i) m_southShapes[i]->setGeometry(chartPixels(m_southShapeTwips[i]));
  for (int k = 0; k < 12; ++k) {
    const ChartCellTwips cell = chartCellTwips(k);
    m_signLabels[k]->setFont(m_bodyFont);
    m_signLabels[k]->setGeometry(chartPixels(cell.signLabel));
    m_signLabels[k]->setText(m_signCaptions[k]);
    m_signLabels[k]->setToolTip(QString());
    m_markers[k]->setFont(m_markerFont);
    m_markers[k]->setText(m_markerCaptions[k]);
    m_markers[k]->setToolTip(QString());
    m_numbers[k]->setFont(m_numberFont);
    m_numbers[k]->setText(qtText(chart_view::signNumberText(k, m_look.signNames)));
    m_numbers[k]->adjustSize();
    // From its designed corner, but never across the cell's right border.
    const QRect border = chartPixels(cell.border);
    QPoint at = chartPixels(TwipRect{cell.number.x, cell.number.y, 0, 0}).topLeft();
    at.setX(std::min(at.x(), border.right() - kNumberGapPx - m_numbers[k]->width()));
    m_numbers[k]->move(at);
  }
  m_centreLink->setGeometry(chartPixels(chartCentreLinkTwips()));
  m_centreLink->show();
  fitMarkers();
}

// The North or East Indian chart: the style's lines, and in each cell the number by the inner
// corner and as many bodies and markers as its text box holds (smaller type first, then "…" for
// the bodies left out, which the cell's tooltip and its accessible name still give).
void FrmDisplay::layOutStyled() {
  const chart_view::ChartFace face = chart_view::chartFace(m_look.style, m_ascendantSign);
  static_cast<ChartLines*>(m_chartLines)->setFace(face);
  const QRect outline = chartPixels(chartOutlineTwips());
  m_chartLines->setGeometry(outline);
  const chart_view::Box area{outline.left() + 0.5, outline.top() + 0.5, outline.width() - 1.0, outline.height() - 1.0};
  const QFontMetricsF bodyMetrics(m_bodyFont);
  const QFontMetricsF markerMetrics(m_markerFont);
  for (const chart_view::ChartCell& cell : face.cells) {
    const int k = cell.signIndex;

    // The number, centred in its box, smaller where the box is too small for it.
    const QRectF numberBox = qtRect(chart_view::toFrame(cell.number, area));
    const QString number = qtText(chart_view::signNumberText(k, m_look.signNames));
    const QRect room = inside(numberBox);
    QFont numberFont = m_numberFont;
    m_numbers[k]->setText(number);
    m_numbers[k]->setFont(numberFont);
    // The label's own size, margins and whole pixels included, decides.
    for (int step = 0; step < kNumberShrinkSteps; ++step) {
      const QSize wanted = m_numbers[k]->sizeHint();
      if (wanted.width() <= room.width() && wanted.height() <= room.height()) break;
      numberFont.setPointSizeF(numberFont.pointSizeF() * 0.92);
      m_numbers[k]->setFont(numberFont);
    }
    QRect numberRect(QPoint(), m_numbers[k]->sizeHint().boundedTo(room.size()));
    numberRect.moveCenter(room.center());
    m_numbers[k]->setGeometry(numberRect);

    // The bodies and the markers, as many as fit.
    chart_view::CellTextInput in;
    in.box = plainBox(QRectF(inside(qtRect(chart_view::toFrame(cell.text, area)))));
    in.lineHeight = std::ceil(std::max(bodyMetrics.lineSpacing(), markerMetrics.height()));
    in.leastScale = kLeastCellFontScale;
    in.moreWidth = bodyMetrics.horizontalAdvance(QString::fromUtf8("\u2026"));
    QStringList everything;
    for (const QString& line : captionLines(m_signCaptions[k])) {
      if (line.trimmed().isEmpty()) continue;
      in.lines.push_back({line.trimmed().toStdString(), bodyMetrics.horizontalAdvance(line.trimmed()), false});
      everything << line.trimmed();
    }
    const std::vector<QString> markerLines = captionLines(m_markerCaptions[k]);
    for (const QString& line : markerLines) {
      if (line.trimmed().isEmpty()) continue;
      in.lines.push_back({line.trimmed().toStdString(), markerMetrics.horizontalAdvance(line.trimmed()), true});
      everything << line.trimmed();
    }
    const chart_view::CellTextFit fit = chart_view::fitCellText(in);

    QFont bodyFont = m_bodyFont;
    bodyFont.setPointSizeF(bodyFont.pointSizeF() * fit.scale);
    QFont markerFont = m_markerFont;
    markerFont.setPointSizeF(markerFont.pointSizeF() * fit.scale);
    const QFontMetricsF shownBodies(bodyFont);
    QStringList bodies;
    std::vector<QRectF> markerBoxes;
    bool cut = fit.clipped;
    for (const chart_view::PlacedLine& line : fit.lines) {
      if (line.marker) {
        markerBoxes.push_back(qtRect(line.box));
        continue;
      }
      const QString text = qtText(line.text);
      const QString shown = shownBodies.elidedText(text, Qt::ElideRight, in.box.width);
      cut = cut || shown != text;
      bodies << shown;
    }
    m_signLabels[k]->setFont(bodyFont);
    m_signLabels[k]->setText(bodies.join(u'\n'));
    m_signLabels[k]->setGeometry(inside(qtRect(in.box)));
    m_signLabels[k]->setToolTip(cut ? everything.join(u'\n') : QString());

    // Each visible marker line in the box the fitting gave it; the empty lines take no room.
    std::vector<QRectF> boxes;
    std::size_t next = 0;
    for (const QString& line : markerLines) {
      const bool visible = !line.trimmed().isEmpty() && next < markerBoxes.size();
      boxes.push_back(visible ? markerBoxes[next++] : QRectF());
    }
    m_markers[k]->setFont(markerFont);
    m_markers[k]->setText(m_markerCaptions[k]);
    m_markers[k]->placeLines(boxes);
    m_markers[k]->setToolTip(cut ? everything.join(u'\n') : QString());
  }
  // The East Indian chart keeps its empty centre for the link; the North Indian has none.
  if (face.centre) {
    m_centreLink->setGeometry(inside(qtRect(chart_view::toFrame(*face.centre, area))).adjusted(4, 4, -4, -4));
    m_centreLink->show();
  } else {
    m_centreLink->hide();
  }
}

QWidget* FrmDisplay::buildProfileTab() {
  auto* page = new QWidget;
  page->setObjectName("SSTab1_1");
  auto* frame4 = named(new QGroupBox(page), "Frame4");
  frame4->setGeometry(pageRect(120, 360, 12015, 7215));

  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 3; ++column) {
      const char* captionName = kProfileCaptionNames[row][column];
      if (captionName == nullptr) continue;
      const CaptionedValue& cell = kProfileGrid[row][column];
      const int left = kProfileColumnLeft[column];
      const int width = kProfileColumnWidth[column];
      QLabel* caption = labelAt(frame4, captionName, cell.caption, left, kProfileRowTop[row], width, 255);
      QLabel* value = valueAt(frame4, cell.control, QString::fromLatin1(cell.caption), left,
                              kProfileRowTop[row] + 240, width, 255);
      caption->setBuddy(value);
    }
  }
  for (int i = 0; i < 5; ++i) {
    const PredictionPlace& place = kPredictionBoxes[i];
    const CaptionedValue& prediction = kPredictions[i];
    QLabel* caption = labelAt(frame4, place.captionName, prediction.caption, place.left,
                              place.top - kPredictionCaptionDropTwips, place.width, 240);
    auto* box = named(new PredictionBox(frame4), prediction.control);
    box->setGeometry(twipsRect(place.left, place.top, place.width, kPredictionHeight));
    box->setPlainText(prediction.control);
    box->setAccessibleName(QString::fromLatin1(prediction.caption));
    caption->setBuddy(box);
    guardClipboard(box);
    m_predictionBoxes << box;
  }
  return page;
}

// The prediction texts are not to be copied: the boxes let nothing be selected, and any change,
// click or mouse movement in a box empties the clipboard and the selection.
void FrmDisplay::guardClipboard(QPlainTextEdit* box) {
  connect(box, &QPlainTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });
  box->viewport()->setMouseTracking(true);
  box->viewport()->installEventFilter(this);
}

bool FrmDisplay::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      m_platform.clipboard.clear();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void FrmDisplay::setUnderChart(QWidget* widget) {
  m_underChart = widget;
  layOut();
}

void FrmDisplay::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOut();
}

// The chart's tab: the chart as large as the page lets it be, the details and the positions beside
// it, over each other or, where the page is wide and low, side by side.
int FrmDisplay::layOutChartTab(QSize page) {
  QWidget* tab = m_tabs->widget(0);
  auto* chartFrame = tab->findChild<QWidget*>(QStringLiteral("Frame1"), Qt::FindDirectChildrenOnly);
  auto* chartBox = chartFrame->findChild<QWidget*>(QStringLiteral("fraBirthchart"), Qt::FindDirectChildrenOnly);
  auto* details = tab->findChild<QWidget*>(QStringLiteral("fraDetails"), Qt::FindDirectChildrenOnly);
  auto* positions = tab->findChild<QWidget*>(QStringLiteral("fraWestern"), Qt::FindDirectChildrenOnly);
  auto* model = tab->findChild<QWidget*>(QStringLiteral("lblModel"), Qt::FindDirectChildrenOnly);

  const int edge = tw(kPageEdgeTwips);
  const int gap = tw(kColumnGapTwips);
  const int columnWidth = positions->width();
  const int underChart = m_underChart ? m_underChart->sizeHint().height() + tw(60) : 0;
  const int detailsHeight = details->height();
  const int listsHeight = positions->height() + tw(45) + model->height();
  // The designed chart frame, and what of it does not grow with the chart (the frames' margins and
  // the drop under the caption).
  const int fixedWidth = tw(8415 - 8100);
  const int fixedHeight = tw(7215 - 6900);
  const double designWidth = tw(8100);
  const double designHeight = tw(6900);

  struct Plan {
    bool sideBySide;
    double scale;
    int least;        // the least height the page needs for it
    bool wideEnough;  // the page's width holds the chart at its least beside the column
  };
  const auto plan = [&](bool sideBySide) {
    const int column = sideBySide ? 2 * columnWidth + gap : columnWidth;
    const int columnHeight = sideBySide ? std::max(detailsHeight, listsHeight) : detailsHeight + tw(105) + listsHeight;
    const double byWidth = (page.width() - 2 * edge - gap - column - fixedWidth) / designWidth;
    const double byHeight = (page.height() - 2 * edge - underChart - fixedHeight) / designHeight;
    // In whole hundredths, and the design as it is until the chart can grow by a step worth taking.
    double scale = std::floor(std::min(byWidth, byHeight) * 100 + 1e-6) / 100;
    if (scale >= 1 && scale < 1 + kLeastGrowth) scale = 1;
    scale = std::clamp(scale, kLeastChartScale, kMostChartScale);
    const int leastChartHeight = fixedHeight + static_cast<int>(designHeight * kLeastChartScale) + underChart;
    // The control under the chart goes under the column as well where the chart is too narrow for it
    // (judged by the width alone, so that the least height does not turn on the height).
    const double widthScale = std::clamp(byWidth, kLeastChartScale, kMostChartScale);
    const bool underAll = m_underChart && m_underChart->sizeHint().width() > fixedWidth + designWidth * widthScale;
    return Plan{sideBySide, scale, std::max(columnHeight + (underAll ? underChart : 0), leastChartHeight) + 2 * edge,
                byWidth >= kLeastChartScale};
  };
  m_designedTabHeight = std::max(detailsHeight + tw(105) + listsHeight, fixedHeight + tw(6900) + underChart) + 2 * edge;
  // Of the arrangements the page holds, the one with the larger chart; where it holds neither, the
  // lower of those its width allows.
  const Plan over = plan(false);
  const Plan beside = plan(true);
  const auto fits = [&page](const Plan& p) { return p.wideEnough && p.least <= page.height(); };
  Plan chosen = over;
  if (fits(over) && fits(beside)) chosen = beside.scale > over.scale ? beside : over;
  else if (fits(beside)) chosen = beside;
  else if (!fits(over) && beside.wideEnough && beside.least < over.least) chosen = beside;
  const int least = beside.wideEnough ? std::min(over.least, beside.least) : over.least;

  m_chartScale = chosen.scale;
  const int chartBoxWidth = static_cast<int>(std::floor(designWidth * m_chartScale));
  const int chartBoxHeight = tw(kChartDropTwips) + static_cast<int>(std::floor(designHeight * m_chartScale));
  chartBox->setGeometry(tw(60), tw(60), chartBoxWidth, chartBoxHeight);
  chartFrame->setGeometry(edge, edge, chartBoxWidth + tw(8415 - 8100 - 60),
                          chartBoxHeight + tw(7215 - 6900 - kChartDropTwips - 60));
  const int columnLeft = chartFrame->geometry().right() + 1 + gap;
  details->move(columnLeft, edge);
  if (chosen.sideBySide) positions->move(columnLeft + columnWidth + gap, edge);
  else positions->move(columnLeft, details->geometry().bottom() + 1 + tw(105));
  model->move(positions->x(), positions->geometry().bottom() + 1 + tw(45));
  if (m_underChart) {
    // As wide as the chart; where the chart is drawn too small for its texts, under the column too.
    const QSize wanted = m_underChart->sizeHint();
    const bool underChartOnly = wanted.width() <= chartFrame->width();
    const int top = underChartOnly ? chartFrame->geometry().bottom()
                                   : std::max(chartFrame->geometry().bottom(), model->geometry().bottom());
    m_underChart->setGeometry(chartFrame->x(), top + 1 + tw(60),
                              underChartOnly ? chartFrame->width() : std::max(wanted.width(), chartFrame->width()),
                              wanted.height());
  }
  layOutChart();
  return least;
}

// The profile's tab: the grid of captions and values in three columns (six where the page is wide),
// the five prediction boxes under it taking the rest of the height.
int FrmDisplay::layOutProfileTab(QSize page) {
  QWidget* tab = m_tabs->widget(1);
  auto* frame = tab->findChild<QWidget*>(QStringLiteral("Frame4"), Qt::FindDirectChildrenOnly);
  const int edge = tw(kPageEdgeTwips);
  const int frameWidth = page.width() - 2 * edge;
  // The designed columns stand between these twips of the frame.
  constexpr int kGridLeft = 120;
  constexpr int kGridRight = 11895;
  const bool six = frameWidth - tw(2 * kGridLeft) >= 6 * kLeastProfileColumnPx;
  const int blocks = six ? 2 : 1;
  const double blockWidth = (frameWidth - tw(2 * kGridLeft)) / static_cast<double>(blocks);
  const double perTwip = blockWidth / (kGridRight - kGridLeft);
  // Where a designed left edge and width stand in a block of the frame.
  const auto across = [&](int block, int left, int width) {
    const int x = tw(kGridLeft) + static_cast<int>(block * blockWidth + (left - kGridLeft) * perTwip);
    const int right = tw(kGridLeft) + static_cast<int>(block * blockWidth + (left - kGridLeft + width) * perTwip);
    return std::pair{x, right - x};
  };

  const int rowPitch = tw(kProfileRowTop[1] - kProfileRowTop[0]);
  int gridBottom = 0;
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 3; ++column) {
      const char* captionName = kProfileCaptionNames[row][column];
      if (captionName == nullptr) continue;
      const int slot = row * 3 + column;
      const int block = six ? (slot / 3) % 2 : 0;
      const int gridRow = six ? slot / 6 : row;
      const auto [x, width] = across(block, kProfileColumnLeft[column], kProfileColumnWidth[column]);
      const int top = tw(kProfileRowTop[0]) + gridRow * rowPitch;
      if (auto* caption = frame->findChild<QLabel*>(captionName)) caption->setGeometry(x, top, width, tw(255));
      if (auto* value = frame->findChild<QLabel*>(kProfileGrid[row][column].control)) {
        value->setGeometry(x, top + tw(240), width, tw(255));
        gridBottom = std::max(gridBottom, value->geometry().bottom() + 1);
      }
    }
  }

  // Two rows of boxes, each under its caption; the boxes share what height is left.
  const int captionHeight = tw(240);
  const int rowGap = tw(105);
  const int bottomGap = tw(120);
  const int fixed = gridBottom + 2 * (rowGap + captionHeight) + bottomGap;
  const int boxHeight = std::max(tw(kPredictionHeight), (page.height() - 2 * edge - fixed) / 2);
  const int firstTop = gridBottom + rowGap + captionHeight;
  const int secondTop = firstTop + boxHeight + rowGap + captionHeight;
  const double boxPerTwip = (frameWidth - tw(2 * kGridLeft)) / static_cast<double>(kGridRight - kGridLeft);
  for (int i = 0; i < 5; ++i) {
    const PredictionPlace& place = kPredictionBoxes[i];
    const int x = tw(kGridLeft) + static_cast<int>((place.left - kGridLeft) * boxPerTwip);
    const int width = tw(kGridLeft) + static_cast<int>((place.left - kGridLeft + place.width) * boxPerTwip) - x;
    const int top = i < 3 ? firstTop : secondTop;
    if (auto* caption = frame->findChild<QLabel*>(place.captionName)) {
      caption->setGeometry(x, top - captionHeight, width, captionHeight);
    }
    m_predictionBoxes[i]->setGeometry(x, top, width, boxHeight);
  }
  frame->setGeometry(edge, edge, frameWidth, secondTop + boxHeight + bottomGap);
  return fixed + 2 * tw(kPredictionHeight) + 2 * edge;
}

void FrmDisplay::layOut() {
  if (m_layingOut) return;
  m_layingOut = true;
  const int margin = tw(240);
  const int width = std::max(this->width(), minimumWidth()) - 2 * margin;

  // The house text takes the lines it needs at the window's width; the notice, when there is one,
  // sits under it.
  const int houseHeight = qMax(tw(375), m_lblHoraDesc->heightForWidth(width));
  m_lblHoraDesc->setGeometry(margin, m_lblHoraDesc->y(), width, houseHeight);
  int top = m_lblHoraDesc->geometry().bottom() + 4;
  if (!m_lblSreeLagnaWindow->text().isEmpty()) {
    m_lblSreeLagnaWindow->setGeometry(margin, top, width, qMax(tw(255), m_lblSreeLagnaWindow->heightForWidth(width)));
    top = m_lblSreeLagnaWindow->geometry().bottom() + 4;
  }
  if (!m_lblNotice->text().isEmpty() && !m_lblNotice->isHidden()) {
    m_lblNotice->setGeometry(margin, top, width, qMax(tw(255), m_lblNotice->heightForWidth(width)));
    top = m_lblNotice->geometry().bottom() + 4;
  }
  top = qMax(top, tw(1200));
  // The forum line and its address stay over the right edge.
  for (const char* name : {"Label5", "Label6"}) {
    if (auto* label = findChild<QLabel*>(name, Qt::FindDirectChildrenOnly))
      label->move(std::max(margin, margin + width - label->width()), label->y());
  }

  // Under the details' rows: the ascendant's window, then the facts. The frame grows to hold them.
  if (auto* details = m_lblAscendantWindow->parentWidget()) {
    const int lineWidth = m_lblAscendantWindow->width();
    m_lblAscendantWindow->resize(lineWidth, qMax(tw(255), m_lblAscendantWindow->heightForWidth(lineWidth)));
    int bottom = m_lblAscendantWindow->geometry().bottom() + 1;
    if (auto* facts = details->findChild<QLabel*>(QStringLiteral("lblFacts"))) {
      facts->move(facts->x(), bottom + tw(60));
      facts->resize(facts->width(), facts->heightForWidth(facts->width()));
      bottom = facts->geometry().bottom() + 1;
    }
    details->resize(details->width(),
                    qMax(pageRect(0, 0, 0, 2775).height(), bottom + tw(kDetailsBottomMarginTwips)));
  }

  // The tab control takes the rest of the window; its pages are what its frame and strip leave.
  const int frameWidth = m_tabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_tabs);
  const QSize pageExtra(2 * frameWidth, m_tabs->tabBar()->sizeHint().height() + 2 * frameWidth);
  const int bottomMargin = tw(120);
  const QSize page(width - pageExtra.width(), std::max(0, height() - top - bottomMargin - pageExtra.height()));
  const int chartNeeds = layOutChartTab(page);
  const int profileNeeds = layOutProfileTab(QSize(page.width(), std::max(page.height(), chartNeeds)));
  const int pageHeight = std::max({page.height(), chartNeeds, profileNeeds});
  m_tabs->setGeometry(margin, top, width, pageHeight + pageExtra.height());

  // The least the window can be: the chart at its least beside the details; the natural size has
  // the chart as it was designed and the prediction boxes their designed lines.
  const int leastWidth = 2 * margin + pageExtra.width() + 2 * tw(kPageEdgeTwips) + tw(8415 - 8100) +
                         static_cast<int>(tw(8100) * kLeastChartScale) + tw(kColumnGapTwips) +
                         m_lblAscendantWindow->parentWidget()->width();
  const QSize least(leastWidth, top + std::max(chartNeeds, profileNeeds) + pageExtra.height() + bottomMargin);
  if (least != minimumSize()) {
    setMinimumSize(least);
    // A scroll area holding the results sizes them anew for the new least size.
    for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
      if (qobject_cast<QScrollArea*>(up) == nullptr) continue;
      QCoreApplication::postEvent(up, new QEvent(QEvent::LayoutRequest));
      break;
    }
  }
  m_naturalSize = QSize(2 * margin + tw(12255), top + pageExtra.height() + m_designedTabHeight + bottomMargin);
  updateGeometry();
  m_layingOut = false;
}

void FrmDisplay::showResult(const ChartResult& result) {
  for (int i = 0; i < 10; ++i) m_planets[i]->setValue(captionText(result.chartPositions[static_cast<std::size_t>(i)]));
  if (auto* model = findChild<QLabel*>(QStringLiteral("lblModel"))) model->setText(captionText(PositionsLine(result.model)));
  for (int k = 0; k < 12; ++k) {
    m_signCaptions[k] = captionText(result.signLabels[static_cast<std::size_t>(k)]);
    m_markerCaptions[k] = captionText(result.markers[static_cast<std::size_t>(k)]);
  }
  m_ascendantSign = chart_view::ascendantSignIndex(result.AscSignNumber);
  layOutChart();
  const Details& details = result.details;
  const std::pair<const char*, const std::string*> detailCaptions[] = {
      {"lblName", &details.lblName},         {"lblDOB", &details.lblDOB},
      {"lblTOB", &details.lblTOB},           {"lblLatitude", &details.lblLatitude},
      {"lblLongitude", &details.lblLongitude}, {"lblCity", &details.lblCity},
      {"lblState", &details.lblState},       {"lblCountry", &details.lblCountry},
  };
  for (const auto& [name, text] : detailCaptions) {
    if (auto* label = findChild<ValueLabel*>(name)) label->setValue(captionText(*text));
  }

  showFacts(m_tabs->widget(0), FactsOf(result));

  m_lblHoraDesc->setText(captionText(std::string(result.houseText)));
  const BirthTimeWindows windows = BirthTimeWindowsOf(result);
  m_lblSreeLagnaWindow->setText(captionText(WindowLine("Sree Lagna", windows.sreeLagna, result.birthMoment)));
  m_lblAscendantWindow->setText(captionText(WindowLine("Ascendant", windows.ascendant, result.birthMoment)));
  m_lblNotice->setText(result.notice ? captionText(*result.notice) : QString());
  m_lblNotice->setVisible(result.notice.has_value());

  for (const auto& [name, text] : result.profile) {
    const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (auto* value = findChild<ValueLabel*>(objectName)) {
      value->setValue(captionText(std::string(text)));
    } else if (auto* label = findChild<QLabel*>(objectName)) {
      label->setText(captionText(std::string(text)));
    } else if (auto* box = findChild<QPlainTextEdit*>(objectName)) {
      box->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
  }

  layOut();
  m_tabs->setCurrentIndex(0);
}

void FrmDisplay::arrangeFrames() {
  if (auto* chart = findChild<QWidget*>("fraBirthchart")) {
    chart->show();
    chart->raise();
  }
  if (auto* details = findChild<QWidget*>("fraDetails")) details->raise();
}

}  // namespace halvora::ui
