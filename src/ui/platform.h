// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform services the windows use, behind small interfaces: the program passes the Qt
// implementations (platform_qt.h), the tests pass fakes that record what was shown or opened.

#include <QDate>
#include <QString>
#include <QUrl>

#include <functional>

#include "chart/chart_request.h"  // MessageIcon

class QPrinter;
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
  // When tryAcquire() said another copy runs: gives that copy a birth-data file (an absolute
  // path) to open; true when it took the file.
  virtual bool handOver(const QString& file) = 0;
  // When this copy holds the lock: from now on `open` is called, on the windows' thread, with
  // each file a later start hands over.
  virtual void listenForFiles(std::function<void(const QString& file)> open) = 0;
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

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The file the user chose to open, starting in `folder`; empty when the dialog was cancelled.
  // `filter` is in the dialog's form, "Birth data (*.halvora)".
  virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                               const QString& filter) = 0;
  // The file the user chose to write, starting from `suggestedPath`, with `defaultSuffix` added
  // to a name given without one, after the user agreed to replace a file that is there; empty
  // when the dialog was cancelled.
  virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                               const QString& filter, const QString& defaultSuffix) = 0;
};

class PrintDialogs {
 public:
  virtual ~PrintDialogs() = default;
  // Asks which printer, which pages and which paper; true when the user chose to print, with the
  // choice made on `printer`.
  virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
  // Shows the pages as they will print, in a modal window from which the user may print them;
  // `paint` draws them on the printer it is given, as often as the window needs.
  virtual void preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
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
  FileDialogs& files;
  PrintDialogs& printing;
};

}  // namespace halvora::ui
