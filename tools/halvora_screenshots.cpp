// SPDX-License-Identifier: GPL-3.0-or-later
// halvora-screenshots [--form FILE] [--chart-style south|north|east] [--sign-names] OUTDIR: renders
// every window of Halvora to PNG files, for looking at them without a desktop (run with
// QT_QPA_PLATFORM=offscreen), the results in the chart style asked for. With --form, the
// results window of the birth in FILE (a birth-data file, or one JSON object in the keys of a
// halvora-chart --batch line, "place" among them) as well: results-chart.png and results-details.png.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextStream>

#include <cstdio>
#include <optional>
#include <variant>

#include "ui/window_icon.h"
#include "ui/birth_data_files.h"
#include "ui/frm_about.h"
#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_help.h"
#include "ui/frm_main.h"
#include "ui/look.h"
#include "ui/mdi_frame.h"
#include "ui/model_settings.h"
#include "ui/place_completer.h"
#include "ui/silent_platform.h"

namespace {

using namespace halvora::ui;

bool save(QWidget* window, const QDir& dir, const QString& file) {
  window->show();
  // The offscreen screen is small: a frame gets its full size, as on a desktop.
  if (auto* frame = qobject_cast<MdiFrame*>(window)) frame->resize(frame->preferredSize());
  if (auto* form = qobject_cast<FrmMain*>(window)) form->resize(form->preferredSize());
  QApplication::processEvents();
  const QString path = dir.filePath(file);
  const bool ok = window->grab().save(path);
  QTextStream(stdout) << (ok ? "wrote " : "could not write ") << path << '\n';
  return ok;
}

// A window with the focus on one of its controls, as the keyboard leaves it there.
bool saveFocused(QWidget* window, const char* control, const QDir& dir, const QString& file) {
  window->show();
  window->activateWindow();
  QApplication::processEvents();
  auto* target = window->findChild<QWidget*>(QString::fromLatin1(control));
  if (target == nullptr) return false;
  target->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  return save(window, dir, file);
}

// A window's File menu, opened as the user would see it.
bool saveFileMenu(QWidget* window, const QDir& dir, const QString& file) {
  auto* menu = window->findChild<QMenu*>("mnuFile");
  if (menu == nullptr) return false;
  emit menu->aboutToShow();
  menu->popup(window->mapToGlobal(QPoint(0, 0)));
  QApplication::processEvents();
  const QString path = dir.filePath(file);
  const bool ok = menu->grab().save(path);
  menu->hide();
  QTextStream(stdout) << (ok ? "wrote " : "could not write ") << path << '\n';
  return ok;
}

// A window with the popup open over it, as the screen shows the two.
bool saveWithPopup(QWidget* window, QWidget* popup, const QDir& dir, const QString& file) {
  QApplication::processEvents();
  const QPixmap below = window->grab();
  const QPixmap above = popup->grab();
  const QPoint at = popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
  const QRect canvas = QRect(QPoint(0, 0), below.deviceIndependentSize().toSize())
                           .united(QRect(at, above.deviceIndependentSize().toSize()));
  QPixmap both(canvas.size() * below.devicePixelRatio());
  both.setDevicePixelRatio(below.devicePixelRatio());
  both.fill(Qt::black);
  QPainter painter(&both);
  painter.drawPixmap(QPoint(0, 0), below);
  painter.drawPixmap(at, above);
  painter.end();
  const QString path = dir.filePath(file);
  const bool ok = both.save(path);
  QTextStream(stdout) << (ok ? "wrote " : "could not write ") << path << '\n';
  return ok;
}

// Types the text into a box key by key, as the keyboard would.
void typeInto(QWidget* box, const QString& text) {
  box->setFocus();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
  }
  QApplication::processEvents();
}

void setText(QWidget* form, const char* name, const QString& text) {
  if (auto* edit = form->findChild<QLineEdit*>(name)) edit->setText(text);
}

void choose(QWidget* form, const char* name, int index) {
  if (auto* list = form->findChild<QComboBox*>(name)) list->setCurrentIndex(index);
}

