// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mdi_frame.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "print/chart_painter.h"
#include "ui/birth_data_files.h"
#include "ui/clickable_label.h"
#include "ui/birth_time_mover.h"
#include "ui/frm_display.h"
#include "ui/look.h"
#include "ui/model_settings.h"
#include "ui/screen_fit.h"
#include "ui/web_menus.h"
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

constexpr int kTopBarTwips = 795;
constexpr int kBottomBarTwips = 585;
constexpr int kButtonTopTwips = 120;
constexpr int kButtonWidthTwips = 1335;
constexpr int kButtonHeightTwips = 400;
constexpr int kExitRightGapTwips = 300;  // from the frame's right edge to "E&xit"
constexpr int kBackGapTwips = 100;       // between "&Back" and "E&xit"
constexpr int kPromotionLeftTwips = 240;
// The least room the promotional line and the results keep when the frame is made small.
constexpr int kMinimumPromotionPx = 120;
constexpr int kMinimumClientHeightPx = 120;

// Where the chart's look is remembered: the style's word ("south", "north", "east") and whether the
// cells write their signs' names ("1" or "0").
constexpr char kSettingsSection[] = "Settings";
constexpr char kChartStyleKey[] = "ChartStyle";
constexpr char kSignNamesKey[] = "ShowSignNames";

chart_view::ChartLook rememberedLook(SettingsStore& settings) {
  chart_view::ChartLook look;
  const auto style = chart_view::chartStyleFromKey(settings.value(kSettingsSection, kChartStyleKey).toStdString());
  look.style = style.value_or(chart_view::ChartStyle::South);
  look.signNames = settings.value(kSettingsSection, kSignNamesKey) == QStringLiteral("1");
  return look;
}

constexpr char kFullBrandLine[] =
    "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
    "fully branded for your website. Click here for more details.";

}  // namespace

MdiFrame::MdiFrame(Platform& platform, QWidget* parent) : QMainWindow(parent), m_platform(platform) {
  setObjectName("MDI");
  buildMenus();

  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(buildTopBar());

  // The results window; scroll bars appear only where the results cannot be laid out smaller.
  m_display = new FrmDisplay(platform);
  m_display->setChartLook(rememberedLook(platform.settings));
  auto* client = new QScrollArea;
  client->setObjectName("mdiClient");
  client->setFrameShape(QFrame::NoFrame);
  client->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  // The results take the frame's width and height and lay themselves out to it.
  client->setWidgetResizable(true);
  client->setWidget(m_display);
  column->addWidget(client, 1);
  column->addWidget(buildBottomBar());
  setCentralWidget(central);

  applyWindowLook(this);
  m_title->setFont(verdana(21.75, true));
  m_title->adjustSize();
  m_display->arrangeFrames();
  placeBirthTimeMover();

  // Back and Exit never leave the frame, however small it is made.
  setMinimumSize(tw(kPromotionLeftTwips) + kMinimumPromotionPx + tw(kBackGapTwips) * 3 + m_cmdBack->width() +
                     m_cmdExit->width() + tw(kExitRightGapTwips),
                 menuBar()->sizeHint().height() + tw(kTopBarTwips) + tw(kBottomBarTwips) + kMinimumClientHeightPx);
  resize(preferredSize());
  // Where the screen is too low for the results, the frame takes its width, and the results lay
  // themselves out lower in it.
  fitToScreenOnShow(this, [this] { return widerWhenTooTall(this, withScrollBarRoom(this, preferredSize())); });
  // The keyboard starts on the results' tabs, not on the scroll area round the whole results.
  if (auto* tabs = m_display->findChild<QTabWidget*>(QStringLiteral("SSTab1"))) tabs->tabBar()->setFocus();
}

QSize MdiFrame::preferredSize() const {
  const QSize content = m_display->sizeHint();
  return {content.width() + 4,
          content.height() + tw(kTopBarTwips) + tw(kBottomBarTwips) + menuBar()->sizeHint().height() + 4};
}

