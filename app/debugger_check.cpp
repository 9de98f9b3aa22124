#include "app/debugger_check.h"

#include <QFile>

namespace vorn {

long long TracerPidFromStatus(const QByteArray& statusText) {
    for (const QByteArray& line : statusText.split('\n')) {
        if (!line.startsWith("TracerPid:"))
            continue;
        bool ok = false;
        const long long pid = line.mid(10).trimmed().toLongLong(&ok);
        return ok ? pid : 0;
    }
    return 0;
}

bool IsDebuggerAttached() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    return TracerPidFromStatus(status.readAll()) != 0;
}

} // namespace vorn
