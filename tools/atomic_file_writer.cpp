#include "tools/atomic_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a newly created file gets under the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Fills the open file and puts it on disk; returns 0 or the errno value.
int FillAndSync(int fd, const std::string& bytes) {
    if (::fchmod(fd, NewFileMode()) != 0)
        return errno;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// A temporary file beside its target, removed unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const FileContent& file) : target_(file.path) {
        std::string pattern = FolderOf(target_) + "/.vorn-sheet-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw FileWriteError(target_, Reason(errno));
        name_ = pattern;
        int error = FillAndSync(fd, file.bytes);
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error != 0) {
            ::unlink(name_.c_str());
            throw FileWriteError(target_, Reason(error));
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!committed_)
            ::unlink(name_.c_str());
    }

    void Commit() {
        if (::rename(name_.c_str(), target_.c_str()) != 0)
            throw FileWriteError(target_, Reason(errno));
        committed_ = true;
    }

private:
    std::string target_;
    std::string name_;
    bool committed_ = false;
};

} // namespace

void WriteFilesAtomically(const std::vector<FileContent>& files) {
    std::vector<std::unique_ptr<TemporaryFile>> temporaries;
    temporaries.reserve(files.size());
    for (const FileContent& file : files)
        temporaries.push_back(std::make_unique<TemporaryFile>(file));
    for (auto& temporary : temporaries)
        temporary->Commit();
}

} // namespace vorn
