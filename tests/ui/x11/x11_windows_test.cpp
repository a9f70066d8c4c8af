// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on the real X11 platform, on a virtual screen with a window manager: the sizes the
// windows open at, the clipboard guard read back through the X server, and where the closing
// screen appears and whether it takes the focus. Run through run_under_x.sh.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "fakes.h"
#include "form_helpers.h"
#include "places/atlas.h"
#include "support/births.h"
#include "support/chart_of.h"
#include "same_results.h"
#include "ui/application.h"
#include "ui/atlas_loader.h"
#include "ui/frm_closing_screen.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/mdi_frame.h"
#include "ui/place_completer.h"
#include "ui/platform_qt.h"
#include "ui/tell_a_friend.h"

namespace halvora::ui {
namespace {

using testing::child;
using testing::FakePlatform;

// Lets the window manager map, frame and place what was shown.
void settle(int ms = 400) {
  QTest::qWait(ms);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QApplication::processEvents();
}

// With HALVORA_SCREEN_SHOTS set to a folder, the whole screen as the user sees it is saved there.
void saveScreen(const QString& name) {
  const QString folder = qEnvironmentVariable("HALVORA_SCREEN_SHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}

void showAndWait(QWidget* window) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  settle();
}

ChartResult newDelhiResult() {
  return std::get<ChartResult>(RunChartRequest(halvora::testing_support::newDelhiForm()));
}

QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

std::string describe(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
         std::to_string(r.height());
}

TEST(X11Screen, IsTheOneAskedFor) {
  // run_under_x.sh gives the screen; the scale factor shrinks it in device-independent pixels.
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(QGuiApplication::platformName(), "xcb");
  const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
  const QSize physical = screen->geometry().size() * screen->devicePixelRatio();
  EXPECT_NEAR(screen->devicePixelRatio(), scale, 1e-6);
  EXPECT_TRUE(physical == QSize(1366, 768) || physical == QSize(1920, 1080) || physical == QSize(1600, 1000))
      << physical.width() << "x" << physical.height();
}

// --- Windows that fit the screen ------------------------------------------------------------------

// Every control at least its natural height, every wrapped label as tall as its text.
void expectNaturalSizes(QWidget* window) {
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisibleTo(window) || control->objectName().isEmpty()) continue;
    if (qobject_cast<QScrollArea*>(control) || qobject_cast<QGroupBox*>(control)) continue;
    const bool isControl = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                           qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control);
    if (!isControl) continue;
    const std::string name = control->objectName().toStdString();
    auto* label = qobject_cast<QLabel*>(control);
    if (label != nullptr && label->wordWrap()) {
      EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
    } else {
      EXPECT_GE(control->height(), control->sizeHint().height()) << name;
    }
  }
}

TEST(X11ScreenFit, EntryFormOpensInsideTheScreenWithEveryControlAtItsNaturalSize) {
  FakePlatform fake;
  FrmMain form(fake.platform);
  showAndWait(&form);
  saveScreen("entry-form");
  EXPECT_TRUE(available().contains(form.frameGeometry()))
      << describe(form.frameGeometry()) << " on " << describe(available());
  expectNaturalSizes(&form);
  // "Time of Birth" and "HH:MM:SS" are two lines that do not touch.
  const QRect time = child<QLabel>(&form, "Label1")->geometry();
  const QRect format = child<QLabel>(&form, "Label12")->geometry();
  EXPECT_LT(time.bottom(), format.top());
  // Where the screen is smaller than the form, the form scrolls; else everything is in view.
  auto* scroll = child<QScrollArea>(&form, "frmMainScroll");
  const bool fits = form.preferredSize().height() <= form.height() && form.preferredSize().width() <= form.width();
  if (fits) {
    auto* rashi = child<QWidget>(&form, "cmdRashi");
    const QRect shown(rashi->mapTo(scroll->viewport(), QPoint(0, 0)), rashi->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(shown));
  } else {
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible() || scroll->horizontalScrollBar()->isVisible())
        << "wants " << form.preferredSize().width() << "x" << form.preferredSize().height() << ", has "
        << describe(form.geometry()) << ", viewport " << scroll->viewport()->width() << "x"
        << scroll->viewport()->height() << ", holds " << scroll->widget()->width() << "x" << scroll->widget()->height();
  }
}

