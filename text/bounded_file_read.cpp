#include "text/bounded_file_read.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

FileRead ReadBoundedFile(const std::string& path, std::size_t maxBytes, bool followLinks) {
    FileRead read;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY |
                                            (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        read.error = errno;
        if (errno == ELOOP && !followLinks) {
            read.status = FileReadStatus::NotRegular;
            return read;
        }
        read.status = errno == ENOENT ? FileReadStatus::Missing : FileReadStatus::Failed;
        return read;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        read.error = errno;
        ::close(fd);
        return read;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        read.status = FileReadStatus::NotRegular;
        return read;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        ::close(fd);
        read.status = FileReadStatus::TooLarge;
        return read;
    }
    read.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t have = 0;
    char extra = 0;
    for (;;) {
        // One byte past the expected end tells a file that grew.
        char* into = have < read.bytes.size() ? read.bytes.data() + have : &extra;
        const std::size_t room = have < read.bytes.size() ? read.bytes.size() - have : 1;
        const ssize_t n = ::read(fd, into, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            read.error = errno;
            ::close(fd);
            read.bytes.clear();
            return read;
        }
        if (n == 0)
            break;
        if (into == &extra) {
            ::close(fd);
            read.bytes.clear();
            read.status = FileReadStatus::TooLarge;
            return read;
        }
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    read.bytes.resize(have);
    read.status = FileReadStatus::Ok;
    return read;
}

} // namespace vorn
