// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_display.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include "chart/chart_facts.h"
#include "chart/birth_time_window.h"
#include "ui/chart_layout.h"
#include "ui/clickable_label.h"
#include "ui/look.h"
#include "ui/marker_label.h"
#include "ui/prediction_box.h"
#include "ui/result_captions.h"
#include "ui/value_label.h"
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

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
  QString text = QStringLiteral("%1, sign %2: ").arg(QString::fromLatin1(kSignTitles.at(static_cast<std::size_t>(signIndex))))
                     .arg(signIndex + 1);
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
  for (QLabel* marker : m_markers) {
    marker->setFont(verdana(9, true));
    setColour(marker, kLightGreen);
  }
  for (QLabel* number : m_numbers) {
    number->setFont(courierNew(9.75, true));
    number->adjustSize();
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
  fitMarkers();
  describeCells();
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

QRect FrmDisplay::chartPixels(const QRect& twips) {
  return twipsRect(twips.x(), twips.y() + kChartDropTwips, twips.width(), twips.height());
}

void FrmDisplay::buildChart(QWidget* fraBirthchart) {
  // Borders first, so that the texts lie above them.
  shapeAt(fraBirthchart, "Shape2", 0, 0, 0, 0)->setGeometry(chartPixels(chartOutlineTwips()));
  // The borders are numbered as the cells are read, row by row from the top left.
  int order = 0;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      for (int k = 0; k < 12; ++k) {
        if (chartGridPosition(k) != QPoint(column, row)) continue;
        auto* border = shapeAt(fraBirthchart, QStringLiteral("shpHora_%1").arg(order++), 0, 0, 0, 0);
        border->setGeometry(chartPixels(chartCellTwips(k).border));
      }
    }
  }
  shapeAt(fraBirthchart, "Shape1", 0, 0, 0, 0)->setGeometry(chartPixels(chartCentreTwips()));

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
    m_numbers[k]->move(chartPixels(QRect(cell.number, QSize())).topLeft());
    m_numbers[k]->setAccessibleName(
        QStringLiteral("%1, sign %2").arg(QString::fromLatin1(kSignTitles.at(static_cast<std::size_t>(k)))).arg(k + 1));
  }

  auto* label7 = named(new ClickableLabel(kVisitLine, fraBirthchart), "Label7");
  label7->setWordWrap(true);
  label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label7->setGeometry(chartPixels(chartCentreLinkTwips()));
  connect(label7, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });
}

// Every marker label's lines inside its own cell, clear of the border and the sign number.
void FrmDisplay::fitMarkers() {
  for (int k = 0; k < 12; ++k) {
    const ChartCellTwips cell = chartCellTwips(k);
    m_markers[k]->fitInto(chartPixels(cell.border), chartPixels(QRect(cell.marker, QSize())).topLeft(),
                          m_numbers[k]->geometry());
  }
}

// What a screen reader says for each cell: the sign, its bodies and the Sree Lagna.
void FrmDisplay::describeCells() {
  for (int k = 0; k < 12; ++k) {
    const QString spoken = chartCellSpokenText(k, m_signLabels[k]->text(), m_markers[k]->text());
    m_signLabels[k]->setAccessibleName(spoken);
    const bool sreeLagna = spoken.endsWith(QStringLiteral("; Sree Lagna here"));
    m_markers[k]->setAccessibleName(
        sreeLagna ? QStringLiteral("Sree Lagna in %1").arg(QString::fromLatin1(kSignTitles.at(static_cast<std::size_t>(k))))
                  : QStringLiteral(" "));
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

void FrmDisplay::layOut() {
  // The house text takes the lines it needs; the notice, when there is one, sits under it.
  const int width = m_lblHoraDesc->width();
  const int houseHeight = qMax(tw(375), m_lblHoraDesc->heightForWidth(width));
  m_lblHoraDesc->resize(width, houseHeight);
  int top = m_lblHoraDesc->geometry().bottom() + 4;
  if (!m_lblSreeLagnaWindow->text().isEmpty()) {
    m_lblSreeLagnaWindow->move(m_lblSreeLagnaWindow->x(), top);
    m_lblSreeLagnaWindow->resize(width, qMax(tw(255), m_lblSreeLagnaWindow->heightForWidth(width)));
    top = m_lblSreeLagnaWindow->geometry().bottom() + 4;
  }
  if (!m_lblNotice->text().isEmpty() && !m_lblNotice->isHidden()) {
    m_lblNotice->move(m_lblNotice->x(), top);
    m_lblNotice->resize(width, qMax(tw(255), m_lblNotice->heightForWidth(width)));
    top = m_lblNotice->geometry().bottom() + 4;
  }
  top = qMax(top, tw(1200));

  // Under the details' rows: the ascendant's window, then the facts. The frame grows to hold them,
  // and the positions and the model's line under them move down with it.
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
    QWidget* tab = details->parentWidget();
    if (auto* positions = tab->findChild<QWidget*>("fraWestern", Qt::FindDirectChildrenOnly)) {
      positions->move(positions->x(), details->geometry().bottom() + 1 + tw(105));
      if (auto* model = tab->findChild<QWidget*>(QStringLiteral("lblModel"), Qt::FindDirectChildrenOnly))
        model->move(model->x(), positions->geometry().bottom() + 1 + tw(45));
    }
  }

  // The tab control takes the height its pages and its own frame need.
  int pageHeight = 0;
  for (int i = 0; i < m_tabs->count(); ++i) {
    for (QWidget* child : m_tabs->widget(i)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      pageHeight = qMax(pageHeight, child->geometry().bottom() + 1);
    }
  }
  pageHeight += 6;
  m_tabs->setGeometry(tw(240), top, tw(12255), 100);
  const int frameExtra = m_tabs->height() - m_tabs->currentWidget()->height();
  const int tabsHeight = qMax(frameExtra, m_tabs->tabBar()->sizeHint().height()) + pageHeight;
  m_tabs->setGeometry(tw(240), top, tw(12255), tabsHeight);
  setFixedSize(tw(240) * 2 + tw(12255), m_tabs->geometry().bottom() + 1 + tw(120));
}

void FrmDisplay::showResult(const ChartResult& result) {
  for (int i = 0; i < 10; ++i) m_planets[i]->setValue(captionText(result.chartPositions[static_cast<std::size_t>(i)]));
  if (auto* model = findChild<QLabel*>(QStringLiteral("lblModel"))) model->setText(captionText(PositionsLine(result.model)));
  for (int k = 0; k < 12; ++k) {
    m_signLabels[k]->setText(captionText(result.signLabels[static_cast<std::size_t>(k)]));
    m_markers[k]->setText(captionText(result.markers[static_cast<std::size_t>(k)]));
  }
  fitMarkers();
  describeCells();
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
