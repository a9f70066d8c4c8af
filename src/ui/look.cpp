// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QPointer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <optional>

namespace halvora::ui {

namespace {

constexpr double kBasePointSize = 8.25;
constexpr int kFocusMarkWidthPx = 2;
constexpr int kButtonBorderPx = 2;  // the dark border of a button that has the focus

// The two-pixel yellow frame round the control that has the focus, just inside `rect`: four
// filled bands, which the painter fills directly (a wide pen would be stroked as a path).
void drawFocusMark(const QRect& rect, QPainter* painter) {
  const int w = kFocusMarkWidthPx;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  if (rect.width() <= 2 * w || rect.height() <= 2 * w) {
    painter->fillRect(rect, kFocusMark);
  } else {
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), w), kFocusMark);
    painter->fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), kFocusMark);
    painter->fillRect(QRect(rect.left(), rect.top() + w, w, rect.height() - 2 * w), kFocusMark);
    painter->fillRect(QRect(rect.right() - w + 1, rect.top() + w, w, rect.height() - 2 * w), kFocusMark);
  }
  painter->restore();
}

// An icon of the style that is read only when first drawn or measured. Every menu bar asks for
// the icons of its extension button (shown only when the bar is too narrow for its menus), and
// the style reads them from image files: at start that would read images no one sees.
class IconOnFirstUse : public QIconEngine {
 public:
  explicit IconOnFirstUse(std::function<QIcon()> make) : m_make(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, mode, state);
  }
  // `size` is in device pixels here.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size / scale, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  bool isNull() override { return icon().isNull(); }
  QString key() const override { return QStringLiteral("IconOnFirstUse"); }
  QIconEngine* clone() const override { return new IconOnFirstUse(*this); }

 private:
  const QIcon& icon() {
    if (!m_icon) m_icon = m_make();
    return *m_icon;
  }

  std::function<QIcon()> m_make;
  std::optional<QIcon> m_icon;
};

// Fusion marks the focus with a faint patch; this draws a plain yellow frame instead.
class WindowStyle : public QProxyStyle {
 public:
  WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameFocusRect) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    // A button's mark runs just inside its focus border, clear of the caption's letters.
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
      drawFocusMark(button->rect().adjusted(kButtonBorderPx, kButtonBorderPx, -kButtonBorderPx, -kButtonBorderPx),
                    painter);
      return;
    }
    drawFocusMark(option->rect, painter);
  }

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
    if (option == nullptr &&
        (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)) {
      const QPointer<QStyle> base = baseStyle();
      return QIcon(new IconOnFirstUse([base, icon] { return base ? base->standardIcon(icon) : QIcon(); }));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    QProxyStyle::drawControl(element, option, painter, widget);
    // Fusion marks no focus on a tab: the current tab of a focused tab bar gets the mark.
    if (element == CE_TabBarTabLabel && (option->state & State_HasFocus)) {
      drawFocusMark(option->rect.adjusted(3, 3, -3, -2), painter);
    }
  }
};

// Text boxes, lists and scrolled areas get no focus rectangle from the style: a frame laid over
// the edge of the one that has the focus marks it instead. It lets the mouse through and follows
// the control's size.
class FocusFrame : public QWidget {
 public:
  FocusFrame() {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
  }

  void follow(QWidget* control) {
    if (parentWidget()) parentWidget()->removeEventFilter(this);
    if (control == nullptr) {
      hide();
      return;
    }
    setParent(control);
    control->installEventFilter(this);
    setGeometry(control->rect());
    raise();
    show();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    drawFocusMark(rect(), &painter);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return false;
  }
};

constexpr char kLookProperty[] = "halvoraLook";

bool marksItsOwnFocus(const QWidget* control) {
  return !qobject_cast<const QLineEdit*>(control) && !qobject_cast<const QComboBox*>(control) &&
         !qobject_cast<const QAbstractScrollArea*>(control);
}

// Puts the frame on the control that takes the focus in a window of this look.
void followFocus(QWidget*, QWidget* now) {
  static QPointer<FocusFrame> frame;
  if (frame.isNull()) frame = new FocusFrame;
  const bool ours = now != nullptr && now->window()->property(kLookProperty).toBool() && !marksItsOwnFocus(now);
  frame->follow(ours ? now : nullptr);
}

}  // namespace

QStyle* createWindowStyle() { return new WindowStyle; }

