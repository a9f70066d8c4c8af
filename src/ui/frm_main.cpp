// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "chart/time_zone_table.h"
#include "ephemeris/date_time.h"
#include "place_form/place_form.h"
#include "places/atlas.h"
#include "ui/birth_data_files.h"
#include "ui/clickable_label.h"
#include "ui/filtered_edit.h"
#include "ui/look.h"
#include "ui/model_settings.h"
#include "ui/number_list.h"
#include "ui/place_completer.h"
#include "ui/place_lookup.h"
#include "ui/screen_fit.h"
#include "ui/web_menus.h"
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

// The promotional texts of the entry form.
constexpr char kForumLine[] =
    "Join our astrology discussion forum: ask questions, share your chart and learn from other "
    "members. Click here to visit it.";
constexpr char kCoBrandLine[] =
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  "
    "link here. See \"Help\" for details.    Click Here for more info on co-branding.";
constexpr char kFullBrandLine[] =
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
    "fully branded for your website. Click here for more details.";

// The line under the zone list keeps room for this many lines, so the form does not jump.
constexpr int kZoneSourceLines = 2;

// Widths of the short entry fields, in characters of the form's font.
constexpr int kCoordinateChars = 4;
// The smallest the window can be made: the menu bar and a little of the form, which scrolls.
constexpr int kMinimumWidthPx = 320;
constexpr int kMinimumClientHeightPx = 160;

template <typename W>
W* named(W* widget, const QString& objectName) {
  widget->setObjectName(objectName);
  return widget;
}

QLabel* label(const QString& objectName, const QString& text) {
  return named(new QLabel(text), objectName);
}

// A list of numbers is a NumberList, which also takes the number typed in digits.
template <typename List = DropDownList>
QComboBox* dropDownList(const QString& objectName) {
  auto* list = named(new List, objectName);
  list->setEditable(false);  // the user picks an item, never types one
  list->setMaxVisibleItems(15);
  return list;
}

}  // namespace

