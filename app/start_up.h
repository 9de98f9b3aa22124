#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <cstdint>

namespace vorn {

// The settings file lies beside the executable and bears its name: the last
// extension of the file name (if any) becomes ".ini".
QString SettingsFileNameFor(const QString& executablePath);

// The tracer's process id from the text of /proc/<pid>/status; 0 when the
// line is missing or unreadable.
long long TracerPidFromStatus(const QByteArray& statusText);
// True when a debugger (any tracer) is attached to this process.
bool IsDebuggerAttached();

// "<executable file name> : <dd/MM/yyyy HH:mm:ss>" with no line end, in
// Windows-1252, the content of the build-stamp file.
QByteArray DatCompilText(const QString& executablePath, const QDateTime& localNow);
// Writes that text to "_DatCompil.txt" in the working directory, replacing a
// regular file of that name; throws UserError when the file cannot be written
// or the name is taken by anything else (a link, a folder).
void WriteDatCompil(const QString& executablePath, const QDateTime& localNow);

// The seed of the program's generator: the UTC time of day in milliseconds.
std::uint32_t SeedFromUtcTime(const QTime& utcTimeOfDay);

} // namespace vorn
