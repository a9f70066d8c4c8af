// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform_qt.h"

#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/hand_over_socket.h"
#include "ui/look.h"

namespace halvora::ui {

namespace {

constexpr char kSettingsOwner[] = "halvora";
constexpr char kLockName[] = "halvora.lock";
constexpr char kLockFolderName[] = "halvora";
constexpr char kSocketName[] = "halvora.socket";
// How long a start waits for each step of handing its file over.
constexpr int kHandOverWaitMs = 3000;

// A folder only this user can write: a real folder (not a link), the user's own, closed to the
// group and to others for writing (and for everything, when `privateOnly`).
bool isOwnFolder(const QString& folder, bool privateOnly) {
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) return false;
  struct stat info {};
  if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) return false;
  return (info.st_mode & (privateOnly ? 077 : 022)) == 0;
}

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
    if (owned) {
      const QMimeData* held = clipboard->mimeData(mode);
      if (held != nullptr && held->formats().isEmpty()) continue;  // already empty
    }
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

QString QtInstanceLock::lockFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (isOwnFolder(runtime, true)) return runtime;
  return cacheLockFolder();
}

QString QtInstanceLock::cacheLockFolder() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (cache.isEmpty() || !QDir().mkpath(cache)) return {};
  const QString folder = QDir(cache).filePath(kLockFolderName);
  ::mkdir(QFile::encodeName(folder).constData(), 0700);
  return isOwnFolder(folder, true) ? folder : QString();
}

QtInstanceLock::QtInstanceLock() : QtInstanceLock(lockFolder()) { m_fallBackToCache = true; }

QtInstanceLock::QtInstanceLock(const QString& folder)
    : m_path(folder.isEmpty() ? QString() : QDir(folder).filePath(kLockName)) {}

QtInstanceLock::~QtInstanceLock() {
  m_server.reset();  // removes the socket while the lock is still held
  if (m_fd >= 0) ::close(m_fd);  // lets go of the lock
}

std::optional<bool> QtInstanceLock::lockAt(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    if (held) return false;
    return std::nullopt;
  }
  m_fd = fd;
  return true;
}

bool QtInstanceLock::tryAcquire() {
  if (m_fd >= 0) return true;
  std::optional<bool> took = m_path.isEmpty() ? std::nullopt : lockAt(m_path);
  // A runtime folder where no file can be made (mounted read-only) must not switch the lock off:
  // every copy then meets in the cache folder instead.
  if (!took && m_fallBackToCache) {
    const QString cache = cacheLockFolder();
    const QString cachePath = cache.isEmpty() ? QString() : QDir(cache).filePath(kLockName);
    if (!cachePath.isEmpty() && cachePath != m_path) {
      m_path = cachePath;
      took = lockAt(m_path);
    }
  }
  // Without a private folder there is no lock that others could not take: the program starts.
  return took.value_or(true);
}

QString QtInstanceLock::socketPath() const {
  return m_path.isEmpty() ? QString() : QFileInfo(m_path).dir().filePath(kSocketName);
}

bool QtInstanceLock::handOver(const QString& file) {
  const QString socket = socketPath();
  return !socket.isEmpty() && handOverFile(socket, file, kHandOverWaitMs);
}

void QtInstanceLock::listenForFiles(std::function<void(const QString& file)> open) {
  if (m_fd < 0 || m_server) return;
  // The lock is this copy's, so a socket left there is one a copy that ended did not remove.
  m_server = std::make_unique<HandOverServer>(std::move(open));
  if (!m_server->listen(socketPath())) m_server.reset();
}

QDate QtClock::today() { return QDate::currentDate(); }

QtRandomSource::QtRandomSource()
    : m_generator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() & 0xffffffffu)) {}

double QtRandomSource::next() { return m_generator.generateDouble(); }

QString QtFileDialogs::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                    const QString& filter, const QString& defaultSuffix) {
  QFileDialog dialog(parent, caption, suggestedPath, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The suffix is added before the dialog asks whether to replace a file of that name.
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.selectFile(suggestedPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

bool QtPrintDialogs::askPrint(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print"));
  return dialog.exec() == QDialog::Accepted;
}

void QtPrintDialogs::preview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Preview"));
  // Large enough to read a page: most of the screen the program is on.
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    dialog.resize(screen->availableGeometry().size() * 0.8);
  }
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* target) {
    if (target) paint(*target);
  });
  dialog.exec();
}

}  // namespace halvora::ui
