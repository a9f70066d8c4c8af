// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt services of the running program: message boxes, the browser, the clipboard, the settings,
// the single-instance lock, the clock and the random numbers.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/platform_qt.h"

namespace halvora::ui {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Reads the message box that is about to be shown, then presses one of its buttons.
void answerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [&seen, press] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    box->button(press)->click();
  });
}

TEST(QtMessageBoxes, ShowsTheTextTitledHalvoraWithTheIconAskedFor) {
  QtMessageBoxes boxes;
  SeenBox seen;
  answerNextBox(seen, QMessageBox::Ok);
  boxes.show(nullptr, "Only Numbers Are Accepted", MessageIcon::Error);
  EXPECT_EQ(seen.title, "Halvora");
  EXPECT_EQ(seen.text, "Only Numbers Are Accepted");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);

  answerNextBox(seen, QMessageBox::Ok);
  boxes.show(nullptr, "Please Enter only Letters", MessageIcon::Information);
  EXPECT_EQ(seen.icon, QMessageBox::Information);
}

TEST(QtMessageBoxes, QuestionHasYesAndNoAndBreaksLinesAtCarriageReturns) {
  QtMessageBoxes boxes;
  SeenBox seen;
  answerNextBox(seen, QMessageBox::Yes);
  EXPECT_TRUE(boxes.askYesNo(nullptr, "first line\rsecond line", MessageIcon::Information));
  EXPECT_EQ(seen.title, "Halvora");
  EXPECT_EQ(seen.text, "first line\nsecond line");
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  answerNextBox(seen, QMessageBox::No);
  EXPECT_FALSE(boxes.askYesNo(nullptr, "again?", MessageIcon::Information));
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public slots:
  void openUrl(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST(QtUrlOpener, HandsTheAddressToTheDesktop) {
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("https", &recorder, "openUrl");
  QtUrlOpener opener;
  opener.open(QUrl("https://example.org/donate.html"));
  QDesktopServices::unsetUrlHandler("https");
  ASSERT_EQ(recorder.opened.size(), 1u);
  EXPECT_EQ(recorder.opened[0], QUrl("https://example.org/donate.html"));
}

TEST(QtClipboard, ClearEmptiesTheSystemClipboard) {
  QApplication::clipboard()->setText("copied prediction");
  QtClipboard clipboard;
  clipboard.clear();
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST(QtSettingsStore, KeepsTheReminderDateUnderSettingsDuration) {
  QStandardPaths::setTestModeEnabled(true);
  QtSettingsStore store;
  store.setValue("Settings", "Duration", "2024-03-10");
  EXPECT_EQ(store.value("Settings", "Duration"), "2024-03-10");
  QSettings direct("halvora", "halvora");
  EXPECT_EQ(direct.value("Settings/Duration").toString(), "2024-03-10");
  EXPECT_TRUE(store.value("Settings", "Missing").isEmpty());
  direct.clear();
  direct.sync();
  QStandardPaths::setTestModeEnabled(false);
}

// Sets an environment variable for the time of one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name)) {
    m_old = qgetenv(name);
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }
  ~ScopedEnv() {
    if (m_had) {
      qputenv(m_name, m_old);
    } else {
      qunsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  bool m_had;
  QByteArray m_old;
};

class QtInstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime.isValid());
    ASSERT_TRUE(cache.isValid());
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  QString lockPath() const { return QDir(runtime.path()).filePath("halvora.lock"); }

  QTemporaryDir runtime;
  QTemporaryDir cache;
  ScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()};
  ScopedEnv cacheEnv{"XDG_CACHE_HOME", cache.path().toLocal8Bit()};
};

TEST_F(QtInstanceLockTest, SecondCopyIsRefusedUntilTheFirstLetsGo) {
  {
    QtInstanceLock first;
    EXPECT_EQ(first.path(), lockPath());
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire());  // asking again does not lock it out
    QtInstanceLock second;
    EXPECT_FALSE(second.tryAcquire());
  }
  QtInstanceLock afterwards;
  EXPECT_TRUE(afterwards.tryAcquire());
}

TEST_F(QtInstanceLockTest, ACopyInAnotherProcessIsSeen) {
  // flock(1) takes the same kind of lock on the file as a running copy does; one process holds it.
  QProcess holder;
  holder.start("sh", {"-c", "exec 9>\"$0\" && flock -n 9 && echo locked && exec sleep 30", lockPath()});
  ASSERT_TRUE(holder.waitForStarted(5000));
  ASSERT_TRUE(holder.waitForReadyRead(5000));
  ASSERT_EQ(holder.readAllStandardOutput().trimmed(), "locked");
  QtInstanceLock mine;
  EXPECT_FALSE(mine.tryAcquire());
  holder.kill();
  holder.waitForFinished(5000);
  EXPECT_TRUE(mine.tryAcquire());
}

