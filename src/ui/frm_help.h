// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The offline manual: the help shipped inside the program, shown in a window of its own with a
// find box. It reads nothing from the network.

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace halvora::ui {

// The manual's page in the program's resources.
inline constexpr char kManualPage[] = "qrc:/halvora/help/manual.html";

class FrmHelp : public QWidget {
  Q_OBJECT
 public:
  explicit FrmHelp(QWidget* parent = nullptr);

  // Finds the find box's text after the cursor (or before it, backwards), from the other end when
  // it is not found on the way; says "Not found" beside the box when it is nowhere.
  bool findNext(bool backwards = false);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTextBrowser* m_manual = nullptr;
  QLineEdit* m_find = nullptr;
  QLabel* m_findResult = nullptr;
};

// Shows the manual for a window (F1, Help > "Halvora Help"): its help window, made the first time.
FrmHelp* showHelp(QWidget* window);

}  // namespace halvora::ui