FrmMain::FrmMain(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
  setObjectName("frmMain");
  buildMenus();

  // The controls keep their natural size: a larger window puts the space round them, a smaller
  // one (or a small screen) scrolls them.
  m_content = buildControls();
  auto* holder = new QWidget;
  auto* centring = new QGridLayout(holder);
  centring->setContentsMargins(0, 0, 0, 0);
  centring->addWidget(m_content, 1, 1);
  centring->setRowStretch(0, 1);
  centring->setRowStretch(2, 1);
  centring->setColumnStretch(0, 1);
  centring->setColumnStretch(2, 1);
  auto* scroll = named(new QScrollArea, "frmMainScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(holder);
  setCentralWidget(scroll);
  Form_Load();
  setTabOrder();
  nameForListeners();
  connectPlaceAndZone();
  applyWindowLook(this);
  // The prosperity line keeps its own face and colour.
  if (auto* line = findChild<QLabel*>("Label2")) {
    line->setFont(verdana(9, true));
    QPalette green = line->palette();
    green.setColor(QPalette::WindowText, kLightGreen);
    line->setPalette(green);
  }
  m_txtName->setFocus();
  m_lblZoneSource->setMinimumHeight(kZoneSourceLines * m_lblZoneSource->fontMetrics().lineSpacing());

  setMinimumSize(kMinimumWidthPx, menuBar()->sizeHint().height() + kMinimumClientHeightPx);
  fitToScreenOnShow(this, [this] { return withScrollBarRoom(this, preferredSize()); });
  // The atlas is not read here: City's completer reads it when City is first used, and a file
  // that names a place when it is opened.
}

QSize FrmMain::preferredSize() const {
  const QSize content = m_content->sizeHint();
  return {content.width(), content.height() + menuBar()->sizeHint().height()};
}

void FrmMain::buildMenus() {
  QMenu* mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  QAction* mnuNew = mnuFile->addAction(QStringLiteral("&New"), this, &FrmMain::mnuNew_Click);
  mnuNew->setObjectName("mnuNew");
  mnuNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  mnuNew->setStatusTip(QStringLiteral("Clears the form for a new birth"));
  QAction* mnuOpen = mnuFile->addAction(QString::fromUtf8("&Open Birth Data\u2026"), this, &FrmMain::mnuOpen_Click);
  mnuOpen->setObjectName("mnuOpen");
  mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuOpen->setStatusTip(QStringLiteral("Opens a birth-data file into the form"));
  QAction* mnuSave = mnuFile->addAction(QString::fromUtf8("&Save Birth Data\u2026"), this, &FrmMain::mnuSave_Click);
  mnuSave->setObjectName("mnuSave");
  mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuSave->setStatusTip(QStringLiteral("Saves the form's entries in a birth-data file"));
  m_mnuRecent = mnuFile->addMenu(QStringLiteral("Open &Recent"));
  m_mnuRecent->setObjectName("mnuRecent");
  m_mnuRecent->menuAction()->setObjectName("mnuRecentMenu");
  m_mnuRecent->menuAction()->setStatusTip(QStringLiteral("Opens one of the last birth-data files used"));
  // The list may have changed in the other window, so it is read again whenever the menu opens.
  connect(mnuFile, &QMenu::aboutToShow, this, &FrmMain::fillRecentMenu);
  fillRecentMenu();
  mnuFile->addSeparator()->setObjectName("mnuFileSep1");
  QAction* mnuNext = mnuFile->addAction("Get My Sree Lagna", this, &FrmMain::cmdRashi_Click);
  mnuNext->setObjectName("mnuNext");
  mnuFile->addAction(QString::fromUtf8("Se&ttings\u2026"), this, [this] { ShowSettings(this, m_platform); })
      ->setObjectName("mnuSettings");
  QAction* mnuExit = mnuFile->addAction("E&xit", this, &QWidget::close);
  mnuExit->setObjectName("mnuExit");

  addWebMenus(this, m_platform, {"mnuHelp1", "mnuHelp2", "mkmoney"});
}

QWidget* FrmMain::buildControls() {
  MessageBoxes& messages = m_platform.messages;

  // Personal details: name, date and time of birth.
  auto* frame6 = named(new QGroupBox("Personal Details"), "Frame6");
  auto* personal = new QGridLayout(frame6);
  m_txtName = named(new FilteredEdit(FilteredEdit::Filter::Letters, messages), "txtName");
  m_cboMonth = dropDownList("cboMonth");
  m_cboDate = dropDownList<NumberList>("cboDate");
  m_cboYear = dropDownList<NumberList>("cboYear");
  m_cboHH = dropDownList<NumberList>("cboHH");
  m_cboMM = dropDownList<NumberList>("cboMM");
  m_cboSS = dropDownList<NumberList>("cboSS");
  auto* timeCaption = new QVBoxLayout;
  timeCaption->setSpacing(2);
  timeCaption->addWidget(label("Label1", "Time of Birth"));
  timeCaption->addWidget(label("Label12", "HH:MM:SS"));
  personal->addWidget(label("Label13", "Name"), 0, 0);
  personal->addWidget(m_txtName, 0, 1, 1, 3);
  personal->addWidget(label("Label5", "Date of Birth"), 1, 0);
  personal->addWidget(m_cboMonth, 1, 1);
  personal->addWidget(m_cboDate, 1, 2);
  personal->addWidget(m_cboYear, 1, 3);
  personal->addLayout(timeCaption, 2, 0);
  personal->addWidget(m_cboHH, 2, 1);
  personal->addWidget(m_cboMM, 2, 2);
  personal->addWidget(m_cboSS, 2, 3);
  personal->setColumnStretch(1, 3);
  personal->setColumnStretch(2, 2);
  personal->setColumnStretch(3, 2);

  // Place details and the search for its coordinates.
  auto* frame2 = named(new QGroupBox("Place Details"), "Frame2");
  auto* place = new QGridLayout(frame2);
  m_txtMCity = named(new QLineEdit, "txtMCity");
  m_txtMState = named(new QLineEdit, "txtMState");
  m_txtMCountry = named(new QLineEdit, "txtMCountry");
  m_cmdBrowser = named(new QPushButton("Click for Latitude && Longitude"), "cmdBrowser");
  m_cmdBrowser->setMinimumHeight(26);
  connect(m_cmdBrowser, &QPushButton::clicked, this, &FrmMain::cmdBrowser_Click);
  place->addWidget(label("Label54", "City"), 0, 0);
  place->addWidget(m_txtMCity, 0, 1);
  place->addWidget(label("Label55", "State"), 1, 0);
  place->addWidget(m_txtMState, 1, 1);
  place->addWidget(label("Label4", "Country"), 2, 0);
  place->addWidget(m_txtMCountry, 2, 1);
  place->addWidget(m_cmdBrowser, 3, 0, 1, 2);

  // Latitude and longitude: degrees, minutes and the hemisphere.
  const auto coordinateFrame = [&](const QString& name, const QString& caption, FilteredEdit*& degrees,
                                   const QString& degreesName, int degreesLength, const QString& degLabel,
                                   FilteredEdit*& minutes, const QString& minutesName, const QString& minLabel,
                                   QRadioButton* (&options)[2], const QString& optionName,
                                   const QString& first, const QString& second) {
    auto* frame = named(new QGroupBox(caption), name);
    auto* grid = new QGridLayout(frame);
    degrees = named(new FilteredEdit(FilteredEdit::Filter::Digits, messages), degreesName);
    degrees->setMaxLength(degreesLength);
    minutes = named(new FilteredEdit(FilteredEdit::Filter::Digits, messages), minutesName);
    minutes->setMaxLength(2);
    const int width = degrees->fontMetrics().horizontalAdvance(QString(kCoordinateChars, u'0')) + 12;
    degrees->setFixedWidth(width);
    minutes->setFixedWidth(width);
    options[0] = named(new QRadioButton(first), optionName + "_0");
    options[1] = named(new QRadioButton(second), optionName + "_1");
    options[0]->setChecked(true);
    grid->addWidget(degrees, 0, 0);
    grid->addWidget(label(degLabel, "Deg"), 0, 1);
    grid->addWidget(minutes, 0, 2);
    grid->addWidget(label(minLabel, "Min"), 0, 3);
    grid->addWidget(options[0], 1, 0, 1, 2);
    grid->addWidget(options[1], 1, 2, 1, 2);
    grid->setColumnStretch(4, 1);
    return frame;
  };
  QGroupBox* frame3 = coordinateFrame("Frame3", "Latitude", m_txtLatD, "txtLatD", 2, "Label7", m_txtLatM, "txtLatM",
                                      "Label9", m_optLat, "optLat", "North", "South");
  QGroupBox* frame4 = coordinateFrame("Frame4", "Longitude", m_txtLonD, "txtLonD", 3, "Label6", m_txtLonM,
                                      "txtLonM", "Label8", m_optLong, "optLong", "East", "West");

  // Time zone and daylight saving, and where the zone came from.
  auto* fraZone = named(new QGroupBox("Zone"), "fraZone");
  auto* zoneColumn = new QVBoxLayout(fraZone);
  auto* zone = new QHBoxLayout;
  m_cmbTimeZone = dropDownList("cmbTimeZone");
  m_cmbTimeZone->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_cmbTimeZone->setMinimumContentsLength(36);
  m_cmbTimeZone->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_chkDST = named(new QCheckBox("Daylight Saving Time"), "chkDST");
  zone->addWidget(m_cmbTimeZone, 1);
  zone->addSpacing(12);
  zone->addWidget(m_chkDST);
  zoneColumn->addLayout(zone);
  m_lblZoneSource = named(new WrappingLabel(place_form::kZoneHint), "lblZoneSource");
  m_lblZoneSource->setWordWrap(true);
  m_lblZoneSource->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  zoneColumn->addWidget(m_lblZoneSource);

  m_cmdRashi = named(new QPushButton("Get My Sree Lagna"), "cmdRashi");
  m_cmdRashi->setMinimumHeight(30);
  m_cmdRashi->setDefault(true);
  connect(m_cmdRashi, &QPushButton::clicked, this, &FrmMain::cmdRashi_Click);

  // The untitled outer frame holds the five titled ones and the command.
  auto* frame1 = named(new QGroupBox, "Frame1");
  auto* outer = new QGridLayout(frame1);
  outer->addWidget(frame6, 0, 0);
  outer->addWidget(frame2, 0, 1);
  outer->addWidget(frame3, 1, 0);
  outer->addWidget(frame4, 1, 1);
  outer->addWidget(fraZone, 2, 0, 1, 2);
  auto* command = new QHBoxLayout;
  command->addStretch();
  command->addWidget(m_cmdRashi);
  command->addStretch();
  outer->addLayout(command, 3, 0, 1, 2);

  auto* prosperity = label("Label2", "Know more about your material prosperity with Halvora");
  prosperity->setAlignment(Qt::AlignCenter);

  auto* label61 = named(new ClickableLabel(kForumLine), "Label61");
  label61->setWordWrap(true);
  label61->setAlignment(Qt::AlignCenter);
  connect(label61, &ClickableLabel::clicked, this, [this] { Open_Home_Page(m_platform.urls); });

  auto* frame5 = named(new QGroupBox, "Frame5");
  auto* brands = new QVBoxLayout(frame5);
  auto* lblCobrand = named(new ClickableLabel(kCoBrandLine), "lblCobrand");
  auto* lblFullBrand = named(new ClickableLabel(kFullBrandLine), "lblFullBrand");
  for (ClickableLabel* line : {lblCobrand, lblFullBrand}) {
    line->setWordWrap(true);
    brands->addWidget(line);
  }
  connect(lblCobrand, &ClickableLabel::clicked, this, [this] { Open_CoBrand_Page(m_platform.urls); });
  connect(lblFullBrand, &ClickableLabel::clicked, this, [this] { Open_FullBrand_Page(m_platform.urls); });

  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(12, 10, 12, 10);
  column->setSpacing(8);
  column->addWidget(frame1);
  column->addWidget(prosperity);
  column->addWidget(label61);
  column->addWidget(frame5);
  return central;
}

void FrmMain::Form_Load() {
  for (int month = 1; month <= 12; ++month) m_cboMonth->addItem(QString::fromUtf8(MonthName(month).data(), MonthName(month).size()));
  for (const TimeZoneRow& row : TimeZoneTable) {
    m_cmbTimeZone->addItem(QString::fromUtf8(row.text.data(), static_cast<qsizetype>(row.text.size())));
  }
  const auto count = [](QComboBox* list, int first, int last) {
    for (int n = first; n <= last; ++n) list->addItem(QString::number(n));
  };
  count(m_cboDate, 1, 31);
  count(m_cboYear, 1901, 2050);
  count(m_cboHH, 0, 23);
  count(m_cboMM, 0, 59);
  count(m_cboSS, 0, 59);
  for (QComboBox* list : {m_cboMonth, m_cboDate, m_cboYear, m_cboHH, m_cboMM, m_cboSS, m_cmbTimeZone}) {
    list->setCurrentIndex(0);
  }
}

// What a screen reader says for each entry: its caption, and what a number means.
void FrmMain::nameForListeners() {
  const std::pair<QWidget*, const char*> names[] = {
      {m_txtName, "Name"},
      {m_cboMonth, "Date of Birth: month"},
      {m_cboDate, "Date of Birth: day"},
      {m_cboYear, "Date of Birth: year"},
      {m_cboHH, "Time of Birth: hours"},
      {m_cboMM, "Time of Birth: minutes"},
      {m_cboSS, "Time of Birth: seconds"},
      {m_txtMCity, "City"},
      {m_txtMState, "State"},
      {m_txtMCountry, "Country"},
      {m_txtLatD, "Latitude: degrees"},
      {m_txtLatM, "Latitude: minutes"},
      {m_optLat[0], "Latitude North"},
      {m_optLat[1], "Latitude South"},
      {m_txtLonD, "Longitude: degrees"},
      {m_txtLonM, "Longitude: minutes"},
      {m_optLong[0], "Longitude East"},
      {m_optLong[1], "Longitude West"},
      {m_cmbTimeZone, "Zone"},
      {m_lblZoneSource, "Where the zone came from"},
  };
  for (const auto& [control, name] : names) {
    control->setAccessibleName(QString::fromLatin1(name));
    // A list is heard by its chosen item; its description says which list it is.
    if (qobject_cast<QComboBox*>(control)) control->setAccessibleDescription(QString::fromLatin1(name));
  }
  m_cmdBrowser->setAccessibleDescription(QStringLiteral("Opens a web search for the place's latitude and longitude"));
  m_txtMCity->setAccessibleDescription(
      QStringLiteral("Type two letters or more to choose the place from a list; the coordinates and the zone follow"));
  const std::pair<const char*, QWidget*> buddies[] = {
      {"Label13", m_txtName}, {"Label5", m_cboMonth}, {"Label1", m_cboHH}, {"Label54", m_txtMCity},
      {"Label55", m_txtMState}, {"Label4", m_txtMCountry}, {"Label7", m_txtLatD}, {"Label9", m_txtLatM},
      {"Label6", m_txtLonD}, {"Label8", m_txtLonM},
  };
  for (const auto& [labelName, control] : buddies) {
    if (auto* caption = findChild<QLabel*>(labelName)) caption->setBuddy(control);
  }
}

void FrmMain::setTabOrder() {
  const QList<QWidget*> order = {m_txtName,    m_cboMonth,   m_cboDate,    m_cboYear,     m_cboHH,
                                 m_cboMM,      m_cboSS,      m_txtMCity,   m_txtMState,   m_txtMCountry,
                                 m_cmdBrowser, m_txtLatD,    m_txtLatM,    m_optLat[0],   m_optLat[1],
                                 m_txtLonD,    m_txtLonM,    m_optLong[0], m_optLong[1],  m_cmbTimeZone,
                                 m_chkDST,     m_cmdRashi};
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

FormInput FrmMain::formInput() const {
  FormInput form;
  form.name = m_txtName->text().toStdString();
  form.monthIndex = m_cboMonth->currentIndex();
  form.day = m_cboDate->currentText().toStdString();
  form.year = m_cboYear->currentText().toStdString();
  form.hour = m_cboHH->currentText().toStdString();
  form.minute = m_cboMM->currentText().toStdString();
  form.second = m_cboSS->currentText().toStdString();
  form.city = m_txtMCity->text().toStdString();
  form.state = m_txtMState->text().toStdString();
  form.country = m_txtMCountry->text().toStdString();
  form.latDeg = m_txtLatD->text().toStdString();
  form.latMin = m_txtLatM->text().toStdString();
  form.lonDeg = m_txtLonD->text().toStdString();
  form.lonMin = m_txtLonM->text().toStdString();
  form.north = m_optLat[0]->isChecked();
  form.east = m_optLong[0]->isChecked();
  form.dst = m_chkDST->isChecked();
  form.zoneIndex = m_cmbTimeZone->currentIndex();
  form.customZone = m_customZone;
  form.place = m_placeLabel;
  return form;
}

void FrmMain::connectPlaceAndZone() {
  auto* completer = new PlaceCompleter(m_txtMCity);
  connect(completer, &PlaceCompleter::placeChosen, this, &FrmMain::choosePlace);

  // A new date or time selects the zone again, while it follows a place.
  for (QComboBox* list : {m_cboMonth, m_cboDate, m_cboYear, m_cboHH, m_cboMM, m_cboSS}) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] {
      FormInput form = formInput();
      m_zoneFollower.momentChanged(form);
      showZone(form);
    });
  }
  // What the user picks or types by hand is left alone from then on.
  const auto takenByHand = [this] {
    m_zoneFollower.zoneTakenByHand();
    showZoneSource();
  };
  connect(m_cmbTimeZone, &QComboBox::activated, this, takenByHand);
  connect(m_chkDST, &QCheckBox::clicked, this, takenByHand);
  const auto coordinateTyped = [this] {
    m_zoneFollower.coordinateTyped();
    showZoneSource();
  };
  for (FilteredEdit* box : {m_txtLatD, m_txtLatM, m_txtLonD, m_txtLonM})
    connect(box, &QLineEdit::textEdited, this, coordinateTyped);
  for (QRadioButton* option : {m_optLat[0], m_optLat[1], m_optLong[0], m_optLong[1]})
    connect(option, &QRadioButton::clicked, this, coordinateTyped);
  // Names typed over a chosen place: the line says whose coordinates the form still holds.
  for (QLineEdit* names : {m_txtMCity, m_txtMState, m_txtMCountry}) {
    connect(names, &QLineEdit::textEdited, this, [this] {
      m_zoneFollower.placeNamesChanged(formInput());
      showZoneSource();
    });
  }
}

