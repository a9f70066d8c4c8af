// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local socket on which the running copy of Halvora takes the files that later starts hand
// over: one line per connection (the file's whole path, UTF-8, ended by a newline), answered by
// "taken" or "refused" on a line of its own. Plain Unix-domain sockets, watched by the event loop,
// so that the program needs no network library for it.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace halvora::ui {

// The answer to a file that names a whole path; anything else is refused.
inline constexpr char kHandOverTaken[] = "taken";
inline constexpr char kHandOverRefused[] = "refused";
// A name longer than any path is no file to open: such a connection is dropped.
inline constexpr qsizetype kMaxHandedOverBytes = 64 * 1024;

class HandOverServer : public QObject {
  Q_OBJECT
 public:
  // `take` is called, from the event loop and after the answer was sent, with each file taken.
  explicit HandOverServer(std::function<void(const QString& file)> take, QObject* parent = nullptr);
  ~HandOverServer() override;

  // Listens at `path`, replacing any socket left there (the caller holds the lock that makes the
  // path its own); readable and writable by this user only. False when it cannot.
  bool listen(const QString& path);

 private:
  void acceptConnections();
  struct Connection;
  void readFrom(Connection& connection);
  void drop(Connection& connection);

  std::function<void(const QString& file)> m_take;
  QString m_path;
  int m_fd = -1;
  QSocketNotifier* m_notifier = nullptr;
  std::vector<std::unique_ptr<Connection>> m_connections;
};

// Hands `file` to the copy listening at `path`; true when it took it. Each step (connecting,
// sending, waiting for the answer) waits at most `waitMs`.
bool handOverFile(const QString& path, const QString& file, int waitMs);

}  // namespace halvora::ui
