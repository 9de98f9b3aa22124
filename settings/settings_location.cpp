#include "settings/settings_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace vorn {

QString SettingsFileBesideExecutable(const QString& executablePath) {
    const QFileInfo info(executablePath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString dir = executablePath.left(executablePath.size() - name.size());
    return dir + stem + QStringLiteral(".ini");
}

QString ChooseSettingsFile(const SettingsLocationFacts& facts) {
    if (facts.executableFolderWritable || facts.fileBesideExists)
        return facts.besideExecutable;
    const QString config = QDir::isAbsolutePath(facts.xdgConfigHome)
                               ? facts.xdgConfigHome
                               : facts.home + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/vorn/vorn.ini"));
}

bool FolderOfFileWritable(const QString& file) {
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    return ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

QString SettingsFileForExecutable(const QString& executablePath) {
    SettingsLocationFacts facts;
    facts.besideExecutable = SettingsFileBesideExecutable(executablePath);
    facts.executableFolderWritable = FolderOfFileWritable(facts.besideExecutable);
    facts.fileBesideExists = QFileInfo::exists(facts.besideExecutable);
    facts.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    facts.home = qEnvironmentVariable("HOME", QDir::homePath());
    const QString chosen = ChooseSettingsFile(facts);
    if (chosen != facts.besideExecutable)
        QDir().mkpath(QFileInfo(chosen).absolutePath());
    return chosen;
}

} // namespace vorn
