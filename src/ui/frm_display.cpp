#include "ui/frm_display.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include "ui/clickable_label.h"
#include "ui/look.h"
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

// The twelve cells of the chart by sign index: where the sign label, the marker label and the sign
// number sit, in twips from the chart frame's corner.
struct SignCell {
  QPoint signLabel;
  QPoint marker;
  QPoint number;
};
constexpr int kSignLabelWidth = 1305;
constexpr int kSignLabelHeight = 1500;
const SignCell kSignCells[12] = {
    {{2280, 240}, {3600, 240}, {3880, 150}},   {{4200, 240}, {5520, 240}, {5800, 120}},
    {{6120, 240}, {7440, 240}, {7800, 120}},   {{6120, 1920}, {7440, 1920}, {7800, 1800}},
    {{6120, 3600}, {7440, 3600}, {7800, 3480}}, {{6120, 5280}, {7440, 5280}, {7800, 5160}},
    {{4200, 5280}, {5520, 5280}, {5880, 5160}}, {{2160, 5280}, {3600, 5280}, {3840, 5160}},
    {{240, 5280}, {1560, 5280}, {1920, 5160}},  {{240, 3600}, {1560, 3600}, {1800, 3480}},
    {{240, 1920}, {1560, 1920}, {1800, 1800}},  {{240, 240}, {1560, 240}, {1800, 120}},
};
// Cell borders: four columns and four rows of 1965 x 1680; the middle two-by-two block is empty.
constexpr int kCellColumns[4] = {120, 2085, 4050, 6015};
constexpr int kCellRows[4] = {135, 1815, 3495, 5175};
constexpr int kCellWidth = 1965;
constexpr int kCellHeight = 1680;

struct PositionRow {
  int nameIndex;  // element of PlanetName
  const char* name;
};
constexpr PositionRow kPositionRows[10] = {
    {0, "Surya/Sun"},     {1, "Chandra/Moon"}, {2, "Budha/Mercury"},    {3, "Shukra/Venus"},
    {4, "Mangala/Mars"},  {5, "Guru/Jupiter"}, {6, "Shani/Saturn"},     {10, "Rahu/North Node"},
    {11, "Ketu/South node"}, {16, "Asc/Lagna"},
};

// The profile grid: caption, caption control and value control, by row and column.
struct ProfileCell {
  const char* captionName;
  const char* caption;
  const char* value;
};
constexpr int kProfileColumnLeft[3] = {120, 3960, 8280};
constexpr int kProfileColumnWidth[3] = {3735, 4215, 3615};
constexpr int kProfileRowTop[8] = {240, 840, 1440, 2040, 2640, 3240, 3840, 4440};
constexpr ProfileCell kProfileCells[8][3] = {
    {{"dsd_0", "Vedic Name", "lblVedicName"},
     {nullptr, nullptr, nullptr},
     {"Label8_0", "Sree Lagna Present In Sign", "lblArudhaLagnaPresentInSign"}},
    {{"Label8_1", "Ruling Planet", "lblRullingPlanet"},
     {"Label8_2", "Compatible With", "lblCompatibleWith"},
     {"Label8_3", "Not Compatible With", "lblNotCompatibleWith"}},
    {{"Label8_4", "Symbol", "lblSymbol"}, {"Label8_5", "Nature", "lblNature"}, {"Label8_6", "Color", "lblColor"}},
    {{"Label8_7", "Type Of Sign", "lblTypeOfSign"},
     {"Label8_8", "Gender", "lblGender"},
     {"Label8_9", "Best Period Of Activity", "lblBestPeriodOfActivity"}},
    {{"Label8_10", "Barren", "lblBarren"},
     {"Label8_11", "Caste", "lblCaste"},
     {"Label8_12", "Position", "lblPosition"}},
    {{"Label8_13", "Constituent Character", "lblConstituentCharacter"},
     {"Label8_14", "Lucky Days", "lblLuckyDays"},
     {"Label8_15", "Lucky Numbers", "lblLuckyNumbers"}},
    {{"Label8_16", "Best Direction", "lblBestDirection"},
     {"Label8_17", "Lucky Colors", "lblLuckyColors"},
     {"Label8_18", "Lucky Gemstone", "lblLuckyGemstone"}},
    {{"Label8_19", "Part Of The Body", "lblPartOfTheBody"},
     {"Label8_20", "Physique", "lblPhysique"},
     {"Label8_21", "English Name", "lblEnglishName"}},
};

struct PredictionBox {
  const char* captionName;
  const char* caption;
  const char* name;
  int left, top, width;
};
constexpr int kPredictionHeight = 735;
constexpr PredictionBox kPredictionBoxes[5] = {
    {"Label8_22", "Looks", "txtLooks", 120, 5280, 3735},
    {"Label8_23", "Nature", "txtNature", 3960, 5280, 4215},
    {"Label8_24", "Career And Finance", "txtCareerAndFinance", 8280, 5280, 3615},
    {"Label8_25", "Love And Domestic Life", "txtLoveAndDomesticLife", 120, 6360, 6015},
    {"Label8_26", "Health", "txtHealth", 6240, 6360, 5655},
};
constexpr int kPredictionCaptionDropTwips = 240;  // caption row sits this far above its boxes

