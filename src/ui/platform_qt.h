#pragma once
// The platform services as the running program provides them with Qt.

#include <QLockFile>
#include <QRandomGenerator>

#include <memory>

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

// A lock file in the temporary folder, held for as long as the program runs.
class QtInstanceLock : public InstanceLock {
 public:
  QtInstanceLock();
  bool tryAcquire() override;

 private:
  std::unique_ptr<QLockFile> m_lock;
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

// All the services of one run, and the Platform that hands them to the windows.
struct QtPlatform {
  QtMessageBoxes messages;
  QtUrlOpener urls;
  QtClipboard clipboard;
  QtSettingsStore settings;
  QtInstanceLock instanceLock;
  QtClock clock;
  QtRandomSource random;
  Platform platform{messages, urls, clipboard, settings, instanceLock, clock, random};
};

}  // namespace halvora::ui
