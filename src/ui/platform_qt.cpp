#include "ui/platform_qt.h"

#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>

#include "ui/look.h"

namespace halvora::ui {

namespace {

constexpr char kSettingsOwner[] = "halvora";

QMessageBox::Icon boxIcon(MessageIcon icon) {
  return icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information;
}

// Lines the core separates with a carriage return break the same way in the box.
QString boxText(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}  // namespace

void QtMessageBoxes::show(QWidget* parent, const QString& text, MessageIcon icon) {
  QMessageBox box(boxIcon(icon), kMessageTitle, boxText(text), QMessageBox::Ok, parent);
  box.exec();
}

bool QtMessageBoxes::askYesNo(QWidget* parent, const QString& text, MessageIcon icon) {
  QMessageBox box(boxIcon(icon), kMessageTitle, boxText(text), QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

void QtUrlOpener::open(const QUrl& url) { QDesktopServices::openUrl(url); }

// Emptying means owning it with nothing in it: on X11 clearing alone leaves what another program
// (or this one's text boxes) put into the clipboard or the selection.
void QtClipboard::clear() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return;
  for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
    if (mode == QClipboard::Selection && !clipboard->supportsSelection()) continue;
    const bool owned = mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection();
    const QMimeData* held = clipboard->mimeData(mode);
    if (owned && held != nullptr && held->formats().isEmpty()) continue;  // already empty
    clipboard->setMimeData(new QMimeData, mode);
  }
}

QString QtSettingsStore::value(const QString& section, const QString& key) {
  QSettings settings(kSettingsOwner, kSettingsOwner);
  return settings.value(section + u'/' + key).toString();
}

void QtSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
  QSettings settings(kSettingsOwner, kSettingsOwner);
  settings.setValue(section + u'/' + key, value);
}

QtInstanceLock::QtInstanceLock() {
  QString user = qEnvironmentVariable("USER");
  user.remove(u'/');
  const QString name = user.isEmpty() ? QStringLiteral("halvora.lock") : QStringLiteral("halvora-%1.lock").arg(user);
  m_lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(name));
  // Held as long as the program runs: only a lock left by a program that is gone counts as stale.
  m_lock->setStaleLockTime(0);
}

bool QtInstanceLock::tryAcquire() { return m_lock->isLocked() || m_lock->tryLock(0); }

QDate QtClock::today() { return QDate::currentDate(); }

QtRandomSource::QtRandomSource()
    : m_generator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() & 0xffffffffu)) {}

double QtRandomSource::next() { return m_generator.generateDouble(); }

}  // namespace halvora::ui
