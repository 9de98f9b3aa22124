#include "output/print/new_output_file.h"

#include "output/print/print_file_name.h"
#include "text/system_cause.h"
#include "text/user_error.h"
#include "text/whole_file_io.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

NewOutputFile::NewOutputFile(const QString& wanted, const char* failure) : failure_(failure) {
    for (int n = 1; n <= kMaxNumber; ++n) {
        const QString candidate = NumberedFileName(wanted, n);
        // O_EXCL with O_CREAT fails on any existing entry, a dangling link
        // included, and O_NOFOLLOW says so again.
        descriptor_ = ::open(QFile::encodeName(candidate).constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            path_ = candidate;
            return;
        }
        if (errno != EEXIST)
            FailFor(candidate, errno);
    }
    FailFor(wanted, EEXIST);
}

NewOutputFile::~NewOutputFile() {
    if (!keep_) {
        // Still open, the file keeps its inode number: an entry that carries
        // it is this file.
        struct stat own {};
        struct stat named {};
        const QByteArray native = QFile::encodeName(path_);
        if (::fstat(descriptor_, &own) == 0 && ::lstat(native.constData(), &named) == 0 &&
            own.st_dev == named.st_dev && own.st_ino == named.st_ino)
            ::unlink(native.constData());
    }
    ::close(descriptor_);
}

void NewOutputFile::WriteWhole(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    // A file system that cannot reserve space leaves the check to the writes.
    const int reserved = ::posix_fallocate(descriptor_, 0, bytes.size());
    if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
        Fail(reserved);
    if (!WriteAll(descriptor_, std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        Fail(errno);
    // A network or quota-bound disk may only refuse the data here.
    if (::fsync(descriptor_) != 0 && errno != EINVAL)
        Fail(errno);
}

void NewOutputFile::Fail(int errorNumber) const {
    FailFor(path_, errorNumber);
}

void NewOutputFile::FailFor(const QString& path, int errorNumber) const {
    throw UserError(failure_ + ' ' + path.toStdString() + " : " + SystemCause(errorNumber));
}

} // namespace vorn