void registerFontSubstitutes() {
  QFont::insertSubstitutions("Verdana", {"DejaVu Sans", "Liberation Sans"});
  QFont::insertSubstitutions("Courier New", {"Liberation Mono", "DejaVu Sans Mono"});
}

QFont verdana(double pointSize, bool bold) {
  registerFontSubstitutes();
  QFont font("Verdana");
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QFont courierNew(double pointSize, bool bold) {
  registerFontSubstitutes();
  QFont font("Courier New");
  font.setStyleHint(QFont::Monospace);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

void applyWindowLook(QWidget* window) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, kOlive);
  palette.setColor(QPalette::WindowText, kLightOrange);
  palette.setColor(QPalette::Button, kLightPeach);
  palette.setColor(QPalette::ButtonText, Qt::black);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Link, kLightOrange);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  window->setWindowTitle(kWindowCaption);
  window->setProperty(kLookProperty, true);
  static const bool following = [] {
    QObject::connect(qApp, &QApplication::focusChanged, qApp, &followFocus);
    return true;
  }();
  (void)following;

  const QFont normal = verdana(kBasePointSize);
  const QFont bold = verdana(kBasePointSize, true);
  window->setFont(normal);

  // Every control without a font of its own gets the plain one explicitly, so that the bold
  // caption of its frame does not pass on to it.
  const auto children = window->findChildren<QWidget*>();
  for (QWidget* child : children) {
    if (child->testAttribute(Qt::WA_SetFont)) continue;
    const bool boldControl = qobject_cast<QPushButton*>(child) || qobject_cast<QCheckBox*>(child) ||
                             qobject_cast<QGroupBox*>(child);
    child->setFont(boldControl ? bold : normal);
  }

  // Buttons are flat light peach, as the palette says; the style's gradient would wash it out.
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: rgb(255, 224, 192); color: black; border: 1px solid rgb(128, 96, 64);"
        " border-radius: 3px; padding: 3px 10px; }"
        "QPushButton:hover { background-color: rgb(255, 234, 212); }"
        "QPushButton:pressed { background-color: rgb(240, 200, 160); }"
        "QPushButton:focus { border: 2px solid rgb(64, 32, 0); }"));
  }

  // Tab pages keep the olive ground; the tabs themselves are a shade lighter, with the same text.
  for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
    QPalette tabPalette = tabs->palette();
    tabPalette.setColor(QPalette::Button, kOlive.lighter(150));
    tabPalette.setColor(QPalette::ButtonText, kLightOrange);
    tabs->setPalette(tabPalette);
    for (int i = 0; i < tabs->count(); ++i) {
      QWidget* page = tabs->widget(i);
      QPalette pagePalette = page->palette();
      pagePalette.setColor(QPalette::Button, kLightPeach);
      pagePalette.setColor(QPalette::ButtonText, Qt::black);
      page->setPalette(pagePalette);
      page->setAutoFillBackground(true);
    }
  }

  // Scroll bars: a peach handle and dark arrows on a tan track, plain against the text boxes.
  for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Button, kLightPeach);
    barPalette.setColor(QPalette::Window, kScrollGroove);
    barPalette.setColor(QPalette::WindowText, Qt::black);
    barPalette.setColor(QPalette::ButtonText, Qt::black);
    bar->setPalette(barPalette);
  }

  // Menus read as the desktop's menus do: dark text on a light bar.
  QList<QWidget*> menus;
  for (QMenuBar* bar : window->findChildren<QMenuBar*>()) menus << bar;
  for (QMenu* menu : window->findChildren<QMenu*>()) menus << menu;
  for (QWidget* bar : menus) {
    QPalette menuPalette = bar->palette();
    menuPalette.setColor(QPalette::Window, kLightPeach);
    menuPalette.setColor(QPalette::Button, kLightPeach);
    menuPalette.setColor(QPalette::WindowText, Qt::black);
    menuPalette.setColor(QPalette::ButtonText, Qt::black);
    bar->setPalette(menuPalette);
    bar->setAutoFillBackground(true);
  }
}

QString captionText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::vector<QString> captionLines(const QString& caption) {
  std::vector<QString> lines;
  for (const std::string& line : chart_view::captionLines(caption.toStdString())) lines.push_back(QString::fromStdString(line));
  return lines;
}

}  // namespace halvora::ui