void FrmMain::choosePlace(const places::Place& place) {
  FormInput form = formInput();
  m_zoneFollower.choosePlace(form, place);
  showPlaceFields(form);
  m_placeLabel = form.place;
  showZone(form);
}

void FrmMain::showZone(const FormInput& form) {
  setCustomZoneEntry(form.customZone);
  if (form.zoneIndex >= 0 && form.zoneIndex < m_cmbTimeZone->count()) m_cmbTimeZone->setCurrentIndex(form.zoneIndex);
  m_chkDST->setChecked(form.dst);
  showZoneSource();
}

void FrmMain::showPlaceFields(const FormInput& form) {
  m_txtMCity->setText(QString::fromStdString(form.city));
  m_txtMState->setText(QString::fromStdString(form.state));
  m_txtMCountry->setText(QString::fromStdString(form.country));
  m_txtLatD->setText(QString::fromStdString(form.latDeg));
  m_txtLatM->setText(QString::fromStdString(form.latMin));
  m_optLat[form.north ? 0 : 1]->setChecked(true);
  m_txtLonD->setText(QString::fromStdString(form.lonDeg));
  m_txtLonM->setText(QString::fromStdString(form.lonMin));
  m_optLong[form.east ? 0 : 1]->setChecked(true);
}

void FrmMain::showZoneSource() {
  const place_form::ZoneSource source = m_zoneFollower.source();
  m_lblZoneSource->setText(QString::fromStdString(source.text));
  QPalette palette = m_lblZoneSource->palette();
  palette.setColor(QPalette::WindowText, source.notice ? kNoticeYellow : kLightOrange);
  m_lblZoneSource->setPalette(palette);
}