TEST(X11ScreenFit, FrameOpensInsideTheScreenWithBackAndExitInView) {
  FakePlatform fake;
  MdiFrame frame(fake.platform);
  ChartResult result = newDelhiResult();
  result.notice = NoSunriseNotice({{2024, 1, 17, 0, 0, 0}, PolarSun::Night});  // the tallest results
  frame.display()->showResult(result);
  showAndWait(&frame);
  saveScreen("results-frame");
  EXPECT_TRUE(available().contains(frame.frameGeometry()))
      << describe(frame.frameGeometry()) << " on " << describe(available());
  for (const char* name : {"cmdBack", "cmdExit", "Picture1", "picTop"}) {
    auto* control = child<QWidget>(&frame, name);
    const QRect inFrame(control->mapTo(&frame, QPoint(0, 0)), control->size());
    EXPECT_TRUE(frame.rect().contains(inFrame)) << name << " " << describe(inFrame) << " in " << describe(frame.rect());
  }
  expectNaturalSizes(child<QWidget>(&frame, "Picture1"));
  // The results scroll inside the frame where they do not fit.
  auto* client = child<QScrollArea>(&frame, "mdiClient");
  const QSize shown = client->viewport()->size();
  const QSize results = frame.display()->size();
  if (results.height() > shown.height()) {
    EXPECT_TRUE(client->verticalScrollBar()->isVisible());
  }
  if (results.width() > shown.width()) {
    EXPECT_TRUE(client->horizontalScrollBar()->isVisible());
  }
  // As large as the results want, or as the screen allows (a screen too low for them gives the
  // frame its whole width).
  const QSize room = available().size().shrunkBy(frame.windowHandle()->frameMargins());
  EXPECT_GE(frame.width(), std::min(frame.preferredSize().width(), room.width()));
  EXPECT_GE(frame.height(), std::min(frame.preferredSize().height(), room.height()));
}

// The birth time moved in the shown, activated frame by a click and by the keys, the window manager
// deciding which window has them: the results are those of the form typed with the moved time.
TEST(X11BirthTimeMover, ClicksAndKeysInTheActiveFrameGiveTheMovedTimesResults) {
  FakePlatform fake;
  Application app(fake.platform);
  ASSERT_TRUE(app.start());
  testing::fillNewDelhiBirth(app.entryForm());
  QTest::mouseClick(child<QPushButton>(app.entryForm(), "cmdRashi"), Qt::LeftButton);
  MdiFrame* frame = app.frame();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  settle();

  QTest::mouseClick(child<QPushButton>(frame, "cmdMoveOn60"), Qt::LeftButton);
  QTest::keyClick(frame, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(frame, Qt::Key_Left, Qt::ControlModifier);
  settle(100);
  saveScreen("results-moved");
  FormInput moved = halvora::testing_support::newDelhiForm();
  moved.hour = "10";
  moved.minute = "14";
  FrmDisplay typed(fake.platform);
  typed.showResult(halvora::testing_support::chartOf(moved));
  EXPECT_EQ(testing::differingControls(*frame->display(), typed), "");
  EXPECT_EQ(child<QLabel>(frame, "lblShiftedTime")->text(),
            "Birth time 10:14:30, February 22, 2011 (1 hour 9 minutes later than typed)");
  frame->close();
  settle();
}

TEST(X11ScreenFit, FrameCannotBeShrunkPastBackAndExit) {
  FakePlatform fake;
  MdiFrame frame(fake.platform);
  showAndWait(&frame);
  frame.resize(50, 50);
  settle();
  for (const char* name : {"cmdBack", "cmdExit"}) {
    auto* button = child<QWidget>(&frame, name);
    const QRect inFrame(button->mapTo(&frame, QPoint(0, 0)), button->size());
    EXPECT_TRUE(frame.rect().contains(inFrame)) << name << " " << describe(inFrame) << " in " << describe(frame.rect());
  }
}

// --- The clipboard guard, read back through the X server -----------------------------------------

// Reads a selection ("clipboard" or "primary") the way another program does.
QString readSelection(const char* selection) {
  QProcess xclip;
  xclip.start("xclip", {"-o", "-selection", selection});
  EXPECT_TRUE(xclip.waitForStarted(5000));
  // The owner of the selection (maybe this program) must answer meanwhile.
  EXPECT_TRUE(QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 10000));
  return QString::fromUtf8(xclip.readAllStandardOutput());
}

