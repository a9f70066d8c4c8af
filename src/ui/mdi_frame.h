#pragma once
// The frame window of the results: a title bar at the top, the results window in the middle, and
// at the bottom the promotional line with "Back" and "Exit", kept at the right edge.

#include <QMainWindow>

#include "ui/platform.h"

class QLabel;
class QPushButton;
class QWidget;

namespace halvora::ui {

class FrmDisplay;

class MdiFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit MdiFrame(Platform& platform, QWidget* parent = nullptr);

  FrmDisplay* display() const { return m_display; }

  // The size that shows the whole results window without scroll bars.
  QSize preferredSize() const;

  // Places "E&xit" 300 twips from the right edge and "&Back" 100 twips to its left.
  void MDIForm_Resize();

 signals:
  // "&Back": the user wants the entry form again.
  void backRequested();
  // The user closed the frame (close box, "E&xit" or the menu).
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenus();
  QWidget* buildTopBar();
  QWidget* buildBottomBar();

  Platform& m_platform;
  FrmDisplay* m_display = nullptr;
  QWidget* m_picture1 = nullptr;
  QPushButton* m_cmdBack = nullptr;
  QPushButton* m_cmdExit = nullptr;
  QWidget* m_label10 = nullptr;
  QLabel* m_title = nullptr;
};

}  // namespace halvora::ui