void FrmMain::setCustomZoneEntry(const std::optional<CustomZone>& entry) {
  const bool listed = m_cmbTimeZone->count() > kCustomZonePosition;
  if (entry) {
    const QString text = QString::fromStdString(entry->text);
    if (listed) {
      m_cmbTimeZone->setItemText(kCustomZonePosition, text);
    } else {
      m_cmbTimeZone->addItem(text);
    }
  } else if (listed) {
    if (m_cmbTimeZone->currentIndex() == kCustomZonePosition) m_cmbTimeZone->setCurrentIndex(0);
    m_cmbTimeZone->removeItem(kCustomZonePosition);
  }
  m_customZone = entry;
}

void FrmMain::cmdRashi_Click() {
  const ChartRequestOutcome outcome = RunChartRequest(formInput(), *ChartModel(m_platform.settings));
  if (const auto* failure = std::get_if<ValidationFailure>(&outcome)) {
    if (!failure->message.empty()) {
      m_platform.messages.show(this, QString::fromStdString(failure->message), failure->icon);
    }
    if (!failure->focus.empty()) {
      if (auto* control = findChild<QWidget*>(QString::fromStdString(failure->focus))) control->setFocus();
    }
    return;
  }
  emit chartReady(std::get<ChartResult>(outcome));
}

