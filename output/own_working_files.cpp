#include "output/own_working_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {
namespace {

bool SameFile(const struct stat& st, unsigned long long device, unsigned long long inode) {
    return S_ISREG(st.st_mode) && st.st_dev == device && st.st_ino == inode;
}

} // namespace

OwnWorkingFiles::OwnWorkingFiles() = default;

OwnWorkingFiles::~OwnWorkingFiles() {
    RemoveAll();
}

bool OwnWorkingFiles::OpenForWriting(const QString& path, QFile& file) {
    const QByteArray native = QFile::encodeName(path);
    // O_EXCL with O_CREAT never opens an existing entry, link or not.
    int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    struct stat st {};
    if (fd >= 0) {
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            ::unlink(native.constData());
            return false;
        }
        entries_.push_back({path, static_cast<unsigned long long>(st.st_dev),
                            static_cast<unsigned long long>(st.st_ino)});
    } else {
        if (errno != EEXIST)
            return false;
        const auto own = std::find_if(entries_.begin(), entries_.end(),
                                      [&path](const Entry& e) { return e.path == path; });
        if (own == entries_.end())
            return false;
        // Ours once; it must still be the very file made then. O_NONBLOCK keeps
        // a pipe put in its place from holding the program up.
        fd = ::open(native.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        if (::fstat(fd, &st) != 0 || !SameFile(st, own->device, own->inode) ||
            ::ftruncate(fd, 0) != 0) {
            ::close(fd);
            return false;
        }
    }
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool OwnWorkingFiles::IsOwn(const QString& path) const {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.path == path && SameFile(st, e.device, e.inode);
    });
}

void OwnWorkingFiles::Remove(const Entry& entry) const {
    const QByteArray native = QFile::encodeName(entry.path);
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0 && SameFile(st, entry.device, entry.inode))
        ::unlink(native.constData());
}

void OwnWorkingFiles::RemoveNamed(const QString& name) {
    const auto named = [&name](const Entry& e) { return QFileInfo(e.path).fileName() == name; };
    for (const Entry& entry : entries_)
        if (named(entry))
            Remove(entry);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), named), entries_.end());
}

void OwnWorkingFiles::RemoveAll() {
    for (const Entry& entry : entries_)
        Remove(entry);
    entries_.clear();
    privateFolder_.reset();
}

QString OwnWorkingFiles::PrivateFolder() {
    // A cleaner of the temporary folder may have taken it meanwhile.
    if (privateFolder_ && !QFileInfo(privateFolder_->path()).isDir())
        privateFolder_.reset();
    if (!privateFolder_) {
        auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                      QStringLiteral("/vorn-apercu-XXXXXX"));
        if (!folder->isValid())
            return {};
        privateFolder_ = std::move(folder);
    }
    return privateFolder_->path();
}

QString OwnWorkingFiles::PrivateFolderPath() const {
    return privateFolder_ ? privateFolder_->path() : QString();
}

} // namespace vorn
