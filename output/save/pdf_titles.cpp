#include "output/save/pdf_titles.h"

namespace vorn {

QString SheetsTitle(const QString& firstReference, const QString& lastReference, int count) {
    if (count <= 1)
        return firstReference;
    return QStringLiteral("%1 à %2 (%3 feuilles)").arg(firstReference, lastReference).arg(count);
}

QString AnswerKeyTitle(const QString& title) {
    return title + QStringLiteral(" - Corrigé");
}

} // namespace vorn