constexpr char kForumLine[] = "Discuss your chart on our web forum:";
constexpr char kVisitLine[] = "Visit our web site for more free astrology readings. Click here.";

}  // namespace

FrmDisplay::FrmDisplay(Platform& platform, QWidget* parent) : QWidget(parent), m_platform(platform) {
  setObjectName("frmDisplay");
  buildTop();
  m_tabs = named(new QTabWidget(this), "SSTab1");
  m_tabs->addTab(buildChartTab(), "Sree Lagna - Chart");
  m_tabs->addTab(buildProfileTab(), "Lagna Details");
  applyWindowLook(this);

  // Faces and colours of their own, after the window's look.
  for (QLabel* marker : m_markers) {
    marker->setFont(verdana(9, true));
    setColour(marker, kLightGreen);
  }
  for (int k = 0; k < 12; ++k) {
    if (auto* number = findChild<QLabel*>(QStringLiteral("Hno_%1").arg(k))) {
      number->setFont(courierNew(9.75, true));
      number->adjustSize();
    }
  }
  for (const char* heading : {"dsd_1", "lblName"}) {
    if (auto* label = findChild<QLabel*>(heading)) label->setFont(verdana(8.25, true));
  }
  if (auto* significance = findChild<QLabel*>("dsd_1")) significance->adjustSize();
  for (const auto& row : kProfileCells) {
    for (const ProfileCell& cell : row) {
      if (cell.captionName == nullptr) continue;
      if (auto* caption = findChild<QLabel*>(cell.captionName)) caption->setFont(verdana(8.25, true));
      if (auto* value = findChild<QLabel*>(cell.value)) setColour(value, Qt::white);
    }
  }
  for (const PredictionBox& box : kPredictionBoxes) {
    if (auto* caption = findChild<QLabel*>(box.captionName)) caption->setFont(verdana(8.25, true));
  }
  setColour(m_lblNotice, kNoticeYellow);
  m_lblNotice->setFont(verdana(8.25, true));
  layOut();
}

void FrmDisplay::buildTop() {
  labelAt(this, "dsd_1", "Significance", 240, 120);
  labelAt(this, "Label10", "Sree Lagna is responsible for prosperity and marital relationships.", 240, 360);
  labelAt(this, "Label11", "Sree Lagna Present In House Significance", 240, 600);
  m_lblHoraDesc = labelAt(this, "lblHoraDesc", QString(), 240, 840, 12255, 375);
  m_lblHoraDesc->setWordWrap(true);
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
  labelAt(fraDetails, "lblName", "lblName", 120, 240 + kRowDropTwips, 3490 - 240, 255);
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
    labelAt(fraDetails, row.captionName, row.caption, 120, row.top + kRowDropTwips);
    labelAt(fraDetails, row.value, row.value, 1440, row.top + kRowDropTwips, 3490 - 1440 - 60, 255);
  }

  auto* fraWestern = named(new QGroupBox("Vedic Planetary Position", page), "fraWestern");
  fraWestern->setGeometry(pageRect(8640, 3240, 3495, 4335));
  for (int i = 0; i < 10; ++i) {
    const int top = 360 + 390 * i + kRowDropTwips;
    const PositionRow& row = kPositionRows[i];
    labelAt(fraWestern, QStringLiteral("PlanetName_%1").arg(row.nameIndex), row.name, 120, top, 1785, 255);
    m_planets[i] = labelAt(fraWestern, QStringLiteral("planet_%1").arg(i), QStringLiteral("planet(%1)").arg(i), 1920,
                           top, 1455, 255);
  }
  return page;
}

void FrmDisplay::buildChart(QWidget* fraBirthchart) {
  const auto chartRect = [](int left, int top, int width, int height) {
    return twipsRect(left, top + kChartDropTwips, width, height);
  };
  // Borders first, so that the texts lie above them.
  auto* shape2 = shapeAt(fraBirthchart, "Shape2", 0, 0, 0, 0);
  shape2->setGeometry(chartRect(100, 120, 7890, 6750));
  int cell = 0;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      const bool centre = (row == 1 || row == 2) && (column == 1 || column == 2);
      if (centre) continue;
      auto* border = shapeAt(fraBirthchart, QStringLiteral("shpHora_%1").arg(cell++), 0, 0, 0, 0);
      border->setGeometry(chartRect(kCellColumns[column], kCellRows[row], kCellWidth, kCellHeight));
    }
  }
  auto* shape1 = shapeAt(fraBirthchart, "Shape1", 0, 0, 0, 0);
  shape1->setGeometry(chartRect(2085, 1815, 3930, 3355));

  for (int k = 0; k < 12; ++k) {
    const SignCell& place = kSignCells[k];
    const QString signName = QString::fromUtf8(kSignLabelNames[static_cast<std::size_t>(k)].data(),
                                               static_cast<qsizetype>(kSignLabelNames[static_cast<std::size_t>(k)].size()));
    m_signLabels[k] = labelAt(fraBirthchart, signName, signName, 0, 0);
    m_signLabels[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_signLabels[k]->setGeometry(chartRect(place.signLabel.x(), place.signLabel.y(), kSignLabelWidth, kSignLabelHeight));

    // Marker labels take the size of their text and grow downwards, line by line.
    m_markers[k] = labelAt(fraBirthchart, QStringLiteral("lblArudha_%1").arg(k), "A12", 0, 0);
    m_markers[k]->move(chartRect(place.marker.x(), place.marker.y(), 0, 0).topLeft());
    m_markers[k]->adjustSize();

    auto* number = labelAt(fraBirthchart, QStringLiteral("Hno_%1").arg(k), QString::number(k + 1), 0, 0);
    number->move(chartRect(place.number.x(), place.number.y(), 0, 0).topLeft());
  }

  auto* label7 = named(new ClickableLabel(kVisitLine, fraBirthchart), "Label7");
  label7->setWordWrap(true);
  label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label7->setGeometry(chartRect(2400, 3240, 3300, 600));
  connect(label7, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });
}