void FrmMain::cmdBrowser_Click() { PlaceSearch(this, m_platform); }

void FrmMain::fillRecentMenu() {
  m_mnuRecent->clear();
  const QStringList paths = RecentFiles(m_platform.settings).paths();
  for (qsizetype i = 0; i < paths.size(); ++i) {
    const QString& path = paths[i];
    QString shown = QFileInfo(path).fileName();
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = m_mnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this,
                                           [this, path] { openRecent(path); });
    item->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
    item->setData(path);
    item->setStatusTip(path);
    item->setToolTip(path);
  }
  m_mnuRecent->menuAction()->setEnabled(!paths.isEmpty());
}

void FrmMain::mnuOpen_Click() {
  const QString path = m_platform.files.openFileName(this, QStringLiteral("Open Birth Data"),
                                                     fileDialogFolder(m_platform.settings),
                                                     QString::fromLatin1(kBirthDataFilter));
  if (!path.isEmpty()) openBirthDataFile(path);
}

void FrmMain::mnuSave_Click() {
  const FormInput form = formInput();
  const QString written = saveBirthDataAs(this, m_platform, form);
  if (!written.isEmpty()) {
    m_filePath = written;
    m_fileForm = form;
  }
  refreshRecentMenu();
}

void FrmMain::mnuNew_Click() {
  if (!offerToSaveChanges()) return;
  setFormInput(FormInput{});
  m_filePath.clear();
  m_txtName->setFocus();
}