// Puts a text into a selection the way another program does.
void writeSelection(const char* selection, const QString& text) {
  QProcess xclip;
  xclip.start("xclip", {"-i", "-selection", selection});
  ASSERT_TRUE(xclip.waitForStarted(5000));
  xclip.write(text.toUtf8());
  xclip.closeWriteChannel();
  ASSERT_TRUE(QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 10000));
  settle(100);
}

class X11ClipboardGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = std::make_unique<MdiFrame>(platform);
    frame->display()->showResult(newDelhiResult());
    child<QTabWidget>(frame.get(), "SSTab1")->setCurrentIndex(1);
    showAndWait(frame.get());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    looks = child<QPlainTextEdit>(frame.get(), "txtLooks");
    ASSERT_NE(looks, nullptr);
    // On a small screen the results scroll: the box in view, where the pointer can reach it.
    child<QScrollArea>(frame.get(), "mdiClient")->ensureWidgetVisible(looks);
    settle(100);
    prediction = looks->toPlainText().left(24);
    ASSERT_FALSE(prediction.isEmpty());
  }

  // Neither the clipboard nor the selection holds any of the prediction.
  void expectNothingCopied(const std::string& after) {
    for (const char* selection : {"clipboard", "primary"}) {
      EXPECT_FALSE(readSelection(selection).contains(prediction.left(12))) << selection << " after " << after;
    }
    EXPECT_FALSE(QGuiApplication::clipboard()->text(QClipboard::Clipboard).contains(prediction.left(12))) << after;
    EXPECT_FALSE(QGuiApplication::clipboard()->text(QClipboard::Selection).contains(prediction.left(12))) << after;
  }

  void dragAcross(QPlainTextEdit* box) {
    QWidget* area = box->viewport();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    for (int x = 10; x < area->width() - 5; x += 20) QTest::mouseMove(area, QPoint(x, area->height() - 4));
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(area->width() - 5, area->height() - 4));
    settle(100);
  }

  // Moves the pointer off the prediction boxes, so that the guard's mouse handlers do not run.
  void pointerElsewhere() {
    QTest::mouseMove(child<QWidget>(frame.get(), "picTop"), QPoint(5, 5));
    settle(100);
  }

  FakePlatform fake;
  QtClipboard clipboard;
  Platform platform{fake.messages, fake.urls,  clipboard,  fake.settings, fake.instanceLock,
                    fake.clock,    fake.random, fake.files, fake.printing};
  std::unique_ptr<MdiFrame> frame;
  QPlainTextEdit* looks = nullptr;
  QString prediction;
};

TEST_F(X11ClipboardGuard, SelectingAndCtrlCCopyNothing) {
  dragAcross(looks);
  EXPECT_FALSE(looks->textCursor().hasSelection());
  expectNothingCopied("a drag across the text");
  looks->setFocus();
  QTest::keyClick(looks, Qt::Key_C, Qt::ControlModifier);
  pointerElsewhere();
  expectNothingCopied("Ctrl+C");
  QTest::keyClick(looks, Qt::Key_Insert, Qt::ControlModifier);
  expectNothingCopied("Ctrl+Insert");
}

