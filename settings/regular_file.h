#pragma once

#include <QString>

#include <cerrno>
#include <string>

#include <sys/types.h>

// A file descriptor on a regular file, closed with the object.
//
// The settings file and its lock are opened through this class only: a FIFO
// (or a link to one) planted in their place would otherwise hold the program
// in open() or read() for as long as nobody writes to it, and a device could
// be acted upon by merely opening it. The open never waits, and anything
// that turns out not to be a regular file is closed again at once.
class RegularFile {
public:
    // Opens `path` with `flags` (O_NONBLOCK and O_CLOEXEC are added; `mode`
    // applies with O_CREAT).
    RegularFile(const QString& path, int flags, mode_t mode = 0);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    // Why the open failed: the errno of open(), or 0 when the path named
    // something else than a regular file.
    int Error() const { return error_; }
    // Nothing at all was at the path (or a link to nothing).
    bool Missing() const { return !IsOpen() && error_ == ENOENT; }

    // Hands the descriptor over to the caller, who closes it.
    int Release();

    // Reads from the current position to the end; false on a read error.
    bool ReadAll(std::string& bytes) const;

private:
    int fd_ = -1;
    int error_ = 0;
};
