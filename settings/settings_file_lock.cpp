#include "settings/settings_file_lock.h"

#include "exercises/user_error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace {

// Far longer than a save of any settings file takes.
constexpr int kWaitMilliseconds = 10000;

QString TemporaryLockPath(const QString& path) {
    const QByteArray key = QFileInfo(path).absoluteFilePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return QDir::temp().filePath(
        QStringLiteral("vorn-settings-%1.lock").arg(QString::fromLatin1(digest.left(20))));
}

} // namespace

std::unique_ptr<QLockFile> LockSettingsFile(const QString& path, const std::string& busyMessage) {
    for (const QString& lockPath : {path + QStringLiteral(".lock"), TemporaryLockPath(path)}) {
        auto lock = std::make_unique<QLockFile>(lockPath);
        if (lock->tryLock(kWaitMilliseconds))
            return lock;
        if (lock->error() == QLockFile::LockFailedError)
            throw vorn::UserError(busyMessage);
    }
    return nullptr;
}
