#pragma once

#include <QByteArray>

namespace vorn {

// The tracer's process id from the text of /proc/<pid>/status; 0 when the
// line is missing or unreadable.
long long TracerPidFromStatus(const QByteArray& statusText);
// True when a debugger (any tracer) is attached to this process.
bool IsDebuggerAttached();

} // namespace vorn
