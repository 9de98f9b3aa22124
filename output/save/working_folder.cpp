#include "output/save/working_folder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

QString CacheWorkingFolder(const QString& xdgCacheHome, const QString& home) {
    const QString base =
        QDir::isAbsolutePath(xdgCacheHome) ? xdgCacheHome : home + QStringLiteral("/.cache");
    return QDir::cleanPath(base + QStringLiteral("/vorn"));
}

QString CacheWorkingFolder() {
    return CacheWorkingFolder(qEnvironmentVariable("XDG_CACHE_HOME"), QDir::homePath());
}

namespace {

// mkdir -p with mode 0700 for every folder it makes; folders that exist keep
// their mode.
bool MakeFolders(const QByteArray& path, int& errorNumber) {
    struct stat info {};
    if (::stat(path.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        errorNumber = ENOTDIR;
        return false;
    }
    const qsizetype slash = path.lastIndexOf('/');
    if (slash > 0 && !MakeFolders(path.left(slash), errorNumber))
        return false;
    if (::mkdir(path.constData(), 0700) != 0) {
        errorNumber = errno;
        return false;
    }
    // The umask may take bits away, never add one: set the mode as meant.
    ::chmod(path.constData(), 0700);
    return true;
}

} // namespace

bool EnterWorkingFolder(const QString& folder, QString& error) {
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    int errorNumber = 0;
    if (!MakeFolders(path, errorNumber) || ::chdir(path.constData()) != 0) {
        if (errorNumber == 0)
            errorNumber = errno;
        error = QStringLiteral("vorn: cannot work in %1: %2")
                    .arg(folder, QString::fromLocal8Bit(std::strerror(errorNumber)));
        return false;
    }
    return true;
}

QString SaveDialogFolder() {
    const QString current = QDir::currentPath();
    if (QDir(current).canonicalPath() == QDir(CacheWorkingFolder()).canonicalPath())
        return QDir::homePath();
    return current;
}

} // namespace vorn
