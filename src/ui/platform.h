#pragma once
// The platform services the windows use, behind small interfaces: the program passes the Qt
// implementations (platform_qt.h), the tests pass fakes that record what was shown or opened.

#include <QDate>
#include <QString>
#include <QUrl>

#include "chart/chart_request.h"  // MessageIcon

class QWidget;

namespace halvora::ui {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal message with an OK button, titled with the application's name.
  virtual void show(QWidget* parent, const QString& text, MessageIcon icon) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool askYesNo(QWidget* parent, const QString& text, MessageIcon icon) = 0;
};

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Opens a web address in the user's browser; a failure is not reported.
  virtual void open(const QUrl& url) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual QString value(const QString& section, const QString& key) = 0;
  virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
};

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when this is the only running copy of the program (and it now holds the lock).
  virtual bool tryAcquire() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDate today() = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A number in [0, 1).
  virtual double next() = 0;
};

// The services one run of the program uses; the objects outlive every window.
struct Platform {
  MessageBoxes& messages;
  UrlOpener& urls;
  Clipboard& clipboard;
  SettingsStore& settings;
  InstanceLock& instanceLock;
  Clock& clock;
  RandomSource& random;
};

}  // namespace halvora::ui