void MdiFrame::buildMenus() {
  QMenu* mnuFile = menuBar()->addMenu("&File");
  mnuFile->setObjectName("mnuFile");
  mnuFile->addAction("&Back", this, &MdiFrame::backRequested)->setObjectName("mnuBack");
  QAction* mnuSave = mnuFile->addAction(QString::fromUtf8("&Save Birth Data\u2026"), this, &MdiFrame::mnuSave_Click);
  mnuSave->setObjectName("mnuSave");
  mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuSave->setStatusTip(QStringLiteral("Saves the birth data of this chart in a birth-data file"));
  mnuFile->addSeparator()->setObjectName("mnuFileSep1");
  QAction* mnuPrint = mnuFile->addAction(QString::fromUtf8("&Print\u2026"), this, &MdiFrame::mnuPrint_Click);
  mnuPrint->setObjectName("mnuPrint");
  mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  mnuPrint->setStatusTip(QStringLiteral("Prints the chart and the Lagna details on two pages"));
  QAction* mnuPreview = mnuFile->addAction(QString::fromUtf8("Print Pre&view\u2026"), this, &MdiFrame::mnuPreview_Click);
  mnuPreview->setObjectName("mnuPreview");
  mnuPreview->setStatusTip(QStringLiteral("Shows the two pages as they will print"));
  QAction* mnuExportPdf = mnuFile->addAction(QString::fromUtf8("Export &PDF\u2026"), this, &MdiFrame::mnuExportPdf_Click);
  mnuExportPdf->setObjectName("mnuExportPdf");
  mnuExportPdf->setStatusTip(QStringLiteral("Writes the two printed pages to a PDF file"));
  mnuFile->addSeparator()->setObjectName("mnuFileSep2");
  mnuFile->addAction(QString::fromUtf8("Se&ttings\u2026"), this, [this] { ShowSettings(this, m_platform); })
      ->setObjectName("mnuSettings");
  mnuFile->addAction("E&xit", this, &QWidget::close)->setObjectName("mnuExit");
  m_chartActions = {mnuSave, mnuPrint, mnuPreview, mnuExportPdf};
  for (QAction* action : m_chartActions) action->setEnabled(false);

  buildViewMenu();
  addWebMenus(this, m_platform, {"mnuHelpSep1", "mnuHelpSep2", "mm"});
}