TEST_F(X11ClipboardGuard, SelectAllAndCopyWithThePointerElsewhereCopyNothing) {
  looks->setFocus();
  pointerElsewhere();
  QTest::keyClick(looks, Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(looks->textCursor().hasSelection());
  QTest::keyClick(looks, Qt::Key_C, Qt::ControlModifier);
  expectNothingCopied("Ctrl+A, Ctrl+C");
}

TEST_F(X11ClipboardGuard, RightClickOffersNoCopy) {
  dragAcross(looks);
  QTest::mouseClick(looks->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
  settle(200);
  QWidget* popup = QApplication::activePopupWidget();
  if (popup != nullptr) {
    for (QAction* action : popup->actions()) {
      EXPECT_FALSE(action->text().contains("Copy", Qt::CaseInsensitive)) << action->text().toStdString();
    }
    popup->close();
  }
  expectNothingCopied("a right click");
}

TEST_F(X11ClipboardGuard, MiddleClickPastesNoPrediction) {
  dragAcross(looks);
  QLineEdit target;
  target.setObjectName("pasteTarget");
  showAndWait(&target);
  QTest::mouseClick(&target, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
  settle(200);
  EXPECT_FALSE(target.text().contains(prediction.left(12))) << target.text().toStdString();
  expectNothingCopied("a middle click elsewhere");
}

TEST_F(X11ClipboardGuard, OtherProgramsClipboardIsEmptiedWhenThePointerMovesOverABox) {
  writeSelection("clipboard", "copied elsewhere");
  writeSelection("primary", "selected elsewhere");
  ASSERT_EQ(readSelection("clipboard"), "copied elsewhere");
  QTest::mouseMove(looks->viewport(), QPoint(8, 8));
  QTest::mouseMove(looks->viewport(), QPoint(12, 9));
  settle(200);
  EXPECT_EQ(readSelection("clipboard"), "");
  EXPECT_EQ(readSelection("primary"), "");
}

TEST_F(X11ClipboardGuard, TheTextStillScrolls) {
  // A text longer than the box, however much of the screen the box is given.
  const QString text = looks->toPlainText();
  looks->setPlainText(QStringList(8, text).join(u'\n'));
  settle(100);
  QScrollBar* bar = looks->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the text fits its box: nothing to scroll";
  looks->setFocus();
  QTest::keyClick(looks, Qt::Key_Down);
  EXPECT_GT(bar->value(), 0) << "Down";
  QTest::keyClick(looks, Qt::Key_End);
  EXPECT_EQ(bar->value(), bar->maximum()) << "End";
  QTest::keyClick(looks, Qt::Key_PageUp);
  EXPECT_LT(bar->value(), bar->maximum()) << "Page Up";
  QTest::keyClick(looks, Qt::Key_Home);
  EXPECT_EQ(bar->value(), 0) << "Home";
  const QPoint at(10, 10);
  QWheelEvent wheel(at, looks->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(looks->viewport(), &wheel);
  EXPECT_GT(bar->value(), 0) << "wheel";
}

// --- The closing screen ---------------------------------------------------------------------------

enum class ClosingPath { FrameExitButton, FrameCloseBox, EntryFormExit, EntryFormCloseBox };

struct ClosingRow {
  const char* name;
  ClosingPath path;
};

// Closes a window as its close box does: the WM_DELETE_WINDOW message the window manager sends the
// program when the box is clicked. Sent straight to the window, so that the window manager's own
// "not responding" prompt (after a ping lost while the test machine is busy) cannot swallow it.
void closeThroughTheWindowManager(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  ASSERT_NE(x11, nullptr) << "not on the X11 platform";
  xcb_connection_t* connection = x11->connection();
  const auto atom = [connection](const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return value;
  };
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window->winId());
  message.type = atom("WM_PROTOCOLS");
  message.data.data32[0] = atom("WM_DELETE_WINDOW");
  message.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  QPointer<QWidget> closed(window);
  (void)QTest::qWaitFor([&closed] { return !closed || !closed->isVisible(); }, 5000);
}

// Whether the window manager keeps the window above the others.
bool keptAbove(QWidget* window) {
  QProcess xprop;
  xprop.start("xprop", {"-id", QStringLiteral("0x%1").arg(window->winId(), 0, 16), "_NET_WM_STATE"});
  if (!xprop.waitForStarted(5000)) return false;
  if (!QTest::qWaitFor([&xprop] { return xprop.state() == QProcess::NotRunning; }, 10000)) return false;
  return QString::fromUtf8(xprop.readAllStandardOutput()).contains("_NET_WM_STATE_ABOVE");
}

class X11ClosingScreen : public ::testing::TestWithParam<ClosingRow> {};

TEST_P(X11ClosingScreen, AppearsCentredOnTopWithTheKeyboardAndItsPlaceholders) {
  FakePlatform fake;
  Application app(fake.platform);
  ASSERT_TRUE(app.start());
  FrmMain* form = app.entryForm();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  settle();

  QWidget* closing = nullptr;
  const ClosingPath path = GetParam().path;
  if (path == ClosingPath::FrameExitButton || path == ClosingPath::FrameCloseBox) {
    testing::fillNewDelhiBirth(form);
    QTest::mouseClick(child<QPushButton>(form, "cmdRashi"), Qt::LeftButton);
    MdiFrame* frame = app.frame();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    settle();
    if (path == ClosingPath::FrameExitButton) {
      QTest::mouseClick(child<QPushButton>(frame, "cmdExit"), Qt::LeftButton);
    } else {
      closeThroughTheWindowManager(frame);
    }
  } else if (path == ClosingPath::EntryFormExit) {
    child<QAction>(form, "mnuExit")->trigger();
  } else {
    closeThroughTheWindowManager(form);
  }
  ASSERT_TRUE(QTest::qWaitFor([&app] { return app.closingScreen() && app.closingScreen()->isVisible(); }, 5000));
  closing = app.closingScreen();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(closing));
  settle(800);

  // The window manager places and frames the window in its own time.
  const QPoint centre = available().center();
  const auto offCentre = [closing, centre] { return (closing->frameGeometry().center() - centre).manhattanLength(); };
  (void)QTest::qWaitFor([&offCentre] { return offCentre() <= 4; }, 3000);
  EXPECT_LE(offCentre(), 4)
      << "at " << describe(closing->frameGeometry()) << " on " << describe(available());
  EXPECT_TRUE(available().contains(closing->frameGeometry())) << describe(closing->frameGeometry());
  saveScreen(QStringLiteral("closing-screen-") + GetParam().name);
  // The windows before it are gone: it takes the keyboard, in its first box.
  EXPECT_TRUE(QTest::qWaitForWindowActive(closing));
  EXPECT_EQ(QGuiApplication::focusWindow(), closing->windowHandle());
  EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(closing, "txtName"));
  EXPECT_TRUE(keptAbove(closing));
  const std::pair<const char*, QString> placeholders[] = {{"txtName", kNamePlaceholder},
                                                          {"txtEmail", kEmailPlaceholder},
                                                          {"txtFriendName", kFriendNamePlaceholder},
                                                          {"txtFriendEmail", kFriendEmailPlaceholder}};
  for (const auto& [name, placeholder] : placeholders) {
    EXPECT_EQ(child<QLineEdit>(closing, name)->text(), placeholder) << name;
  }
  EXPECT_EQ(child<QPlainTextEdit>(closing, "txtMessage")->toPlainText(), kMessagePlaceholder);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(app.frame(), nullptr);

  // Keys as the X server delivers them: typing, Tab and Alt+X.
  for (const char c : {'A', 's', 'h', 'a'}) QTest::keyClick(closing->windowHandle(), c);
  settle(150);
  EXPECT_EQ(child<QLineEdit>(closing, "txtName")->text(), "Asha");
  QTest::keyClick(closing->windowHandle(), Qt::Key_Tab);
  settle(150);
  EXPECT_NE(QApplication::focusWidget(), child<QLineEdit>(closing, "txtName"));
  bool ended = false;
  QObject::connect(&app, &Application::applicationEnded, [&ended] { ended = true; });
  QTest::keyClick(closing->windowHandle(), Qt::Key_X, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended; }, 3000)) << "Alt+X is E&xit";
}

