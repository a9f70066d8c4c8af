// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last window of a run: the forum, the maker's other programs and the refer-a-friend form.
// Closing it (close box or "E&xit") ends the program.

#include <QHash>
#include <QWidget>

#include "ui/platform.h"

class QLineEdit;

namespace halvora::ui {

// The number of the promotional text for a random number in [0, 1): floor(r × 4), 0..3.
int promotionIndex(double randomNumber);
// Promotional text number `index` (0..3) of the closing screen's Label2.
QString promotionalText(int index);

class FrmClosingScreen : public QWidget {
  Q_OBJECT
 public:
  explicit FrmClosingScreen(Platform& platform, QWidget* parent = nullptr);

  // Shows the window above all others, without moving or resizing it, and gives it the keyboard:
  // the windows before it are gone, so nothing else of the program could take a key.
  void showTopMost();

 signals:
  // The user closed the screen: the program should end.
  void endApplicationRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void cmdSubmit_Click();
  void Check1_Click(bool ticked);
  void dropPastedBlanks(QLineEdit* email);
  void requestEnd();
  QString boxText(QObject* box) const;
  void setBoxText(QObject* box, const QString& text);

  Platform& m_platform;
  QHash<QObject*, QString> m_placeholders;  // the five text boxes and their placeholders
  bool m_endRequested = false;
};

}  // namespace halvora::ui
