// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace halvora::ui {

namespace {

QMargins frameOf(const QWidget* window) {
  if (const QWindow* handle = window->windowHandle()) return handle->frameMargins();
  return {};
}

// How long, after the window is first shown, the window manager may take to frame and place it,
// and how often its placement is put right in that time.
constexpr int kFramePollMs = 50;
constexpr int kFramePolls = 40;
constexpr int kCorrections = 3;

// Fits the window when it is first shown, and again once the window manager has framed and placed
// it (the frame is known only some moments after the window is mapped, and no event says when).
class ScreenFitter : public QObject {
 public:
  ScreenFitter(QWidget* window, std::function<QSize()> wanted)
      : QObject(window), m_window(window), m_wanted(std::move(wanted)) {
    window->installEventFilter(this);
    m_poll.setInterval(kFramePollMs);
    connect(&m_poll, &QTimer::timeout, this, &ScreenFitter::checkPlacement);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
      m_shown = true;
      fitToScreen(m_window, m_wanted());
      m_poll.start();
    }
    return false;
  }

 private:
  void checkPlacement() {
    if (!m_window || !m_window->isVisible() || ++m_polls > kFramePolls) {
      m_poll.stop();
      return;
    }
    const QMargins frame = frameOf(m_window);
    if (frame.isNull() || m_window->screen() == nullptr) return;
    const QRect wanted =
        fittedGeometry(m_window->screen()->availableGeometry(), m_wanted(), m_window->minimumSize(), frame);
    if (m_window->geometry() == wanted) {
      m_poll.stop();
      return;
    }
    if (m_corrections++ >= kCorrections) {
      m_poll.stop();
      return;
    }
    fitToScreen(m_window, m_wanted());
  }

  QPointer<QWidget> m_window;
  std::function<QSize()> m_wanted;
  QTimer m_poll;
  int m_polls = 0;
  int m_corrections = 0;
  bool m_shown = false;
};

}  // namespace

QRect fittedGeometry(const QRect& available, QSize wanted, QSize minimum, const QMargins& frame) {
  const QSize room(available.width() - frame.left() - frame.right(), available.height() - frame.top() - frame.bottom());
  const QSize size = wanted.boundedTo(room).expandedTo(minimum);
  const QSize framed(size.width() + frame.left() + frame.right(), size.height() + frame.top() + frame.bottom());
  // Centred; a window larger than the area (its minimum) keeps its top left corner on screen.
  const int left = available.left() + std::max(0, (available.width() - framed.width()) / 2);
  const int top = available.top() + std::max(0, (available.height() - framed.height()) / 2);
  return {QPoint(left + frame.left(), top + frame.top()), size};
}

QSize withScrollBarRoom(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return wanted;
  const QMargins frame = frameOf(window);
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window) + 2;
  QSize room = wanted;
  if (wanted.height() > area.height()) room.rwidth() += bar;
  if (wanted.width() > area.width()) room.rheight() += bar;
  return room;
}

QSize widerWhenTooTall(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return wanted;
  const QRect area = screen->availableGeometry().marginsRemoved(frameOf(window));
  if (wanted.height() > area.height()) wanted.setWidth(std::max(wanted.width(), area.width()));
  return wanted;
}

void fitToScreen(QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QMargins frame = frameOf(window);
  const QRect geometry = fittedGeometry(screen->availableGeometry(), wanted, window->minimumSize(), frame);
  window->resize(geometry.size());
  // move() places the frame's corner.
  window->move(geometry.topLeft() - QPoint(frame.left(), frame.top()));
}

void fitToScreenOnShow(QWidget* window, std::function<QSize()> wanted) { new ScreenFitter(window, std::move(wanted)); }

}  // namespace halvora::ui
