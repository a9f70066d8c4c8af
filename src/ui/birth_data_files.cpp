// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/birth_data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <string>

#include "forms/birth_data_file.h"
#include "forms/output_path.h"
#include "place_form/place_form.h"

namespace halvora::ui {

namespace {

constexpr char kSettingsSection[] = "Settings";

QString recentKey(int index) { return QStringLiteral("Recent%1").arg(index + 1); }

QString cleanPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace

QString suggestedFileStem(const FormInput& form) {
  QString stem = QString::fromStdString(form.name).simplified().toLower();
  stem.replace(QLatin1Char(' '), QLatin1Char('-'));
  return stem.isEmpty() ? QStringLiteral("birth-data") : stem;
}

std::variant<FormInput, QString> readBirthData(const QString& path) {
  forms::BirthDataForm read = forms::readBirthDataForm(QFile::encodeName(path).toStdString());
  if (auto* error = std::get_if<forms::FileError>(&read)) {
    // The message names the file as the user knows it, not as its bytes.
    error->path = path.toStdString();
    return QStringLiteral("Cannot open %1").arg(QString::fromStdString(error->message()));
  }
  // A file that names a place of the atlas is filled from it as halvora-chart fills it; the
  // values the file gives beside the place keep theirs.
  auto& form = std::get<forms::ReadForm>(read);
  const auto filled = place_form::FillFromAtlas(form, forms::KeyStyle::Json);
  if (const auto* problem = std::get_if<std::string>(&filled))
    return QStringLiteral("Cannot open %1: %2").arg(path, QString::fromStdString(*problem));
  return std::move(form.form);
}

QString writeBirthData(const QString& path, const FormInput& form) {
  const std::string text = forms::formatBirthData(form);
  const auto failed = [&](const QString& reason) { return QStringLiteral("Cannot save %1: %2").arg(path, reason); };
  // A device, a FIFO or a folder at the path is left alone; a link is followed to its file.
  const auto target = forms::writableTarget(QFile::encodeName(path).toStdString());
  if (const auto* refused = std::get_if<forms::FileError>(&target)) return failed(QString::fromStdString(refused->problem));
  QSaveFile file(QFile::decodeName(std::get<std::string>(target).c_str()));
  // Unbuffered, so that a write the disk refuses fails here: a buffered one would fail only in
  // commit()'s flush, which QSaveFile does not count, and an empty file would replace the old.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failed(file.errorString());
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return failed(reason);
  }
  if (!file.commit()) return failed(file.errorString());
  return {};
}

QStringList RecentFiles::paths() const {
  QStringList list;
  for (int i = 0; i < kRecentFileCount; ++i) {
    const QString path = m_settings.value(kSettingsSection, recentKey(i));
    if (!path.isEmpty() && !list.contains(path)) list << path;
  }
  return list;
}

void RecentFiles::add(const QString& path) {
  const QString clean = cleanPath(path);
  QStringList list = paths();
  list.removeAll(clean);
  list.prepend(clean);
  store(list);
}

void RecentFiles::remove(const QString& path) {
  QStringList list = paths();
  list.removeAll(path);
  list.removeAll(cleanPath(path));
  store(list);
}

// Only the keys whose value changes are written; keys past the list are emptied.
void RecentFiles::store(const QStringList& paths) {
  for (int i = 0; i < kRecentFileCount; ++i) {
    const QString value = i < paths.size() ? paths[i] : QString();
    if (m_settings.value(kSettingsSection, recentKey(i)) != value) m_settings.setValue(kSettingsSection, recentKey(i), value);
  }
}

QString fileDialogFolder(SettingsStore& settings) {
  const QStringList recent = RecentFiles(settings).paths();
  if (!recent.isEmpty()) {
    const QFileInfo newest(recent.front());
    if (newest.dir().exists()) return newest.absolutePath();
  }
  return QDir::homePath();
}

QString saveBirthDataAs(QWidget* parent, Platform& platform, const FormInput& form) {
  const QString suggested = QDir(fileDialogFolder(platform.settings))
                                .filePath(suggestedFileStem(form) + QLatin1Char('.') + QLatin1String(kBirthDataSuffix));
  const QString path = platform.files.saveFileName(parent, QStringLiteral("Save Birth Data"), suggested,
                                                   QString::fromLatin1(kBirthDataFilter),
                                                   QString::fromLatin1(kBirthDataSuffix));
  if (path.isEmpty()) return {};
  if (const QString problem = writeBirthData(path, form); !problem.isEmpty()) {
    platform.messages.show(parent, problem, MessageIcon::Error);
    return {};
  }
  RecentFiles(platform.settings).add(path);
  return path;
}

}  // namespace halvora::ui
