// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of the program: the single-instance test, the update reminder, the entry form, the
// results in their frame, Back, and the way out through the closing screen.

#include <QObject>
#include <QPointer>

#include <memory>

#include "chart/chart_request.h"
#include "ui/platform.h"

class QWidget;

namespace halvora::ui {

class FrmClosingScreen;
class FrmMain;
class MdiFrame;

// Days either side of the last reminder within which no update question is asked.
inline constexpr int kReminderQuietDays = 14;

// Asks, at most once per start and only 15 or more days from the last reminder, whether to look
// for an update; remembers today as the date of the last reminder ("Duration" in "Settings").
void Update_Reminder(Platform& platform, QWidget* parent = nullptr);

class Application : public QObject {
  Q_OBJECT
 public:
  explicit Application(Platform& platform, QObject* parent = nullptr);
  ~Application() override;

  // Runs the start-up; false when another copy is already running and this one must end. A
  // birth-data file given (as `halvora FILE` is) opens in the entry form once it is shown; when
  // another copy runs, the file is handed to it instead.
  bool start(const QString& birthDataFile = {});

  FrmMain* entryForm() const { return m_main.get(); }
  MdiFrame* frame() const;
  FrmClosingScreen* closingScreen() const { return m_closing.get(); }

 signals:
  // The program is to end (the closing screen was closed, or a second copy was refused).
  void applicationEnded();

 private:
  void showResults(const ChartResult& result);
  void openHandedOverFile(const QString& file);
  void goBack();
  void showClosingScreen();
  void End_Application();

  Platform& m_platform;
  std::unique_ptr<FrmMain> m_main;
  QPointer<MdiFrame> m_frame;
  std::unique_ptr<FrmClosingScreen> m_closing;
};

}  // namespace halvora::ui
