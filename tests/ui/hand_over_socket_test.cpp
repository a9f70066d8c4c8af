// SPDX-License-Identifier: GPL-3.0-or-later
// The local socket on which the running copy takes the files later starts hand over: what it
// answers, what it drops, and the socket file it leaves (or does not).

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include "ui/hand_over_socket.h"

namespace halvora::ui {
namespace {

class HandOverSocketTest : public ::testing::Test {
 protected:
  QString socketPath() const { return QDir(folder.path()).filePath("halvora.socket"); }

  // Runs `start` on a thread of its own, as another process would, while this thread's events are
  // processed; its result.
  template <typename Result>
  Result asAnotherStart(const std::function<Result()>& start) {
    std::atomic<bool> done = false;
    Result result{};
    std::thread thread([&] {
      result = start();
      done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 15000));
    thread.join();
    return result;
  }

  // A raw connection to the socket, for starts that misbehave; -1 when none could be made.
  int connectRaw() const {
    const QByteArray name = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // A server that never answers fails the test instead of holding it.
    const timeval wait{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::close(fd);
      return -1;
    }
    return fd;
  }

  QTemporaryDir folder;
  QStringList taken;
};

TEST_F(HandOverSocketTest, AWholePathIsTakenAndAnythingElseRefused) {
  HandOverServer server([this](const QString& file) { taken << file; });
  ASSERT_TRUE(server.listen(socketPath()));
  struct Case {
    QString file;
    bool taken;
  };
  const Case cases[] = {
      {QStringLiteral("/home/asha/Asha Rani \u00e9.halvora"), true},
      {QStringLiteral("/tmp/\u0905\u0936\u093e.halvora"), true},
      {"relative.halvora", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(asAnotherStart<bool>([&] { return handOverFile(socketPath(), c.file, 3000); }), c.taken) << c.file.toStdString();
  }
  EXPECT_TRUE(QTest::qWaitFor([this] { return taken.size() == 2; }, 2000));
  QTest::qWait(20);
  EXPECT_EQ(taken, (QStringList{cases[0].file, cases[1].file}));
}

TEST_F(HandOverSocketTest, NoListenerMeansNothingIsTaken) {
  EXPECT_FALSE(handOverFile(socketPath(), "/home/asha/asha.halvora", 500));
  // A socket file left by a copy that ended, with nobody listening on it.
  {
    HandOverServer ended([](const QString&) {});
    ASSERT_TRUE(ended.listen(socketPath()));
  }
  EXPECT_FALSE(QFileInfo::exists(socketPath())) << "the socket goes with the copy that listened";
  EXPECT_FALSE(handOverFile(QString(4000, u'a'), "/home/asha/asha.halvora", 500)) << "a path no socket can have";
}

TEST_F(HandOverSocketTest, TheSocketIsThisUsersOnlyAndReplacesOneLeftBehind) {
  QFile stale(socketPath());
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  HandOverServer server([this](const QString& file) { taken << file; });
  ASSERT_TRUE(server.listen(socketPath()));
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(socketPath()).constData(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_FALSE(server.listen(socketPath())) << "one server listens once";
}

// A start that sends no whole line, or a line longer than any path, is dropped; the next start is
// still heard.
TEST_F(HandOverSocketTest, BrokenStartsAreDroppedAndTheNextIsHeard) {
  HandOverServer server([this](const QString& file) { taken << file; });
  ASSERT_TRUE(server.listen(socketPath()));

  const int halfLine = connectRaw();
  ASSERT_GE(halfLine, 0);
  ASSERT_EQ(::send(halfLine, "/home/as", 8, MSG_NOSIGNAL), 8);
  QTest::qWait(50);
  ::close(halfLine);

  const int endless = connectRaw();
  ASSERT_GE(endless, 0);
  // Answered by the connection closing, without any "taken".
  const std::string answer = asAnotherStart<std::string>([endless] {
    const std::string block(4096, '/');
    for (int sent = 0; sent <= kMaxHandedOverBytes + 8192; sent += static_cast<int>(block.size())) {
      if (::send(endless, block.data(), block.size(), MSG_NOSIGNAL) < 0) break;
    }
    std::string got;
    char buffer[64];
    ssize_t n;
    while ((n = ::recv(endless, buffer, sizeof buffer, 0)) > 0) got.append(buffer, static_cast<size_t>(n));
    return got;
  });
  ::close(endless);
  EXPECT_EQ(answer, "");

  EXPECT_TRUE(asAnotherStart<bool>([this] { return handOverFile(socketPath(), "/home/asha/asha.halvora", 3000); }));
  EXPECT_TRUE(QTest::qWaitFor([this] { return !taken.isEmpty(); }, 2000));
  EXPECT_EQ(taken, QStringList{"/home/asha/asha.halvora"});
}

}  // namespace
}  // namespace halvora::ui
