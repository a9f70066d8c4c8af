#pragma once
// Recording stand-ins for the platform services, for the window tests: they remember what was
// shown, opened, cleared and stored, and answer as the test tells them.

#include <QDate>
#include <QMap>
#include <QString>
#include <QUrl>

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
  bool free = true;
  int attempts = 0;
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

struct FakePlatform {
  FakeMessageBoxes messages;
  FakeUrlOpener urls;
  FakeClipboard clipboard;
  FakeSettingsStore settings;
  FakeInstanceLock instanceLock;
  FakeClock clock;
  FakeRandomSource random;
  Platform platform{messages, urls, clipboard, settings, instanceLock, clock, random};
};

}  // namespace halvora::ui::testing
