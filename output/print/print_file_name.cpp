#include "output/print/print_file_name.h"

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

QString NumberedFileName(const QString& path, int n) {
    if (n <= 1)
        return path;
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart)
        dot = path.size();
    return path.left(dot) + QStringLiteral(" (%1)").arg(n) + path.mid(dot);
}

} // namespace vorn
