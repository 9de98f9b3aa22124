#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorn {

// A file that could not be written: the path and the system's reason.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::string path, const std::string& reason)
        : std::runtime_error(path + ": " + reason), path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

struct FileContent {
    std::string path;
    std::string bytes;
};

// Writes every file through a temporary file in its folder, renamed into
// place only once all contents are safely on disk, so that a path holds
// either its former content or the whole new one, never a part. The files
// are put in place in the order given; when that fails at one of them, the
// earlier ones are complete and the later ones untouched. Throws
// FileWriteError.
void WriteFilesAtomically(const std::vector<FileContent>& files);

} // namespace vorn
