// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look every Halvora window shares: caption, colours, fonts, and the twip measure the layouts
// are drawn in.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

#include "chart_view/captions.h"
#include "chart_view/chart_layout.h"

class QStyle;
class QWidget;

namespace halvora::ui {

// The texts the windows share with the printed pages and halvora-chart.
using chart_view::CaptionedValue;
using chart_view::kPositionNames;
using chart_view::kPredictions;
using chart_view::kProfileGrid;
using chart_view::kWindowCaption;

inline constexpr char kMessageTitle[] = "Halvora";

inline const QColor kOlive{64, 64, 0};             // window backgrounds
inline const QColor kLightOrange{255, 192, 128};   // text
inline const QColor kLightPeach{255, 224, 192};    // command buttons
inline const QColor kLightGreen{192, 255, 192};    // the prosperity line of the entry form
inline const QColor kNoticeYellow{255, 255, 160};  // a notice the user must not miss
inline const QColor kFocusMark{255, 255, 0};       // the mark round the control that has the focus
inline const QColor kScrollGroove{222, 190, 150};  // the track of a scroll bar, below its peach handle

// Twips per pixel at 96 dpi; Qt scales pixels on high-dpi screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int tw(int twips) { return twips / kTwipsPerPixel; }
inline QRect twipsRect(int left, int top, int width, int height) {
  return {tw(left), tw(top), tw(width), tw(height)};
}

// The windows' style: Fusion, with a focus mark that is plainly visible on the olive background.
QStyle* createWindowStyle();

// Verdana and Courier New are not on Linux: name the Debian fonts that stand in for them.
void registerFontSubstitutes();

QFont verdana(double pointSize, bool bold = false);
QFont courierNew(double pointSize, bool bold = false);

// Olive background, light orange text, peach buttons, Verdana 8.25 pt with bold frame captions,
// buttons and check boxes, and the window caption. Call once the window's controls exist; a
// control that already has its own font keeps it.
void applyWindowLook(QWidget* window);

// A caption as the core writes it ("\r\n" between lines) as a Qt label shows it.
QString captionText(const std::string& text);

// The lines of a caption (chart_view::captionLines) as Qt texts.
std::vector<QString> captionLines(const QString& caption);

// The chart's plain geometry in Qt's types.
inline QRectF qtRect(const chart_view::Box& b) { return {b.left, b.top, b.width, b.height}; }
inline chart_view::Box plainBox(const QRectF& r) { return {r.left(), r.top(), r.width(), r.height()}; }

}  // namespace halvora::ui