QWidget* FrmDisplay::buildProfileTab() {
  auto* page = new QWidget;
  page->setObjectName("SSTab1_1");
  auto* frame4 = named(new QGroupBox(page), "Frame4");
  frame4->setGeometry(pageRect(120, 360, 12015, 7215));

  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 3; ++column) {
      const ProfileCell& cell = kProfileCells[row][column];
      if (cell.captionName == nullptr) continue;
      const int left = kProfileColumnLeft[column];
      const int width = kProfileColumnWidth[column];
      labelAt(frame4, cell.captionName, cell.caption, left, kProfileRowTop[row], width, 255);
      labelAt(frame4, cell.value, cell.value, left, kProfileRowTop[row] + 240, width, 255);
    }
  }
  for (const PredictionBox& place : kPredictionBoxes) {
    labelAt(frame4, place.captionName, place.caption, place.left, place.top - kPredictionCaptionDropTwips,
            place.width, 240);
    auto* box = named(new QPlainTextEdit(frame4), place.name);
    box->setGeometry(twipsRect(place.left, place.top, place.width, kPredictionHeight));
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setPlainText(place.name);
    guardClipboard(box);
    m_predictionBoxes << box;
  }
  return page;
}

// The prediction texts are not to be copied: any change, click or mouse movement in a box
// empties the clipboard.
void FrmDisplay::guardClipboard(QPlainTextEdit* box) {
  connect(box, &QPlainTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });
  box->viewport()->setMouseTracking(true);
  box->viewport()->installEventFilter(this);
  box->installEventFilter(this);
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
  if (m_lblNotice->isVisibleTo(this)) {
    m_lblNotice->move(m_lblNotice->x(), top);
    m_lblNotice->resize(width, qMax(tw(255), m_lblNotice->heightForWidth(width)));
    top = m_lblNotice->geometry().bottom() + 4;
  }
  top = qMax(top, tw(1200));

  // The pages need room for their frames below the tab strip.
  const int pageHeight = tw(7575 - kPageTopTwips) + 6;
  const int tabsHeight = m_tabs->tabBar()->sizeHint().height() + pageHeight + 4;
  m_tabs->setGeometry(tw(240), top, tw(12255), tabsHeight);
  setFixedSize(tw(240) * 2 + tw(12255), m_tabs->geometry().bottom() + tw(120));
}

void FrmDisplay::showResult(const ChartResult& result) {
  for (int i = 0; i < 10; ++i) m_planets[i]->setText(captionText(result.chartPositions[static_cast<std::size_t>(i)]));
  for (int k = 0; k < 12; ++k) {
    m_signLabels[k]->setText(captionText(result.signLabels[static_cast<std::size_t>(k)]));
    m_markers[k]->setText(captionText(result.markers[static_cast<std::size_t>(k)]));
    m_markers[k]->adjustSize();
  }
  const Details& details = result.details;
  const std::pair<const char*, const std::string*> detailCaptions[] = {
      {"lblName", &details.lblName},         {"lblDOB", &details.lblDOB},
      {"lblTOB", &details.lblTOB},           {"lblLatitude", &details.lblLatitude},
      {"lblLongitude", &details.lblLongitude}, {"lblCity", &details.lblCity},
      {"lblState", &details.lblState},       {"lblCountry", &details.lblCountry},
  };
  for (const auto& [name, text] : detailCaptions) {
    if (auto* label = findChild<QLabel*>(name)) label->setText(captionText(*text));
  }

  m_lblHoraDesc->setText(captionText(result.houseText));
  m_lblNotice->setText(result.notice ? captionText(*result.notice) : QString());
  m_lblNotice->setVisible(result.notice.has_value());

  for (const auto& [name, text] : result.profile) {
    const QString objectName = QString::fromStdString(name);
    if (auto* label = findChild<QLabel*>(objectName)) {
      label->setText(captionText(text));
    } else if (auto* box = findChild<QPlainTextEdit*>(objectName)) {
      box->setPlainText(QString::fromStdString(text));
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
