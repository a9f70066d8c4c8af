// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording stand-ins for the platform services, for the window tests: they remember what was
// shown, opened, cleared and stored, and answer as the test tells them.

#include <QDate>
#include <QMap>
#include <QString>
#include <QUrl>

#include <QPrinter>
#include <QStringList>

#include <functional>
#include <vector>

#include "ui/platform.h"

namespace halvora::ui::testing {

struct ShownMessage {
  QString text;
  MessageIcon icon;
  bool question;  // asked with Yes and No
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  void show(QWidget*, const QString& text, MessageIcon icon) override {
    shown.push_back({text, icon, false});
    if (whileShown) whileShown();
  }
  bool askYesNo(QWidget*, const QString& text, MessageIcon icon) override {
    shown.push_back({text, icon, true});
    if (whileShown) whileShown();
    return answerYes;
  }
  std::vector<ShownMessage> shown;
  bool answerYes = false;
  std::function<void()> whileShown;  // runs while a message is up, as a modal box would wait
};

class FakeUrlOpener : public UrlOpener {
 public:
  void open(const QUrl& url) override { opened.push_back(url); }
  std::vector<QUrl> opened;
};

class FakeClipboard : public Clipboard {
 public:
  void clear() override { ++clears; }
  int clears = 0;
};

class FakeSettingsStore : public SettingsStore {
 public:
  QString value(const QString& section, const QString& key) override { return values.value(section + '/' + key); }
  void setValue(const QString& section, const QString& key, const QString& value) override {
    values.insert(section + '/' + key, value);
    ++writes;
  }
  QMap<QString, QString> values;  // "section/key" -> value
  int writes = 0;
};

class FakeInstanceLock : public InstanceLock {
 public:
  bool tryAcquire() override {
    ++attempts;
    return free;
  }
  bool handOver(const QString& file) override {
    handedOver << file;
    return runningCopyTakesFiles;
  }
  void listenForFiles(std::function<void(const QString&)> open) override { openHandedOver = std::move(open); }

  bool free = true;
  int attempts = 0;
  bool runningCopyTakesFiles = true;
  QStringList handedOver;                               // the files this start gave another copy
  std::function<void(const QString&)> openHandedOver;  // set once this copy listens for files
};

class FakeClock : public Clock {
 public:
  QDate today() override { return date; }
  QDate date{2011, 2, 22};
};

class FakeRandomSource : public RandomSource {
 public:
  double next() override { return value; }
  double value = 0.0;
};

struct FileDialogCall {
  QString caption;
  QString start;  // the folder or the suggested file
  QString filter;
  QString defaultSuffix;  // empty for an open dialog
};

// Answers each dialog with the next of `answers` (empty: cancelled) and remembers what it was asked.
class FakeFileDialogs : public FileDialogs {
 public:
  QString openFileName(QWidget*, const QString& caption, const QString& folder, const QString& filter) override {
    asked.push_back({caption, folder, filter, {}});
    return next();
  }
  QString saveFileName(QWidget*, const QString& caption, const QString& suggestedPath, const QString& filter,
                       const QString& defaultSuffix) override {
    asked.push_back({caption, suggestedPath, filter, defaultSuffix});
    return next();
  }
  QStringList answers;
  std::vector<FileDialogCall> asked;

 private:
  QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

// A printer that prints into a PDF file: the print dialog answers as told and sends the pages to
// `outputFile`; the preview draws them there once, as its window would.
class FakePrintDialogs : public PrintDialogs {
 public:
  bool askPrint(QWidget*, QPrinter& printer) override {
    ++printAsked;
    if (accept) printer.setOutputFileName(outputFile);
    return accept;
  }
  void preview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
    ++previews;
    printer.setOutputFileName(outputFile);
    paint(printer);
  }
  bool accept = true;
  QString outputFile;
  int printAsked = 0;
  int previews = 0;
};

struct FakePlatform {
  FakeMessageBoxes messages;
  FakeUrlOpener urls;
  FakeClipboard clipboard;
  FakeSettingsStore settings;
  FakeInstanceLock instanceLock;
  FakeClock clock;
  FakeRandomSource random;
  FakeFileDialogs files;
  FakePrintDialogs printing;
  Platform platform{messages, urls, clipboard, settings, instanceLock, clock, random, files, printing};
};

}  // namespace halvora::ui::testing
