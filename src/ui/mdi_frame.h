// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame window of the results: a title bar at the top, the results window in the middle, and
// at the bottom the promotional line with "Back" and "Exit", kept at the right edge.

#include <QMainWindow>

#include <optional>

#include "chart/chart_request.h"
#include "ui/platform.h"

class QAction;
class QLabel;
class QPrinter;
class QPushButton;
class QWidget;

namespace halvora::ui {

class BirthTimeMover;
class FrmDisplay;

class MdiFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit MdiFrame(Platform& platform, QWidget* parent = nullptr);

  FrmDisplay* display() const { return m_display; }
  BirthTimeMover* mover() const { return m_mover; }

  // Shows a chart and keeps it, with the form it came from, for saving and printing.
  void showChart(const FormInput& form, const ChartResult& chart);

  // Draws the chart's printed pages on a printer; false when the printer refused them.
  bool printChart(QPrinter& printer) const;

  // The size that shows the whole results window without scroll bars.
  QSize preferredSize() const;

  // Places "E&xit" 300 twips from the right edge and "&Back" 100 twips to its left.
  void MDIForm_Resize();

 public slots:
  // "&Save Birth Data…", "&Print…", "Print Pre&view…" and "Export &PDF…".
  void mnuSave_Click();
  void mnuPrint_Click();
  void mnuPreview_Click();
  void mnuExportPdf_Click();

 signals:
  // "&Back": the user wants the entry form again.
  void backRequested();
  // The user closed the frame (close box, "E&xit" or the menu).
  void closed();
  // "Use this time": the entry form is to take this form, its birth time moved.
  void birthTimeChosen(const halvora::FormInput& form);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  void placeBirthTimeMover();
  void buildViewMenu();
  QWidget* buildTopBar();
  QWidget* buildBottomBar();

  void preparePrinter(QPrinter& printer) const;

  Platform& m_platform;
  std::optional<FormInput> m_form;
  std::optional<ChartResult> m_chart;
  QList<QAction*> m_chartActions;  // the items that need a chart
  FrmDisplay* m_display = nullptr;
  BirthTimeMover* m_mover = nullptr;
  QWidget* m_picture1 = nullptr;
  QPushButton* m_cmdBack = nullptr;
  QPushButton* m_cmdExit = nullptr;
  QWidget* m_label10 = nullptr;
  QLabel* m_title = nullptr;
};

}  // namespace halvora::ui