TEST_F(QtInstanceLockTest, AFileLeftBehindNamingALiveProcessDoesNotBlock) {
  QFile left(lockPath());
  ASSERT_TRUE(left.open(QIODevice::WriteOnly));
  left.write("1\nhalvora\nlocalhost\n");  // process 1 is always alive
  left.close();
  QtInstanceLock lock;
  EXPECT_TRUE(lock.tryAcquire());
}

TEST_F(QtInstanceLockTest, NoUserNameNeeded) {
  ScopedEnv noUser("USER", QByteArray());
  QtInstanceLock first;
  EXPECT_EQ(first.path(), lockPath());
  EXPECT_TRUE(first.tryAcquire());
  QtInstanceLock second;
  EXPECT_FALSE(second.tryAcquire());
}

TEST_F(QtInstanceLockTest, ARuntimeFolderOthersCanWriteIsNotUsed) {
  QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                            QFileDevice::WriteOther | QFileDevice::ReadOther | QFileDevice::ExeOther);
  const QString folder = QtInstanceLock::lockFolder();
  EXPECT_EQ(folder, QDir(cache.path()).filePath("halvora"));
  EXPECT_EQ(QFileInfo(folder).permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther), 0);
  QtInstanceLock first;
  EXPECT_TRUE(first.tryAcquire());
  EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath("halvora.lock")));
  QtInstanceLock second;
  EXPECT_FALSE(second.tryAcquire());
}

TEST_F(QtInstanceLockTest, WithoutARuntimeFolderTheCacheFolderServes) {
  ScopedEnv noRuntime("XDG_RUNTIME_DIR", QByteArray());
  EXPECT_EQ(QtInstanceLock::lockFolder(), QDir(cache.path()).filePath("halvora"));
}

// The runtime folder made read-only: as root by a read-only bind mount of it onto itself, else
// by taking away the owner's write permission.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& folder) : m_folder(QFile::encodeName(folder)) {
    if (::getuid() == 0) {
      m_mounted = ::mount(m_folder.constData(), m_folder.constData(), nullptr, MS_BIND, nullptr) == 0;
      if (m_mounted && ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        ::umount2(m_folder.constData(), MNT_DETACH);
        m_mounted = false;
      }
    } else {
      m_chmodded = ::chmod(m_folder.constData(), 0500) == 0;
    }
  }
  ~ReadOnlyFolder() {
    if (m_mounted) ::umount2(m_folder.constData(), MNT_DETACH);
    if (m_chmodded) ::chmod(m_folder.constData(), 0700);
  }
  bool active() const { return m_mounted || m_chmodded; }

 private:
  QByteArray m_folder;
  bool m_mounted = false;
  bool m_chmodded = false;
};

TEST_F(QtInstanceLockTest, AReadOnlyRuntimeFolderFallsBackToTheCacheFolder) {
  ReadOnlyFolder readOnly(runtime.path());
  if (!readOnly.active()) GTEST_SKIP() << "the runtime folder cannot be made read-only here";
  const QString cacheLock = QDir(QDir(cache.path()).filePath("halvora")).filePath("halvora.lock");
  QtInstanceLock first;
  EXPECT_TRUE(first.tryAcquire());
  EXPECT_EQ(first.path(), cacheLock);
  QtInstanceLock second;
  EXPECT_FALSE(second.tryAcquire()) << "two copies would run";
  EXPECT_EQ(second.path(), cacheLock);
  EXPECT_FALSE(QFileInfo::exists(lockPath()));
}

// The second start's side runs on a thread of its own, as it would in its own process, while the
// first copy's events are processed here.
TEST_F(QtInstanceLockTest, ASecondStartHandsItsFileToTheCopyThatHoldsTheLock) {
  QtInstanceLock first;
  ASSERT_TRUE(first.tryAcquire());
  QtInstanceLock second;
  ASSERT_FALSE(second.tryAcquire());
  const auto handOver = [&second](const QString& file) {
    std::atomic<int> taken = -1;
    std::thread start([&] { taken = second.handOver(file) ? 1 : 0; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return taken != -1; }, 15000));
    start.join();
    return taken == 1;
  };
  EXPECT_FALSE(handOver("/home/asha/asha.halvora")) << "a copy that does not listen takes nothing";

  QStringList opened;
  first.listenForFiles([&opened](const QString& file) { opened << file; });
  EXPECT_TRUE(QFileInfo(QDir(runtime.path()).filePath("halvora.socket")).exists());
  EXPECT_TRUE(handOver(QStringLiteral("/home/asha/Asha Rani \u00e9.halvora")));
  EXPECT_FALSE(handOver("relative.halvora")) << "only a whole path names a file in both copies";
  EXPECT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(opened, QStringList{QStringLiteral("/home/asha/Asha Rani \u00e9.halvora")});
}

TEST(QtClockAndRandom, GiveTodayAndNumbersBelowOne) {
  QtClock clock;
  EXPECT_EQ(clock.today(), QDate::currentDate());
  QtRandomSource random;
  for (int i = 0; i < 1000; ++i) {
    const double r = random.next();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

}  // namespace
}  // namespace halvora::ui

#include "platform_qt_test.moc"
