#include "output/pages/pdf_titles.h"

namespace vorn {

QString SheetsTitle(const QString& firstReference, const QString& lastReference, int count) {
    if (count <= 1)
        return firstReference;
    return QStringLiteral("%1 à %2 (%3 feuilles)").arg(firstReference, lastReference).arg(count);
}

QString AnswerKeyTitle(const QString& title) {
    return title + QStringLiteral(" - Corrigé");
}

QString PrintedPdfTitle(const QString& jobName) {
    static const QString kRtf = QStringLiteral(".rtf");
    static const QString kAnswerKey = QStringLiteral("-Cor");
    if (!jobName.endsWith(kRtf) || jobName.size() == kRtf.size())
        return jobName;
    const QString reference = jobName.chopped(kRtf.size());
    if (reference.endsWith(kAnswerKey) && reference.size() > kAnswerKey.size())
        return AnswerKeyTitle(reference.chopped(kAnswerKey.size()));
    return reference;
}

} // namespace vorn