// View > Chart Style and Show Sign Names: remembered, and applied at once to the chart shown and to
// what is printed.
void MdiFrame::buildViewMenu() {
  const chart_view::ChartLook look = rememberedLook(m_platform.settings);
  QMenu* mnuView = menuBar()->addMenu("&View");
  mnuView->setObjectName("mnuView");
  QMenu* mnuChartStyle = mnuView->addMenu("Chart &Style");
  mnuChartStyle->setObjectName("mnuChartStyle");
  auto* styles = new QActionGroup(mnuChartStyle);
  for (const chart_view::ChartStyle style : chart_view::kChartStyles) {
    const std::string_view title = chart_view::chartStyleTitle(style);
    QAction* item = mnuChartStyle->addAction(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    const std::string_view key = chart_view::chartStyleKey(style);
    QString word = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    item->setObjectName(QStringLiteral("mnuStyle") + word.left(1).toUpper() + word.mid(1));
    item->setCheckable(true);
    item->setChecked(style == look.style);
    styles->addAction(item);
    connect(item, &QAction::triggered, this, [this, style, word] {
      chart_view::ChartLook changed = m_display->chartLook();
      changed.style = style;
      m_display->setChartLook(changed);
      m_platform.settings.setValue(kSettingsSection, kChartStyleKey, word);
    });
  }
  QAction* mnuSignNames = mnuView->addAction("Show Sign &Names");
  mnuSignNames->setObjectName("mnuSignNames");
  mnuSignNames->setCheckable(true);
  mnuSignNames->setChecked(look.signNames);
  connect(mnuSignNames, &QAction::toggled, this, [this](bool on) {
    chart_view::ChartLook changed = m_display->chartLook();
    changed.signNames = on;
    m_display->setChartLook(changed);
    m_platform.settings.setValue(kSettingsSection, kSignNamesKey, on ? QStringLiteral("1") : QStringLiteral("0"));
  });
}

QWidget* MdiFrame::buildTopBar() {
  auto* picTop = new QWidget;
  picTop->setObjectName("picTop");
  picTop->setFixedHeight(tw(kTopBarTwips));
  m_title = new QLabel("Halvora", picTop);
  m_title->setObjectName("Label2");
  m_title->move(tw(360), tw(120));
  return picTop;
}

QWidget* MdiFrame::buildBottomBar() {
  m_picture1 = new QWidget;
  m_picture1->setObjectName("Picture1");
  m_picture1->setFixedHeight(tw(kBottomBarTwips));

  auto* promotion = new ClickableLabel(kFullBrandLine, m_picture1);
  promotion->setObjectName("Label10");
  promotion->setWordWrap(true);
  promotion->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(promotion, &ClickableLabel::clicked, this, [this] { Open_FullBrand_Page(m_platform.urls); });
  m_label10 = promotion;

  m_cmdBack = new QPushButton("&Back", m_picture1);
  m_cmdBack->setObjectName("cmdBack");
  m_cmdExit = new QPushButton("E&xit", m_picture1);
  m_cmdExit->setObjectName("cmdExit");
  for (QPushButton* button : {m_cmdBack, m_cmdExit}) {
    button->setGeometry(twipsRect(0, kButtonTopTwips, kButtonWidthTwips, kButtonHeightTwips));
  }
  connect(m_cmdBack, &QPushButton::clicked, this, &MdiFrame::backRequested);
  connect(m_cmdExit, &QPushButton::clicked, this, &QWidget::close);
  return m_picture1;
}

void MdiFrame::showChart(const FormInput& form, const ChartResult& chart) {
  m_form = form;
  m_chart = chart;
  m_display->showResult(chart);
  m_mover->setTypedForm(form);
  for (QAction* action : m_chartActions) action->setEnabled(true);
}

// The birth-time control sits under the chart, on the chart's tab; a move shows its chart whole,
// drawn once, on the tab the user is on.
void MdiFrame::placeBirthTimeMover() {
  QWidget* page = m_display->findChild<QWidget*>("SSTab1_0");
  QWidget* chartFrame = page ? page->findChild<QWidget*>("Frame1", Qt::FindDirectChildrenOnly) : nullptr;
  m_mover = new BirthTimeMover(page);
  // Made after the results window took its look: its buttons take the same.
  applyWindowLook(m_mover);
  if (chartFrame) m_display->setUnderChart(m_mover);
  connect(m_mover, &BirthTimeMover::chartMoved, this, [this](const FormInput& form, const ChartResult& chart) {
    auto* tabs = m_display->findChild<QTabWidget*>();
    const int tab = tabs ? tabs->currentIndex() : 0;
    setUpdatesEnabled(false);
    m_form = form;
    m_chart = chart;
    m_display->showResult(chart);
    if (tabs) tabs->setCurrentIndex(tab);
    setUpdatesEnabled(true);
  });
  m_mover->takeKeysIn(this);
  connect(m_mover, &BirthTimeMover::useTimeRequested, this, &MdiFrame::birthTimeChosen);
}

void MdiFrame::preparePrinter(QPrinter& printer) const {
  // The document's name is also the file a print to PDF suggests: "asha.pdf".
  printer.setDocName(m_form ? suggestedFileStem(*m_form) : QStringLiteral("chart"));
  printer.setPageMargins(QMarginsF(print::kPageMarginMm, print::kPageMarginMm, print::kPageMarginMm,
                                   print::kPageMarginMm),
                         QPageLayout::Millimeter);
}

bool MdiFrame::printChart(QPrinter& printer) const {
  if (!m_chart) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const bool complete = print::paintChartPages(painter, printer, *m_chart, m_display->chartLook()).complete;
  return painter.end() && complete;
}

void MdiFrame::mnuSave_Click() {
  if (m_form) saveBirthDataAs(this, m_platform, *m_form);
}

// The paper is the printer's own (A4 or Letter, as it is set up), unless the user picks another.
void MdiFrame::mnuPrint_Click() {
  if (!m_chart) return;
  QPrinter printer(QPrinter::HighResolution);
  preparePrinter(printer);
  if (!m_platform.printing.askPrint(this, printer)) return;
  if (!printChart(printer)) {
    m_platform.messages.show(this, QStringLiteral("The chart could not be printed."), MessageIcon::Error);
  }
}

void MdiFrame::mnuPreview_Click() {
  if (!m_chart) return;
  QPrinter printer(QPrinter::HighResolution);
  preparePrinter(printer);
  m_platform.printing.preview(this, printer, [this](QPrinter& target) { printChart(target); });
}

void MdiFrame::mnuExportPdf_Click() {
  if (!m_chart || !m_form) return;
  const QString suggested = QDir(fileDialogFolder(m_platform.settings)).filePath(suggestedFileStem(*m_form) + ".pdf");
  const QString path = m_platform.files.saveFileName(this, QStringLiteral("Export PDF"), suggested,
                                                     QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  const QString problem = print::writeChartPdf(path, *m_chart, print::defaultPageSize(), m_display->chartLook());
  if (!problem.isEmpty()) {
    m_platform.messages.show(this, QStringLiteral("Cannot export %1: %2").arg(path, problem), MessageIcon::Error);
  }
}

void MdiFrame::MDIForm_Resize() {
  const int exitLeft = width() - m_cmdExit->width() - tw(kExitRightGapTwips);
  m_cmdExit->move(exitLeft, m_cmdExit->y());
  const int backLeft = exitLeft - m_cmdBack->width() - tw(kBackGapTwips);
  m_cmdBack->move(backLeft, m_cmdBack->y());
  // The promotional line fills what the buttons leave.
  const int promotionLeft = tw(kPromotionLeftTwips);
  m_label10->setGeometry(promotionLeft, 0, qMax(0, backLeft - promotionLeft - tw(kBackGapTwips) * 2),
                         m_picture1->height());
}

void MdiFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  MDIForm_Resize();
}

void MdiFrame::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace halvora::ui
