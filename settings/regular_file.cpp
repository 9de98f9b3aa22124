#include "settings/regular_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::RegularFile(const QString& path, int flags, mode_t mode) {
    fd_ = ::open(QFile::encodeName(path).constData(), flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    struct stat st = {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
    }
}

RegularFile::~RegularFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

int RegularFile::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool RegularFile::ReadAll(std::string& bytes) const {
    struct stat st = {};
    if (::fstat(fd_, &st) != 0)
        return false;
    // One byte more than the file holds, so that the end is seen without
    // growing the buffer; a file that grows meanwhile doubles it.
    bytes.resize(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return true;
}
