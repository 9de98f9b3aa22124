#include "app/confirmation_text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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

QString PrintedSheetsText(int statements, int answerKeys, const QString& printerName,
                          const QString& outputFile) {
    statements = std::max(0, statements);
    answerKeys = std::max(0, answerKeys);
    if (statements + answerKeys == 0)
        return QStringLiteral("Aucune impression envoyée");
    const auto counted = [](int count, const QString& singular) {
        return QString::number(count) + QLatin1Char(' ') + singular +
               (count > 1 ? QStringLiteral("s") : QString());
    };
    QStringList parts;
    if (statements > 0)
        parts << counted(statements, QStringLiteral("sujet"));
    if (answerKeys > 0)
        parts << counted(answerKeys, QStringLiteral("corrigé"));
    const bool plural = statements + answerKeys > 1;
    const QString what = parts.join(QStringLiteral(" et "));
    if (!outputFile.isEmpty())
        return what +
               (plural ? QStringLiteral(" enregistrés dans ")
                       : QStringLiteral(" enregistré dans ")) +
               FolderOf(outputFile);
    return what + (plural ? QStringLiteral(" envoyés à « ") : QStringLiteral(" envoyé à « ")) +
           printerName + QStringLiteral(" »");
}
