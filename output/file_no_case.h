#pragma once

#include <QDir>
#include <QString>

namespace vorn {

// The program names its own files in one letter case and looks them up in any:
// on a case-sensitive file system "Temp0.EMF" and "Temp0.emf" must still be one
// file.

// The process's working directory as the kernel knows it: paths made from it
// stay relative, so they keep naming files of that directory even when its
// name can no longer be read back (it was removed or moved).
QDir WorkingDir();

// The path of a file of `dir` whose name equals `name` without regard to case;
// empty when there is none.
QString FindFileNoCase(const QDir& dir, const QString& name);

// Where to write `name` in `dir`: the existing spelling when there is one, so
// that no second spelling appears beside it; else `name` itself.
QString FilePathNoCase(const QDir& dir, const QString& name);

// Removes every spelling of `name` from `dir`. Missing files are skipped and
// failed deletions ignored; folders are never touched.
void RemoveFileNoCase(const QDir& dir, const QString& name);

} // namespace vorn
