#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps two copies of the program that close at the same moment (a desktop
// logout) from interleaving their reading and writing of one settings file.
//
// The lock file lies beside the settings file; in a folder this user cannot
// write, it lies in the temporary folder under a name made from the settings
// file's absolute path. Null when no lock file can be made anywhere: the
// write then goes ahead alone (and meets the folder's own failure). Throws
// vorn::UserError `busyMessage` when another process keeps the lock longer
// than a save ever takes.
std::unique_ptr<QLockFile> LockSettingsFile(const QString& path, const std::string& busyMessage);
