// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"
#include "ui/web_pages.h"

namespace halvora::ui {

namespace {

constexpr char kSettingsSection[] = "Settings";
constexpr char kReminderKey[] = "Duration";

QString dateText(const QDate& date) { return date.toString(Qt::ISODate); }

}  // namespace

void Update_Reminder(Platform& platform, QWidget* parent) {
  const QDate today = platform.clock.today();
  const QDate last = QDate::fromString(platform.settings.value(kSettingsSection, kReminderKey), Qt::ISODate);
  // A first start (or a value that is no date) only remembers today.
  if (!last.isValid()) {
    platform.settings.setValue(kSettingsSection, kReminderKey, dateText(today));
    return;
  }
  const qint64 days = today.daysTo(last);
  if (days >= -kReminderQuietDays && days <= kReminderQuietDays) return;

  const bool check = platform.messages.askYesNo(
      parent, QStringLiteral("There maybe an update to this software available\nDo you want to check for an update?"),
      MessageIcon::Information);
  platform.settings.setValue(kSettingsSection, kReminderKey, dateText(today));
  if (check) Open_Download_Page(platform.urls);
}

Application::Application(Platform& platform, QObject* parent) : QObject(parent), m_platform(platform) {}

Application::~Application() {
  if (m_frame) delete m_frame.data();
}

MdiFrame* Application::frame() const { return m_frame.data(); }

bool Application::start(const QString& birthDataFile) {
  if (!m_platform.instanceLock.tryAcquire()) {
    // A file goes to the copy that runs, which opens it; without one, or when that copy does not
    // take it, the second start only says that Halvora runs.
    if (birthDataFile.isEmpty() || !m_platform.instanceLock.handOver(birthDataFile))
      m_platform.messages.show(nullptr, QStringLiteral("Application is already running"), MessageIcon::Information);
    End_Application();
    return false;
  }
  Update_Reminder(m_platform);

  m_main = std::make_unique<FrmMain>(m_platform);
  connect(m_main.get(), &FrmMain::chartReady, this, &Application::showResults);
  connect(m_main.get(), &FrmMain::closed, this, &Application::showClosingScreen);
  m_main->show();
  if (!birthDataFile.isEmpty()) m_main->openBirthDataFile(birthDataFile);
  m_platform.instanceLock.listenForFiles([this](const QString& file) { openHandedOverFile(file); });
  return true;
}

// As File > Open does, in the entry form brought to the front; results or the closing screen
// that were showing give way to it.
void Application::openHandedOverFile(const QString& file) {
  if (!m_main) return;
  if (m_frame) goBack();
  if (m_closing) m_closing->hide();
  m_main->setWindowState(m_main->windowState() & ~Qt::WindowMinimized);
  m_main->show();
  m_main->raise();
  m_main->activateWindow();
  m_main->openBirthDataFile(file);
}

// The entry form is only hidden, so its entries wait for Back; every chart gets a fresh frame.
void Application::showResults(const ChartResult& result) {
  if (m_frame) delete m_frame.data();
  auto* frame = new MdiFrame(m_platform);
  m_frame = frame;
  frame->showChart(m_main->formInput(), result);
  connect(frame, &MdiFrame::backRequested, this, &Application::goBack);
  connect(frame, &MdiFrame::birthTimeChosen, m_main.get(), &FrmMain::setFormInput);
  connect(frame, &MdiFrame::closed, this, &Application::showClosingScreen);
  m_main->hide();
  frame->show();
}

void Application::goBack() {
  if (m_frame) {
    m_frame->hide();
    m_frame->deleteLater();
    m_frame = nullptr;
  }
  m_main->show();
}

// Whichever window was closed, it goes first; then the closing screen appears in the same way,
// centred and on top, with the keyboard's focus in its first box.
void Application::showClosingScreen() {
  if (m_frame) {
    // The form's entries end with the program: a changed file is offered for saving first.
    if (m_main) m_main->offerToSaveChanges();
    m_frame->hide();
    m_frame->deleteLater();
    m_frame = nullptr;
  }
  if (m_main) m_main->hide();
  if (!m_closing) {
    m_closing = std::make_unique<FrmClosingScreen>(m_platform);
    connect(m_closing.get(), &FrmClosingScreen::endApplicationRequested, this, &Application::End_Application);
  }
  m_closing->showTopMost();
}

void Application::End_Application() {
  if (m_frame) m_frame->hide();
  if (m_main) m_main->hide();
  if (m_closing) m_closing->hide();
  emit applicationEnded();
}

}  // namespace halvora::ui
