#include "output/pages/memory_file.h"

#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

MemoryFile::MemoryFile() : descriptor_(::memfd_create("vorn-output", MFD_CLOEXEC)) {
    if (descriptor_ < 0)
        openError_ = errno;
}

MemoryFile::~MemoryFile() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

QString MemoryFile::WriterPath() const {
    return QStringLiteral("/proc/self/fd/%1").arg(descriptor_);
}

int MemoryFile::Read(QByteArray& content) const {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0)
        return errno;
    content.resize(qsizetype(status.st_size));
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t step = ::pread(descriptor_, content.data() + done,
                                     std::size_t(content.size() - done), off_t(done));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return errno;
        if (step == 0)
            break;
        done += step;
    }
    content.resize(done);
    return 0;
}

int MemoryFile::Append(const QByteArray& content) const {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t step =
            ::write(descriptor_, content.constData() + done, std::size_t(content.size() - done));
        if (step < 0 && errno == EINTR)
            continue;
        if (step < 0)
            return errno;
        if (step == 0)
            return EIO;
        done += step;
    }
    return 0;
}

int MemoryFile::GrowthError() const {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0)
        return errno;
    return ::pwrite(descriptor_, "", 1, status.st_size) == 1 ? 0 : errno;
}

} // namespace vorn
