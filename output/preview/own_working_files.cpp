#include "output/preview/own_working_files.h"

#include "output/preview/private_temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

OwnWorkingFiles::OwnWorkingFiles() = default;

OwnWorkingFiles::~OwnWorkingFiles() {
    RemoveAll();
}

std::vector<OwnWorkingFiles::Entry>::iterator OwnWorkingFiles::Find(const QString& path) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&path](const Entry& e) { return e.path == path; });
}

bool OwnWorkingFiles::InPlace(const Entry& entry) const {
    struct stat st {};
    return ::lstat(QFile::encodeName(entry.path).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<unsigned long long>(st.st_dev) == entry.device &&
           static_cast<unsigned long long>(st.st_ino) == entry.inode;
}

bool OwnWorkingFiles::OpenForWriting(const QString& path, QFile& file) {
    const QByteArray native = QFile::encodeName(path);
    auto own = Find(path);
    int writer = -1;
    // O_EXCL with O_CREAT never opens an existing entry, link or not.
    const int created =
        ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (created >= 0) {
        struct stat st {};
        if (::fstat(created, &st) != 0 || (writer = ::fcntl(created, F_DUPFD_CLOEXEC, 0)) < 0) {
            ::unlink(native.constData());
            ::close(created);
            return false;
        }
        // A file of ours that had this name is gone from it: forget it.
        if (own != entries_.end()) {
            ::close(own->descriptor);
            entries_.erase(own);
        }
        entries_.push_back({path, created, static_cast<unsigned long long>(st.st_dev),
                            static_cast<unsigned long long>(st.st_ino)});
    } else {
        if (errno != EEXIST || own == entries_.end() || !InPlace(*own))
            return false;
        // Written through the descriptor kept since its creation: the name is
        // never opened again, so nothing put in its place meanwhile is.
        writer = ::fcntl(own->descriptor, F_DUPFD_CLOEXEC, 0);
        if (writer < 0)
            return false;
        if (::ftruncate(writer, 0) != 0 || ::lseek(writer, 0, SEEK_SET) != 0) {
            ::close(writer);
            return false;
        }
    }
    if (!file.open(writer, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(writer);
        return false;
    }
    return true;
}

bool OwnWorkingFiles::IsOwn(const QString& path) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.path == path && InPlace(e); });
}

QByteArray OwnWorkingFiles::Contents(const QString& path) const {
    const auto own = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.path == path && InPlace(e); });
    if (own == entries_.end())
        return {};
    QByteArray content;
    char block[64 * 1024];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(own->descriptor, block, sizeof block, at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {};
        if (got == 0)
            return content;
        content.append(block, got);
        at += got;
    }
}

void OwnWorkingFiles::Remove(const Entry& entry) const {
    if (InPlace(entry))
        ::unlink(QFile::encodeName(entry.path).constData());
    ::close(entry.descriptor);
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
    if (privateFolder_ && !QFileInfo(privateFolder_->Path()).isDir())
        privateFolder_.reset();
    if (!privateFolder_)
        privateFolder_ = PrivateTempFolder::Create(QDir::tempPath());
    return privateFolder_ ? privateFolder_->Path() : QString();
}

QString OwnWorkingFiles::PrivateFolderPath() const {
    return privateFolder_ ? privateFolder_->Path() : QString();
}

} // namespace vorn
