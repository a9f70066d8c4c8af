// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Birth-data files in the windows: opening and saving them (the old file stays whole until the new
// one is), the save dialog both windows share, and the list of recently used files kept in the
// settings store.

#include <QString>
#include <QStringList>

#include <variant>

#include "chart/chart_request.h"
#include "ui/platform.h"

class QWidget;

namespace halvora::ui {

inline constexpr int kRecentFileCount = 8;
// The file dialogs' filter and the suffix a saved file gets when the user gives none.
inline constexpr char kBirthDataFilter[] = "Birth data (*.halvora)";
inline constexpr char kBirthDataSuffix[] = "halvora";

// The form in a birth-data file, or the message that says which file and what is wrong with it.
std::variant<FormInput, QString> readBirthData(const QString& path);

// Writes the form to `path` through a temporary file that replaces it only once it is whole, so
// that a full disk or a failed write leaves the old file as it was; a symbolic link's file is
// replaced and the link kept, and a path that holds no regular file is left alone. Empty on
// success, else the message ("Cannot save PATH: REASON", "Cannot save PATH: not a regular file").
QString writeBirthData(const QString& path, const FormInput& form);

// The most recently opened or saved birth-data files, newest first, at most kRecentFileCount,
// kept in the settings store's "Settings" section (keys "Recent1" .. "Recent8") beside the date
// of the last update reminder.
class RecentFiles {
 public:
  explicit RecentFiles(SettingsStore& settings) : m_settings(settings) {}

  QStringList paths() const;
  // Puts a file first (moving it there when it is in the list already) and drops the oldest.
  void add(const QString& path);
  void remove(const QString& path);

 private:
  void store(const QStringList& paths);
  SettingsStore& m_settings;
};

// A file name for a person's files, without its suffix: "ASHA RANI" gives "asha-rani".
QString suggestedFileStem(const FormInput& form);

// Where a file dialog starts: the folder of the newest recent file, else the home folder.
QString fileDialogFolder(SettingsStore& settings);

// "&Save Birth Data…" of either window: asks where, writes the form there, tells the user when that
// fails, and puts the file first in the recent list. The file written, or empty.
QString saveBirthDataAs(QWidget* parent, Platform& platform, const FormInput& form);

}  // namespace halvora::ui
