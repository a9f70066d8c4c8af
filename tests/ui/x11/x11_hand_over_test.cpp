// SPDX-License-Identifier: GPL-3.0-or-later
// Double-clicking a birth-data file while Halvora runs, on the real X11 platform with a window
// manager: the second start hands the file to the running copy and ends, and the running copy's
// entry form opens the file and comes to the front, over another program's window that had
// the focus.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "forms/birth_data_file.h"
#include "support/births.h"

namespace halvora::ui {
namespace {

#ifdef HALVORA_EXE

// A value of an X property of a window (of the root for 0), as xprop prints it after " = " or
// "# ".
QString windowProperty(WId window, const char* property) {
  QProcess xprop;
  QStringList args;
  if (window == 0) args << "-root";
  else args << "-id" << QString::number(window);
  xprop.start("xprop", args << property);
  if (!xprop.waitForFinished(10000)) return {};
  const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  const QRegularExpressionMatch value = QRegularExpression("( = |# )").match(line);
  return value.hasMatch() ? line.mid(value.capturedEnd()).trimmed() : QString();
}

// The process whose window the window manager made active.
qint64 activeWindowProcess() {
  const QString active = windowProperty(0, "_NET_ACTIVE_WINDOW").section(',', 0, 0);
  bool ok = false;
  const WId window = active.toULongLong(&ok, 16);
  if (!ok || window == 0) return 0;
  return windowProperty(window, "_NET_WM_PID").toLongLong();
}

// Whether a window of the process is among the window manager's clients.
bool hasWindow(qint64 process) {
  for (const QString& id : windowProperty(0, "_NET_CLIENT_LIST").split(',', Qt::SkipEmptyParts)) {
    bool ok = false;
    const WId window = id.trimmed().toULongLong(&ok, 16);
    if (ok && windowProperty(window, "_NET_WM_PID").toLongLong() == process) return true;
  }
  return false;
}

TEST(X11HandOver, TheRunningCopyOpensTheFileAndComesToTheFront) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  QDir dir(home.path());
  for (const char* sub : {"runtime", "cache", "config"}) ASSERT_TRUE(dir.mkpath(sub));
  QFile::setPermissions(dir.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QString file = dir.filePath("asha.halvora");
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromStdString(forms::formatBirthData(testing_support::newDelhiForm())));
  }
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
  env.insert("XDG_CACHE_HOME", dir.filePath("cache"));
  env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
  env.remove("QT_SCALE_FACTOR");

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(HALVORA_EXE, {});
  ASSERT_TRUE(first.waitForStarted(10000));
  const QString socket = dir.filePath("runtime/halvora.socket");
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socket); }, 20000)) << "the first copy listens";
  ASSERT_TRUE(QTest::qWaitFor([&] { return hasWindow(first.processId()); }, 20000)) << "the first copy's form is up";

  // Another program's window takes the focus and covers the form.
  QWidget other;
  other.setWindowTitle("another program");
  other.resize(900, 700);
  other.show();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        other.activateWindow();
        return activeWindowProcess() == QCoreApplication::applicationPid();
      },
      10000));
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(HALVORA_EXE, {file});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardError().isEmpty());

  EXPECT_TRUE(QTest::qWaitFor([&] { return activeWindowProcess() == first.processId(); }, 10000))
      << "the running copy's form comes to the front";
  EXPECT_TRUE(QTest::qWaitFor([&] { return !other.isActiveWindow(); }, 5000));
  // File > Open puts the file it opened first in the recent list.
  const QString settings = dir.filePath("config/halvora/halvora.conf");
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return QSettings(settings, QSettings::IniFormat).value("Settings/Recent1").toString() == file; }, 10000));

  first.kill();
  first.waitForFinished(10000);
}

#endif

}  // namespace
}  // namespace halvora::ui
