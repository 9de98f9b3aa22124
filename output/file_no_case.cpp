#include "output/file_no_case.h"

#include <QFile>
#include <QFileInfo>

namespace vorn {
namespace {

QFileInfoList Spellings(const QDir& dir, const QString& name) {
    QFileInfoList found;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            found.append(entry);
    }
    return found;
}

} // namespace

QDir WorkingDir() {
    return QDir(QStringLiteral("."));
}

QString FindFileNoCase(const QDir& dir, const QString& name) {
    const QFileInfoList found = Spellings(dir, name);
    return found.isEmpty() ? QString() : dir.filePath(found.first().fileName());
}

QString FilePathNoCase(const QDir& dir, const QString& name) {
    const QString existing = FindFileNoCase(dir, name);
    return existing.isEmpty() ? dir.filePath(name) : existing;
}

void RemoveFileNoCase(const QDir& dir, const QString& name) {
    for (const QFileInfo& entry : Spellings(dir, name))
        QFile::remove(dir.filePath(entry.fileName()));
}

} // namespace vorn