// The place list under City on the real platform: a window of its own that must open under the
// box, inside the screen, and leave the keyboard focus in the box while the user types on.
class X11PlaceList : public ::testing::Test {
 protected:
  void SetUp() override {
    showAndWait(&form);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    city = child<QLineEdit>(&form, "txtMCity");
    city->setFocus();
    settle(100);
  }
  QWidget* list() const { return city->findChild<PlaceCompleter*>()->popup(); }
  // Keys as the window system delivers them: to the form's window, routed by Qt from there.
  void type(const QString& text) {
    for (const QChar c : text) QTest::keyClick(form.windowHandle(), c.toLatin1());
    settle(150);
  }
  void press(Qt::Key key) {
    QTest::keyClick(form.windowHandle(), key);
    settle(150);
  }

  FakePlatform fake;
  FrmMain form{fake.platform};
  QLineEdit* city = nullptr;
};

TEST_F(X11PlaceList, OpensUnderCityInsideTheScreenAndLeavesTheFocusInTheBox) {
  type("pun");
  ASSERT_TRUE(list()->isVisible());
  saveScreen("place-list");
  const QRect box(city->mapToGlobal(QPoint(0, 0)), city->size());
  const QRect shown = list()->frameGeometry();
  EXPECT_TRUE(available().contains(shown)) << describe(shown) << " on " << describe(available());
  EXPECT_NEAR(shown.top(), box.bottom() + 1, 2) << describe(shown) << " under " << describe(box);
  EXPECT_TRUE(shown.left() == box.left() || shown.right() == available().right())
      << describe(shown) << " under " << describe(box);
  EXPECT_GE(shown.width(), box.width());
  EXPECT_EQ(QApplication::focusWidget(), city);
  EXPECT_TRUE(form.isActiveWindow());
  type("e");
  EXPECT_EQ(city->text(), "pune") << "typing goes on in the box while the list is open";
  EXPECT_TRUE(list()->isVisible());
  press(Qt::Key_Escape);
  EXPECT_FALSE(list()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), city);
}

