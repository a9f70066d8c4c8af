// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Services that do nothing, for programs that only draw the windows or type into them (the
// screenshot tool, the windows' benchmarks): no box is shown, nothing is opened, copied, kept or
// printed, and the clock and the random numbers stand still.

#include "ui/platform.h"

namespace halvora::ui {

struct SilentPlatform final : MessageBoxes, UrlOpener, Clipboard, SettingsStore, InstanceLock, Clock, RandomSource,
                              FileDialogs, PrintDialogs {
  void show(QWidget*, const QString&, MessageIcon) override {}
  bool askYesNo(QWidget*, const QString&, MessageIcon) override { return false; }
  void open(const QUrl&) override {}
  void clear() override {}
  QString value(const QString&, const QString&) override { return {}; }
  void setValue(const QString&, const QString&, const QString&) override {}
  bool tryAcquire() override { return true; }
  bool handOver(const QString&) override { return false; }
  void listenForFiles(std::function<void(const QString&)>) override {}
  QDate today() override { return QDate(2011, 2, 22); }
  double next() override { return 0.3; }
  QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
  bool askPrint(QWidget*, QPrinter&) override { return false; }
  void preview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {}
  Platform platform{*this, *this, *this, *this, *this, *this, *this, *this, *this};
};

}  // namespace halvora::ui
