// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services as the running program provides them with Qt.

#include <QRandomGenerator>
#include <QString>

#include <memory>
#include <optional>

#include "ui/hand_over_socket.h"
#include "ui/platform.h"


namespace halvora::ui {

class QtMessageBoxes : public MessageBoxes {
 public:
  void show(QWidget* parent, const QString& text, MessageIcon icon) override;
  bool askYesNo(QWidget* parent, const QString& text, MessageIcon icon) override;
};

class QtUrlOpener : public UrlOpener {
 public:
  void open(const QUrl& url) override;
};

class QtClipboard : public Clipboard {
 public:
  void clear() override;
};

// The per-user settings of the application "halvora"; a section and key are stored as "section/key".
class QtSettingsStore : public SettingsStore {
 public:
  QString value(const QString& section, const QString& key) override;
  void setValue(const QString& section, const QString& key, const QString& value) override;
};

// A lock on a file in a folder that only this user can write, held for as long as the program
// runs. The system lets go of it when the program ends, so no file left behind blocks a start,
// and no other user can take it or hold it. Beside the lock file the copy that holds it listens
// on a local socket ("halvora.socket") for the files later starts hand over.
class QtInstanceLock : public InstanceLock {
 public:
  // In the runtime folder, or in the cache folder when the lock file cannot be made there (a
  // runtime folder mounted read-only).
  QtInstanceLock();
  explicit QtInstanceLock(const QString& folder);  // only there
  ~QtInstanceLock() override;
  QtInstanceLock(const QtInstanceLock&) = delete;
  QtInstanceLock& operator=(const QtInstanceLock&) = delete;

  bool tryAcquire() override;
  bool handOver(const QString& file) override;
  void listenForFiles(std::function<void(const QString& file)> open) override;
  // The lock file tried last (the one held, once tryAcquire() succeeded).
  QString path() const { return m_path; }

  // The user's runtime folder ($XDG_RUNTIME_DIR) when it is the user's own and private; else
  // cacheLockFolder().
  static QString lockFolder();
  // A private folder "halvora" in the user's cache folder, made when needed; empty when it
  // cannot be had.
  static QString cacheLockFolder();

 private:
  // True when this copy took the lock at `path`, false when another holds it, nothing when the
  // file cannot be made or opened there.
  std::optional<bool> lockAt(const QString& path);
  QString socketPath() const;

  QString m_path;
  bool m_fallBackToCache = false;
  int m_fd = -1;
  std::unique_ptr<HandOverServer> m_server;
};

class QtClock : public Clock {
 public:
  QDate today() override;
};

// Seeded from the clock once, when it is made.
class QtRandomSource : public RandomSource {
 public:
  QtRandomSource();
  double next() override;

 private:
  QRandomGenerator m_generator;
};

class QtFileDialogs : public FileDialogs {
 public:
  QString openFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter,
                       const QString& defaultSuffix) override;
};

class QtPrintDialogs : public PrintDialogs {
 public:
  bool askPrint(QWidget* parent, QPrinter& printer) override;
  void preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
};

// All the services of one run, and the Platform that hands them to the windows.
struct QtPlatform {
  QtMessageBoxes messages;
  QtUrlOpener urls;
  QtClipboard clipboard;
  QtSettingsStore settings;
  QtInstanceLock instanceLock;
  QtClock clock;
  QtRandomSource random;
  QtFileDialogs files;
  QtPrintDialogs printing;
  Platform platform{messages, urls, clipboard, settings, instanceLock, clock, random, files, printing};
};

}  // namespace halvora::ui
