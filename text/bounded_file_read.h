#pragma once

#include <cstddef>
#include <string>

namespace vorn {

// How reading a file the user names went.
enum class FileReadStatus {
    Ok,
    Missing,    // nothing at the path, or a link to nothing
    NotRegular, // a folder, a FIFO, a device, or a link to one
    TooLarge,   // more than the bytes allowed
    Failed,     // the system refused the open or a read (error says why)
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Failed;
    int error = 0; // errno with Failed
    std::string bytes;
};

// Reads a whole regular file of at most `maxBytes`. The open never waits (a
// FIFO planted in the file's place cannot hold the program) and nothing but
// a regular file is read; a file that grows past the limit while being read
// counts as too large. Without `followLinks`, a symbolic link at the path
// itself counts as NotRegular.
FileRead ReadBoundedFile(const std::string& path, std::size_t maxBytes, bool followLinks = true);

} // namespace vorn
