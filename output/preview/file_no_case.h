#pragma once

#include <QDir>
#include <QFileInfoList>
#include <QString>

namespace vorn {

// The program names its own files in one letter case and looks them up in any:
// on a case-sensitive file system "Temp0.EMF" and "Temp0.emf" must still be one
// name.

// Every entry of `dir` (file, folder, link, dangling or not, or other) whose
// name equals `name` without regard to case.
QFileInfoList EntriesNamedNoCase(const QDir& dir, const QString& name);

} // namespace vorn
