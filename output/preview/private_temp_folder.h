#pragma once

#include <QString>

#include <memory>

namespace vorn {

// A folder of this process's own in a temporary folder, for files that must
// not go where someone else has put files of the same names. Its name records
// the process that made it, "vorn-apercu-<process id>-XXXXXX"; it is made
// with mode 0700 and held under a shared lock as long as it exists, so that a
// later run can tell a folder in use from one left behind by a crash.
class PrivateTempFolder {
public:
    // Null when the folder cannot be made.
    static std::unique_ptr<PrivateTempFolder> Create(const QString& parent);
    // Removes the folder and everything in it.
    ~PrivateTempFolder();
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    const QString& Path() const { return path_; }

private:
    PrivateTempFolder(QString path, int lock) : path_(std::move(path)), lock_(lock) {}

    const QString path_;
    const int lock_; // the folder itself, open and locked
};

// Removes from `parent` the folders that earlier runs left behind when they
// ended without cleaning up (a crash, a kill). A folder goes only when it is
// exactly what Create() makes: its name is the prefix, a process id in
// decimal and mkdtemp's six-character suffix, letter case included; it is a
// real folder (a link is never followed) of this user's with mode 0700; its
// recorded process no longer runs and nobody holds its lock; and it holds
// nothing but the preview's own files, as regular files. Anything else, a
// folder of a running program first, stays whole. Returns how many folders
// went.
int RemoveStalePrivateFolders(const QString& parent);

} // namespace vorn