bool FrmMain::offerToSaveChanges() {
  const FormInput form = formInput();
  if (m_filePath.isEmpty() || form == m_fileForm) return true;
  if (!m_platform.messages.askYesNo(this, QStringLiteral("Save changes?"), MessageIcon::Information)) return true;
  if (const QString problem = writeBirthData(m_filePath, form); !problem.isEmpty()) {
    m_platform.messages.show(this, problem, MessageIcon::Error);
    return false;
  }
  m_fileForm = form;
  return true;
}

// Later, not at once: the item that was chosen may be the one being triggered.
void FrmMain::refreshRecentMenu() { QMetaObject::invokeMethod(this, &FrmMain::fillRecentMenu, Qt::QueuedConnection); }

void FrmMain::openRecent(const QString& path) {
  if (!QFileInfo::exists(path)) {
    RecentFiles(m_platform.settings).remove(path);
    refreshRecentMenu();
    m_platform.messages.show(this, QStringLiteral("%1 no longer exists. It has been removed from the recent files.").arg(path),
                             MessageIcon::Information);
    return;
  }
  openBirthDataFile(path);
}

bool FrmMain::openBirthDataFile(const QString& path) {
  const std::variant<FormInput, QString> read = readBirthData(path);
  if (const auto* problem = std::get_if<QString>(&read)) {
    m_platform.messages.show(this, *problem, MessageIcon::Error);
    return false;
  }
  if (!offerToSaveChanges()) return false;
  setFormInput(std::get<FormInput>(read));
  m_filePath = path;
  m_fileForm = formInput();
  RecentFiles(m_platform.settings).add(path);
  refreshRecentMenu();
  return true;
}

