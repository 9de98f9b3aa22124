#include "output/print_file_name.h"

#include <QDir>
#include <QFileInfo>

namespace vorn {
namespace {

QString Stem(const QString& chosenFile, const QString& sheetReference) {
    if (!sheetReference.isEmpty())
        return sheetReference;
    QString name = QFileInfo(chosenFile).fileName();
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

QString Beside(const QString& chosenFile, const QString& name) {
    return QFileInfo(chosenFile).dir().filePath(name);
}

} // namespace

QString PdfFileForCopy(const QString& chosenFile, const QString& sheetReference, bool answerKey,
                       int copy) {
    QString name = Stem(chosenFile, sheetReference);
    if (answerKey)
        name += QLatin1String("-Cor");
    if (copy > 1)
        name += QLatin1Char('-') + QString::number(copy);
    return Beside(chosenFile, name + QLatin1String(".pdf"));
}

QString ProposedPdfFile(const QString& chosenFile, const QString& sheetReference) {
    if (sheetReference.isEmpty())
        return chosenFile;
    return Beside(chosenFile, sheetReference + QLatin1String(".pdf"));
}

} // namespace vorn