// The sample birth: New Delhi, 22 February 2011, 9:05:30, Indian time.
void fillSample(FrmMain& form) {
  setText(&form, "txtName", "ASHA");
  choose(&form, "cboMonth", 1);
  choose(&form, "cboDate", 21);
  choose(&form, "cboYear", 2011 - 1901);
  choose(&form, "cboHH", 9);
  choose(&form, "cboMM", 5);
  choose(&form, "cboSS", 30);
  setText(&form, "txtMCity", "New Delhi");
  setText(&form, "txtMState", "Delhi");
  setText(&form, "txtMCountry", "India");
  setText(&form, "txtLatD", "28");
  setText(&form, "txtLatM", "37");
  setText(&form, "txtLonD", "77");
  setText(&form, "txtLonM", "13");
  choose(&form, "cmbTimeZone", 34);
}

// The results window of one chart, both tabs.
bool saveResults(Platform& platform, const halvora::FormInput& form, const halvora::ChartResult& result,
                 const QDir& dir, const halvora::chart_view::ChartLook& look) {
  MdiFrame frame(platform);
  frame.display()->setChartLook(look);
  frame.showChart(form, result);
  frame.show();
  frame.resize(frame.preferredSize());
  QApplication::processEvents();
  bool ok = true;
  FrmDisplay* display = frame.display();
  const auto grab = [&](const QString& file) {
    QApplication::processEvents();
    const QString path = dir.filePath(file);
    const bool saved = display->grab().save(path);
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << '\n';
    ok &= saved;
  };
  grab("results-chart.png");
  if (auto* tabs = display->findChild<QTabWidget*>("SSTab1")) tabs->setCurrentIndex(1);
  grab("results-details.png");
  frame.hide();
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  Q_INIT_RESOURCE(halvora);
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments().mid(1);
  std::optional<QString> formFile;
  QString outDir;
  halvora::chart_view::ChartLook look;
  bool usable = true;
  for (qsizetype i = 0; i < args.size() && usable; ++i) {
    if (args[i] == "--form" && i + 1 < args.size()) {
      formFile = args[++i];
    } else if (args[i] == "--chart-style" && i + 1 < args.size()) {
      const auto style = halvora::chart_view::chartStyleFromKey(args[++i].toStdString());
      usable = style.has_value();
      look.style = style.value_or(look.style);
    } else if (args[i] == "--sign-names") {
      look.signNames = true;
    } else if (!args[i].startsWith("--") && outDir.isEmpty()) {
      outDir = args[i];
    } else {
      usable = false;
    }
  }
  if (!usable || outDir.isEmpty()) {
    std::fprintf(stderr, "usage: halvora-screenshots [--form FILE] [--chart-style south|north|east] [--sign-names] OUTDIR\n");
    return 2;
  }
  std::optional<halvora::ChartResult> formResult;
  halvora::FormInput formTyped;
  if (formFile) {
    // Read as the entry form opens it: a place of the atlas fills the coordinates and the zone.
    auto form = readBirthData(*formFile);
    if (const auto* problem = std::get_if<QString>(&form)) {
      QTextStream(stderr) << "halvora-screenshots: " << *problem << '\n';
      return 2;
    }
    auto outcome = halvora::RunChartRequest(std::get<halvora::FormInput>(form));
    if (const auto* failure = std::get_if<halvora::ValidationFailure>(&outcome)) {
      QTextStream(stderr) << "halvora-screenshots: " << *formFile << ": " << QString::fromStdString(failure->message)
                          << '\n';
      return 2;
    }
    formResult = std::get<halvora::ChartResult>(outcome);
    formTyped = std::get<halvora::FormInput>(form);
  }
  QApplication::setStyle(halvora::ui::createWindowStyle());
  QApplication::setWindowIcon(halvora::ui::windowIcon());
  registerFontSubstitutes();
  QDir dir(outDir);
  if (!dir.mkpath(".")) return 1;

  SilentPlatform services;
  Platform& platform = services.platform;
  bool ok = true;

  // The atlas: the list under City, then the form filled from the place chosen in it.
  {
    FrmMain atlasForm(platform);
    ok &= save(&atlasForm, dir, "frmMain.png");
    setText(&atlasForm, "txtName", "ASHA");
    choose(&atlasForm, "cboMonth", 2);
    choose(&atlasForm, "cboDate", 14);
    choose(&atlasForm, "cboYear", 1943 - 1901);
    choose(&atlasForm, "cboHH", 9);
    choose(&atlasForm, "cboMM", 5);
    auto* city = atlasForm.findChild<QLineEdit*>("txtMCity");
    auto* completer = city ? city->findChild<PlaceCompleter*>() : nullptr;
    if (city && completer) {
      typeInto(city, "pun");
      // The atlas is read in the background from the first letter; the list opens once it is.
      QDeadlineTimer patience(10000);
      while (completer->shown().empty() && !patience.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
      }
      if (completer->shown().empty()) {
        QTextStream(stderr) << "the list of places under City stayed empty\n";
        ok = false;
      }
      ok &= saveWithPopup(&atlasForm, completer->popup(), dir, "frmMain-places.png");
      // The second line taken with the arrow keys.
      for (int step = 0; step < 2; ++step) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(completer->popup(), &down);
      }
      ok &= saveWithPopup(&atlasForm, completer->popup(), dir, "frmMain-places-down.png");
      if (!completer->shown().empty()) atlasForm.choosePlace(completer->shown().front());
      completer->popup()->hide();
      ok &= save(&atlasForm, dir, "frmMain-place-chosen.png");
    }
    atlasForm.hide();
  }

  FrmMain form(platform);
  ok &= saveFileMenu(&form, dir, "frmMain-file-menu.png");
  fillSample(form);
  ok &= save(&form, dir, "frmMain-filled.png");
  ok &= saveFocused(&form, "cmdRashi", dir, "frmMain-focus-button.png");
  ok &= saveFocused(&form, "cboHH", dir, "frmMain-focus-list.png");

  const halvora::ChartRequestOutcome outcome = halvora::RunChartRequest(form.formInput());
  if (!std::holds_alternative<halvora::ChartResult>(outcome)) {
    std::fprintf(stderr, "the sample birth did not pass the checks\n");
    return 1;
  }
  form.hide();
  MdiFrame frame(platform);
  frame.showChart(form.formInput(), std::get<halvora::ChartResult>(outcome));
  ok &= save(&frame, dir, "MDI-chart.png");
  ok &= saveFileMenu(&frame, dir, "MDI-file-menu.png");
  if (auto* tabs = frame.findChild<QTabWidget*>("SSTab1")) tabs->setCurrentIndex(1);
  ok &= save(&frame, dir, "MDI-details.png");
  frame.hide();

  // A place without sunrise: the notice above the tabs.
  halvora::FormInput north = form.formInput();
  north.latDeg = "80";
  north.monthIndex = 11;
  north.day = "21";
  const halvora::ChartRequestOutcome polar = halvora::RunChartRequest(north);
  if (const auto* result = std::get_if<halvora::ChartResult>(&polar)) {
    MdiFrame polarFrame(platform);
    polarFrame.display()->showResult(*result);
    ok &= save(&polarFrame, dir, "MDI-no-sunrise.png");
    polarFrame.hide();
  }

  FrmAbout about(platform);
  ok &= save(&about, dir, "frmAbout.png");
  about.hide();

  // The Settings dialog, and the sample's chart with Swiss Ephemeris where the system has it.
  FrmSettings settings(platform.settings, halvora::SwissUnavailableReason());
  ok &= save(&settings, dir, "frmSettings.png");
  settings.hide();
  const auto swiss = halvora::OpenPositionModel({halvora::EphemerisKind::Swiss});
  if (const auto* model = std::get_if<std::shared_ptr<const halvora::PositionModel>>(&swiss)) {
    const halvora::ChartRequestOutcome swissOutcome = halvora::RunChartRequest(form.formInput(), **model);
    MdiFrame swissFrame(platform);
    swissFrame.showChart(form.formInput(), std::get<halvora::ChartResult>(swissOutcome));
    ok &= save(&swissFrame, dir, "MDI-chart-swiss.png");
    swissFrame.hide();
  }
  FrmHelp help;
  ok &= save(&help, dir, "frmHelp.png");
  if (auto* find = help.findChild<QLineEdit*>("txtFind")) {
    find->setText(QStringLiteral("zone line"));
    help.findNext();
    ok &= save(&help, dir, "frmHelp-found.png");
  }
  help.hide();

  FrmClosingScreen closing(platform);
  ok &= save(&closing, dir, "frmClosingScreen.png");
  ok &= saveFocused(&closing, "cmdSubmit", dir, "frmClosingScreen-focus-button.png");
  closing.hide();

  if (formResult) ok &= saveResults(platform, formTyped, *formResult, dir, look);
  return ok ? 0 : 1;
}
