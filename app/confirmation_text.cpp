#include "app/confirmation_text.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString FolderOf(const QString& file) {
    return QDir::toNativeSeparators(QFileInfo(file).absolutePath());
}

} // namespace

QString SavedFilesText(const QStringList& files) {
    const QString folder = files.isEmpty() ? QString() : FolderOf(files.first());
    if (files.size() == 1)
        return QStringLiteral("1 fichier enregistré dans %1").arg(folder);
    return QStringLiteral("%1 fichiers enregistrés dans %2").arg(files.size()).arg(folder);
}

QString PrintJobsText(int jobs, const QString& printerName) {
    if (jobs <= 0)
        return QStringLiteral("Aucune impression envoyée");
    if (jobs == 1)
        return QStringLiteral("1 impression envoyée à « %1 »").arg(printerName);
    return QStringLiteral("%1 impressions envoyées à « %2 »").arg(jobs).arg(printerName);
}

QString PrintedFilesText(int jobs, const QString& outputFile) {
    if (jobs <= 0)
        return QStringLiteral("Aucune impression envoyée");
    if (jobs == 1)
        return QStringLiteral("1 impression enregistrée dans %1").arg(FolderOf(outputFile));
    return QStringLiteral("%1 impressions enregistrées dans %2")
        .arg(jobs)
        .arg(FolderOf(outputFile));
}
