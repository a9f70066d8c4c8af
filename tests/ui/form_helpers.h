// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Filling the entry form the way a user would, for the window tests.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

#include <gtest/gtest.h>

namespace halvora::ui::testing {

template <typename T = QWidget>
T* child(const QWidget* window, const QString& name) {
  T* found = window->findChild<T*>(name);
  EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
  return found;
}

inline void setText(QWidget* form, const QString& name, const QString& text) {
  if (auto* edit = child<QLineEdit>(form, name)) edit->setText(text);
}

inline void choose(QWidget* form, const QString& name, const QString& item) {
  if (auto* list = child<QComboBox>(form, name)) {
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << item.toStdString() << " is not in " << name.toStdString();
    list->setCurrentIndex(index);
  }
}

// ASHA, born in New Delhi on 22 February 2011 at 9:05:30 Indian time, 28°37' N 77°13' E.
inline void fillNewDelhiBirth(QWidget* form) {
  setText(form, "txtName", "ASHA");
  choose(form, "cboMonth", "February");
  choose(form, "cboDate", "22");
  choose(form, "cboYear", "2011");
  choose(form, "cboHH", "9");
  choose(form, "cboMM", "5");
  choose(form, "cboSS", "30");
  setText(form, "txtMCity", "New Delhi");
  setText(form, "txtMState", "Delhi");
  setText(form, "txtMCountry", "India");
  setText(form, "txtLatD", "28");
  setText(form, "txtLatM", "37");
  setText(form, "txtLonD", "77");
  setText(form, "txtLonM", "13");
  choose(form, "cmbTimeZone", "Indian Time, IST, +5.3");
}

// Triggers an action and gives the object name of the modal window it opened, closing that again.
inline QString modalOpenedBy(QAction* action) {
  QString shown;
  QTimer::singleShot(0, [&shown] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      shown = modal->objectName();
      modal->close();
    }
  });
  action->trigger();
  return shown;
}

// Whether any pixel of the image is within a few units of the colour (text is anti-aliased).
inline bool hasColour(const QImage& image, QColor colour) {
  constexpr int kTolerance = 12;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) <= kTolerance && std::abs(pixel.green() - colour.green()) <= kTolerance &&
          std::abs(pixel.blue() - colour.blue()) <= kTolerance) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace halvora::ui::testing
