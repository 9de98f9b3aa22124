#include "settings/settings_file_lock.h"

#include "settings/regular_file.h"
#include "settings/settings_location.h"
#include "text/user_error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

namespace {

bool IsPrivateFolder(const QString& path) {
    struct stat st = {};
    return QDir::isAbsolutePath(path) && ::lstat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

QString PrivateLockFolder(const QString& runtimeDir, const QString& tempDir) {
    if (!runtimeDir.isEmpty() && IsPrivateFolder(runtimeDir))
        return runtimeDir;
    const QString own = QDir(tempDir).filePath(QStringLiteral("vorn-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return IsPrivateFolder(own) ? own : QString();
}

} // namespace vorn

namespace {

// How often a held lock is tried again.
constexpr std::chrono::milliseconds kRetryPause{10};

QString FallbackLockPath(const QString& path) {
    const QString folder =
        vorn::PrivateLockFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
    if (folder.isEmpty())
        return {};
    const QByteArray key = QFileInfo(path).absoluteFilePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QDir(folder).filePath(
        QStringLiteral("vorn-settings-%1.lock").arg(QString::fromLatin1(digest.left(20))));
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

SettingsFileLock::SettingsFileLock(const QString& path, std::chrono::milliseconds wait,
                                   const std::string& failureMessage) {
    lockPath_ =
        vorn::FolderOfFileWritable(path) ? path + QStringLiteral(".lock") : FallbackLockPath(path);
    if (lockPath_.isEmpty())
        throw vorn::UserError(failureMessage);
    const QByteArray name = QFile::encodeName(lockPath_);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // A link is refused too: the lock file is only ever made by this
        // program, and a link could lead it to lock and then remove a file
        // of the user's. Reading is all flock() needs, so a lock file that
        // another user of a shared folder made still serves.
        RegularFile file(lockPath_, O_RDONLY | O_CREAT | O_NOFOLLOW, 0644);
        if (!file.IsOpen())
            throw vorn::UserError(failureMessage);
        if (::flock(file.Descriptor(), LOCK_EX | LOCK_NB) == 0) {
            // The holder before may have removed the file as it let go: a
            // lock on a file no longer under that name keeps nobody out.
            struct stat held = {};
            struct stat named = {};
            if (::fstat(file.Descriptor(), &held) == 0 && ::lstat(name.constData(), &named) == 0 &&
                SameFile(held, named)) {
                fd_ = file.Release();
                return;
            }
        } else if (errno != EWOULDBLOCK) {
            throw vorn::UserError(failureMessage);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            throw vorn::SettingsLockHeld(failureMessage);
        std::this_thread::sleep_for(kRetryPause);
    }
}

SettingsFileLock::~SettingsFileLock() {
    // Removed while still held, and only if it is still the file locked: a
    // waiting copy then finds the name gone and makes a new lock file.
    struct stat held = {};
    struct stat named = {};
    const QByteArray name = QFile::encodeName(lockPath_);
    if (::fstat(fd_, &held) == 0 && ::lstat(name.constData(), &named) == 0 && SameFile(held, named))
        ::unlink(name.constData());
    ::close(fd_);
}
