#include "output/private_temp_folder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorn {
namespace {

const char kPrefix[] = "vorn-apercu-";

int OpenFolder(int at, const char* name) {
    return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// Deletes everything inside the folder open at `folder`, working on names
// relative to it so that no link, and no folder swapped in meanwhile, is
// followed.
void EmptyFolder(int folder) {
    const int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listing < 0)
        return;
    DIR* entries = ::fdopendir(listing);
    if (!entries) {
        ::close(listing);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(entries);
    for (const std::string& name : names) {
        if (::unlinkat(folder, name.c_str(), 0) == 0 || (errno != EISDIR && errno != EPERM))
            continue;
        const int sub = OpenFolder(folder, name.c_str());
        if (sub < 0)
            continue;
        EmptyFolder(sub);
        ::close(sub);
        ::unlinkat(folder, name.c_str(), AT_REMOVEDIR);
    }
}

bool ProcessRuns(long long pid) {
    // A process that ended but that its parent has not collected yet still
    // answers to its id: it is gone all the same.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.read(4096);
        const qsizetype end = line.lastIndexOf(')');
        if (end >= 0 && line.mid(end + 1).trimmed().startsWith('Z'))
            return false;
    }
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

std::unique_ptr<PrivateTempFolder> PrivateTempFolder::Create(const QString& parent) {
    QByteArray pattern = QFile::encodeName(QDir(parent).filePath(
        QString::fromLatin1(kPrefix) + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        return nullptr;
    const int lock = OpenFolder(AT_FDCWD, pattern.constData());
    if (lock < 0 || ::flock(lock, LOCK_SH | LOCK_NB) != 0) {
        if (lock >= 0)
            ::close(lock);
        ::rmdir(pattern.constData());
        return nullptr;
    }
    return std::unique_ptr<PrivateTempFolder>(
        new PrivateTempFolder(QFile::decodeName(pattern), lock));
}

PrivateTempFolder::~PrivateTempFolder() {
    EmptyFolder(lock_);
    ::rmdir(QFile::encodeName(path_).constData());
    ::close(lock_);
}

int RemoveStalePrivateFolders(const QString& parent) {
    const QDir dir(parent);
    const QStringList names =
        dir.entryList({QString::fromLatin1(kPrefix) + QLatin1Char('*')},
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int removed = 0;
    for (const QString& name : names) {
        bool isNumber = false;
        const long long pid =
            name.mid(int(sizeof kPrefix) - 1).section(QLatin1Char('-'), 0, 0).toLongLong(&isNumber);
        if (!isNumber || pid <= 0 || pid == ::getpid() || ProcessRuns(pid))
            continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const int folder = OpenFolder(AT_FDCWD, path.constData());
        if (folder < 0)
            continue;
        struct stat st {};
        // The maker may run in another process namespace, where its id means
        // something else: its lock is free only once it is gone.
        if (::fstat(folder, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(folder, LOCK_EX | LOCK_NB) == 0) {
            EmptyFolder(folder);
            if (::rmdir(path.constData()) == 0)
                ++removed;
        }
        ::close(folder);
    }
    return removed;
}

} // namespace vorn
