#pragma once

#include <QString>

namespace vorn {

// True when the block device with this major:minor number reports itself
// removable under `sysfsRoot` (normally "/sys"). A partition answers for its
// disk. Anything that cannot be determined (no such device, a virtual file
// system, an unreadable flag) is not removable.
bool IsBlockDeviceRemovable(const QString& sysfsRoot, unsigned major, unsigned minor);

// True when the file system holding `path` lies on a removable drive.
bool IsPathOnRemovableDrive(const QString& path, const QString& sysfsRoot = QStringLiteral("/sys"));

// True when the running executable lies on a removable drive.
bool IsOnRemovableDrive();

} // namespace vorn
