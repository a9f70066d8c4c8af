// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a top-level window at a size that fits the screen: as large as it wants to be, but with
// its frame inside the screen's available area, centred there.

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

namespace halvora::ui {

// The window's geometry (without its frame) for a wanted size: bounded by the available area
// less the frame, at least `minimum`, the frame centred in the area.
QRect fittedGeometry(const QRect& available, QSize wanted, QSize minimum, const QMargins& frame);

// Sizes and centres `window` when it is first shown, and again once the window manager has
// framed it, so that its frame lies inside the available screen area. `wanted` gives the size
// the window would like for its contents.
void fitToScreenOnShow(QWidget* window, std::function<QSize()> wanted);

// A wanted size with room for the scroll bar that its contents will need where the screen is
// smaller than they are (so that a tall window does not also scroll sideways).
QSize withScrollBarRoom(const QWidget* window, QSize wanted);

// A wanted size that, where the screen is lower than it, takes the screen's whole width instead:
// for contents that lay themselves out lower when they are given more width.
QSize widerWhenTooTall(const QWidget* window, QSize wanted);

// Does so now, with the frame the window has at present.
void fitToScreen(QWidget* window, QSize wanted);

}  // namespace halvora::ui