TEST_F(X11PlaceList, ThePlaceTakenWithTheKeysFillsTheFormAndTheFocusStays) {
  type("kathm");
  ASSERT_TRUE(list()->isVisible());
  press(Qt::Key_Down);
  press(Qt::Key_Return);
  EXPECT_FALSE(list()->isVisible());
  EXPECT_EQ(city->text(), "Kathmandu");
  EXPECT_EQ(child<QLineEdit>(&form, "txtLonD")->text(), "85");
  EXPECT_EQ(child<QComboBox>(&form, "cmbTimeZone")->currentText().toStdString().rfind("Local clock of Kathmandu, ", 0), 0u);
  EXPECT_EQ(QApplication::focusWidget(), city);
  EXPECT_TRUE(form.isActiveWindow());
  saveScreen("place-chosen");
}

TEST_F(X11PlaceList, AClickOnALineTakesThatPlace) {
  type("sydney");
  ASSERT_TRUE(list()->isVisible());
  auto* view = city->findChild<PlaceCompleter*>()->popup();
  const QString first = view->model()->index(0, 0).data().toString();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
  settle(150);
  EXPECT_FALSE(list()->isVisible());
  EXPECT_TRUE(first.startsWith(child<QLineEdit>(&form, "txtMCity")->text() + ", ")) << first.toStdString();
  EXPECT_EQ(child<QLineEdit>(&form, "txtLatD")->text(), "33");
  EXPECT_EQ(QApplication::focusWidget(), city);
}

// A list that opens when the atlas has finished reading, not at a keystroke: on the real platform it
// must still open under the box and leave the keyboard in the box.
TEST(X11LatePlaceList, OpensWhenTheAtlasIsReadyAndTheKeysStayInTheBox) {
  const places::Atlas atlas{{
      {"Pune", "Maharashtra", "India", "IN", 18.51957, 73.85535, 3124458, "Asia/Kolkata"},
      {"Punta Arenas", "Magallanes", "Chile", "CL", -53.15483, -70.91129, 117430, "America/Punta_Arenas"},
  }};
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> read = false;
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* name = new QLineEdit;
  auto* city = new QLineEdit;
  layout->addWidget(name);
  layout->addWidget(city);
  auto* loader = new AtlasLoader({[&] { released.wait_for(std::chrono::seconds(10)); read = true; }, [&] { return read.load(); }},
                                 &window);
  auto* completer = new PlaceCompleter(
      city, [&](std::string_view text, std::size_t limit) { return atlas.find(text, limit); }, loader);
  showAndWait(&window);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  city->setFocus();
  for (const char c : {'p', 'u'}) QTest::keyClick(window.windowHandle(), c);
  settle(150);
  EXPECT_FALSE(completer->popup()->isVisible()) << "the atlas is not ready yet";
  release.set_value();
  settle(300);
  ASSERT_TRUE(completer->popup()->isVisible());
  const QRect box(city->mapToGlobal(QPoint(0, 0)), city->size());
  EXPECT_NEAR(completer->popup()->frameGeometry().top(), box.bottom() + 1, 2);
  EXPECT_EQ(QApplication::focusWidget(), city);
  EXPECT_TRUE(window.isActiveWindow());
  QTest::keyClick(window.windowHandle(), 'n');
  settle(150);
  EXPECT_EQ(city->text(), "pun") << "typing goes on in the box";
  EXPECT_TRUE(completer->popup()->isVisible());
  saveScreen("place-list-late");
}

INSTANTIATE_TEST_SUITE_P(Paths, X11ClosingScreen,
                         ::testing::Values(ClosingRow{"FrameExitButton", ClosingPath::FrameExitButton},
                                           ClosingRow{"FrameCloseBox", ClosingPath::FrameCloseBox},
                                           ClosingRow{"EntryFormExit", ClosingPath::EntryFormExit},
                                           ClosingRow{"EntryFormCloseBox", ClosingPath::EntryFormCloseBox}),
                         [](const ::testing::TestParamInfo<ClosingRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace halvora::ui