void FrmMain::setFormInput(const FormInput& form) {
  const auto pick = [](QComboBox* list, int index) {
    if (index >= 0 && index < list->count()) list->setCurrentIndex(index);
  };
  const auto pickText = [](QComboBox* list, const std::string& text) {
    const int index = list->findText(QString::fromStdString(text));
    if (index >= 0) list->setCurrentIndex(index);
  };
  // A place chosen before is not followed while the file's date goes in.
  m_zoneFollower.clear();
  m_txtName->setText(QString::fromStdString(form.name));
  pick(m_cboMonth, form.monthIndex);
  pickText(m_cboDate, form.day);
  pickText(m_cboYear, form.year);
  pickText(m_cboHH, form.hour);
  pickText(m_cboMM, form.minute);
  pickText(m_cboSS, form.second);
  showPlaceFields(form);
  // The zone as the file keeps it: a row, or the custom entry after the rows.
  setCustomZoneEntry(form.customZone);
  pick(m_cmbTimeZone, form.zoneIndex);
  m_chkDST->setChecked(form.dst);
  m_placeLabel = form.place;
  // A file filled from the atlas follows its place as a place just chosen does; the atlas is
  // read only for a file that names one.
  if (!form.place.empty()) m_zoneFollower.openForm(form, places::SystemAtlas());
  showZoneSource();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (!offerToSaveChanges()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closed();
}

// Enter presses the focused command, or "Get My Sree Lagna" anywhere else; it never clears a field.
void FrmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
      button->click();
    } else {
      m_cmdRashi->click();
    }
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace halvora::ui
