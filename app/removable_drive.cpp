#include "app/removable_drive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace vorn {

namespace {

bool ReadRemovableFlag(const QString& deviceDir) {
    QFile flag(deviceDir + QStringLiteral("/removable"));
    if (!flag.open(QIODevice::ReadOnly))
        return false;
    return flag.readAll().trimmed() == "1";
}

} // namespace

bool IsBlockDeviceRemovable(const QString& sysfsRoot, unsigned major, unsigned minor) {
    const QString link = QStringLiteral("%1/dev/block/%2:%3").arg(sysfsRoot).arg(major).arg(minor);
    const QString device = QFileInfo(link).canonicalFilePath();
    if (device.isEmpty())
        return false;
    // A partition's directory sits inside its disk's and carries a
    // "partition" file; only the disk reports the removable flag.
    if (QFileInfo::exists(device + QStringLiteral("/partition")))
        return ReadRemovableFlag(QFileInfo(device).absolutePath());
    return ReadRemovableFlag(device);
}

bool IsPathOnRemovableDrive(const QString& path, const QString& sysfsRoot) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return IsBlockDeviceRemovable(sysfsRoot, major(st.st_dev), minor(st.st_dev));
}

bool IsOnRemovableDrive() {
    return IsPathOnRemovableDrive(QCoreApplication::applicationFilePath());
}

} // namespace vorn
