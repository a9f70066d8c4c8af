// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hand_over_socket.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace halvora::ui {

namespace {

// The address of a socket at `path`, or nothing when the path is too long for one.
std::optional<sockaddr_un> addressOf(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.isEmpty() || static_cast<size_t>(name.size()) >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
  return address;
}

// Writes all of `bytes`; false on an error or a timeout.
bool sendAll(int fd, const QByteArray& bytes) {
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

struct HandOverServer::Connection {
  int fd;
  std::unique_ptr<QSocketNotifier> notifier;
  QByteArray received;
};

HandOverServer::HandOverServer(std::function<void(const QString& file)> take, QObject* parent)
    : QObject(parent), m_take(std::move(take)) {}

HandOverServer::~HandOverServer() {
  for (const auto& connection : m_connections) ::close(connection->fd);
  if (m_fd >= 0) {
    ::close(m_fd);
    ::unlink(QFile::encodeName(m_path).constData());
  }
}

bool HandOverServer::listen(const QString& path) {
  const std::optional<sockaddr_un> address = addressOf(path);
  if (!address || m_fd >= 0) return false;
  const QByteArray name = QFile::encodeName(path);
  ::unlink(name.constData());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      ::chmod(name.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    ::unlink(name.constData());
    return false;
  }
  m_fd = fd;
  m_path = path;
  m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &HandOverServer::acceptConnections);
  return true;
}

void HandOverServer::acceptConnections() {
  for (;;) {
    const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;  // none left (or none to be had now)
    }
    auto connection = std::make_unique<Connection>();
    connection->fd = fd;
    connection->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(connection->notifier.get(), &QSocketNotifier::activated, this,
            [this, reading = connection.get()] { readFrom(*reading); });
    m_connections.push_back(std::move(connection));
  }
}

void HandOverServer::readFrom(Connection& connection) {
  const int fd = connection.fd;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // the rest comes later
    if (n <= 0) {
      drop(connection);  // the other start gave up before its line was whole
      return;
    }
    connection.received.append(buffer, n);
    const qsizetype end = connection.received.indexOf('\n');
    if (end < 0) {
      if (connection.received.size() <= kMaxHandedOverBytes) continue;
      drop(connection);
      return;
    }
    if (end > kMaxHandedOverBytes) {
      drop(connection);
      return;
    }
    const QString file = QString::fromUtf8(connection.received.left(end));
    const bool taken = QDir::isAbsolutePath(file);
    sendAll(fd, QByteArray(taken ? kHandOverTaken : kHandOverRefused) + '\n');
    drop(connection);
    // Opened once the other start has its answer: opening may ask the user questions.
    if (taken) QTimer::singleShot(0, this, [take = m_take, file] { take(file); });
    return;
  }
}

void HandOverServer::drop(Connection& connection) {
  const auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                  [&connection](const auto& kept) { return kept.get() == &connection; });
  if (found == m_connections.end()) return;
  (*found)->notifier->setEnabled(false);
  ::close(connection.fd);
  // The notifier may be the one calling: it goes once its signal has returned.
  (*found)->notifier.release()->deleteLater();
  m_connections.erase(found);
}

bool handOverFile(const QString& path, const QString& file, int waitMs) {
  const std::optional<sockaddr_un> address = addressOf(path);
  if (!address) return false;
  const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (socket.get() < 0) return false;
  const timeval wait{waitMs / 1000, (waitMs % 1000) * 1000};
  ::setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
  ::setsockopt(socket.get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  int connected;
  do {
    connected = ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
  } while (connected != 0 && errno == EINTR);
  if (connected != 0 || !sendAll(socket.get(), file.toUtf8() + '\n')) return false;
  // The running copy answers once it has the whole name.
  QByteArray answer;
  char buffer[64];
  while (!answer.contains('\n') && answer.size() < 64) {
    const ssize_t n = ::recv(socket.get(), buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    answer.append(buffer, n);
  }
  return answer.left(answer.indexOf('\n')) == kHandOverTaken;
}

}  // namespace halvora::ui
