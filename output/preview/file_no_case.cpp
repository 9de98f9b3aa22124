#include "output/preview/file_no_case.h"

namespace vorn {

QFileInfoList EntriesNamedNoCase(const QDir& dir, const QString& name) {
    QFileInfoList found;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            found.append(entry);
    }
    return found;
}

} // namespace vorn
