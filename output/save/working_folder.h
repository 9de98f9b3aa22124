#pragma once

#include <QString>

namespace vorn {

// The program's own cache folder: $XDG_CACHE_HOME/vorn, or ~/.cache/vorn when
// that variable is unset, empty or not an absolute path (such a value is
// invalid and to be ignored).
QString CacheWorkingFolder(const QString& xdgCacheHome, const QString& home);
// The same, for this process's environment.
QString CacheWorkingFolder();

// Creates `folder` (and any missing parent) with mode 0700 and makes it the
// working directory. On failure returns false, sets `error` to a message that
// names the folder, and leaves the working directory as it was.
bool EnterWorkingFolder(const QString& folder, QString& error);

// The folder a save dialog opens in: the working directory, where the last
// save went, except while that is the program's own cache folder (the program
// was started from the desktop menu), which is no place for a teacher's
// sheets: then the home folder.
QString SaveDialogFolder();

} // namespace vorn
