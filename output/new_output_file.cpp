#include "output/new_output_file.h"

#include "exercises/user_error.h"
#include "output/print_file_name.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

NewOutputFile::NewOutputFile(const QString& wanted, const char* failure) {
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
            break;
    }
    throw UserError(failure);
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

QString NewOutputFile::WriterPath() const {
    return QStringLiteral("/proc/self/fd/%1").arg(descriptor_);
}

} // namespace vorn
