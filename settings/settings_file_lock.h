#pragma once

#include "text/user_error.h"

#include <QString>

#include <chrono>
#include <string>

// Keeps two copies of the program that close at the same moment (a desktop
// logout) from interleaving their reading and writing of one settings file.
//
// The lock is an flock() on a lock file beside the settings file or, in a
// folder this user cannot write, in a folder private to this user
// ($XDG_RUNTIME_DIR, else "vorn-<uid>" in the temporary folder) under a name
// made from the settings file's absolute path. A lock dies with the process
// that held it, so nothing stale can be left behind; the lock file is
// removed when the lock is let go.
class SettingsFileLock {
public:
    // Waits at most `wait` for the lock of the settings file `path`. Throws
    // vorn::SettingsLockHeld `failureMessage` when another process keeps it
    // longer, and vorn::UserError `failureMessage` when something other than
    // a regular file lies where the lock file goes or when no private folder
    // can be had: the settings are then not written, rather than written
    // unguarded.
    SettingsFileLock(const QString& path, std::chrono::milliseconds wait,
                     const std::string& failureMessage);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock&) = delete;
    SettingsFileLock& operator=(const SettingsFileLock&) = delete;

private:
    QString lockPath_;
    int fd_ = -1;
};

namespace vorn {

// The lock of the settings file stayed held for the whole wait.
class SettingsLockHeld : public UserError {
public:
    using UserError::UserError;
};

// The folder for this user's lock files when the settings folder is not
// writable: `runtimeDir` ($XDG_RUNTIME_DIR) when it is an absolute path to a
// folder of this user's that nobody else may enter, else "vorn-<uid>" in
// `tempDir`, made with mode 0700 when missing. Empty when neither is such a
// folder (a folder planted under that name by someone else is refused).
QString PrivateLockFolder(const QString& runtimeDir, const QString& tempDir);

} // namespace vorn
