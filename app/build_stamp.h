#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vorn {

// "<executable file name> : <dd/MM/yyyy HH:mm:ss>" with no line end, in
// Windows-1252, the content of the build-stamp file.
QByteArray DatCompilText(const QString& executablePath, const QDateTime& localNow);
// Writes that text to "_DatCompil.txt" in the working directory, replacing a
// regular file of that name; throws UserError when the file cannot be written
// or the name is taken by anything else (a link, a folder).
void WriteDatCompil(const QString& executablePath, const QDateTime& localNow);

} // namespace vorn
