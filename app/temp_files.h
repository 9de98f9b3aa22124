#pragma once

#include <QDir>
#include <QStringList>

namespace vorn {

// The preview's page files and probe file, removed at closing.
QStringList TemporaryFileNames();

// Deletes from `dir`, in the order given, every file whose name equals one of
// `names` without regard to letter case. Missing files are skipped and failed
// deletions ignored; directories are never touched.
void DeleteFilesIgnoringCase(const QDir& dir, const QStringList& names);

} // namespace vorn
