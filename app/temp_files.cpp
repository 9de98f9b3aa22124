#include "app/temp_files.h"

#include <QFile>
#include <QFileInfo>

namespace vorn {

QStringList TemporaryFileNames() {
    return {QStringLiteral("Temp0.emf"), QStringLiteral("Temp1.emf"), QStringLiteral("TWfile.txt")};
}

void DeleteFilesIgnoringCase(const QDir& dir, const QStringList& names) {
    // The file system is case-sensitive, so "Temp0.EMF" and "temp0.emf" may
    // both exist: every spelling goes.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        for (const QFileInfo& entry : entries) {
            if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0 && !entry.isDir())
                QFile::remove(entry.absoluteFilePath());
        }
    }
}

} // namespace vorn
