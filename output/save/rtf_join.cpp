#include "output/save/rtf_join.h"

#include "text/user_error.h"

namespace vorn {
namespace {

// Where the control's documents end their tables and start their text, with
// every property reset, and how they close.
constexpr char kBodyStart[] = "\r\n\\viewkind4\\uc1\\pard\\plain ";
constexpr char kDocumentEnd[] = "}\r\n";

struct Parts {
    QByteArrayView header; // up to and including kBodyStart
    QByteArrayView body;
};

Parts Split(const QByteArray& document) {
    const qsizetype bodyAt = document.indexOf(kBodyStart);
    if (bodyAt < 0 || !document.endsWith(kDocumentEnd))
        throw UserError("Erreur à l'enregistrement du flux");
    const qsizetype headerSize = bodyAt + qsizetype(sizeof kBodyStart) - 1;
    const qsizetype bodySize = document.size() - headerSize - qsizetype(sizeof kDocumentEnd) + 1;
    if (bodySize < 0)
        throw UserError("Erreur à l'enregistrement du flux");
    return {QByteArrayView(document).first(headerSize),
            QByteArrayView(document).sliced(headerSize, bodySize)};
}

} // namespace

QByteArray JoinRtfDocuments(const std::vector<QByteArray>& documents) {
    if (documents.size() <= 1)
        return documents.empty() ? QByteArray() : documents.front();
    QByteArray joined;
    QByteArrayView header;
    for (const QByteArray& document : documents) {
        const Parts parts = Split(document);
        if (joined.isEmpty()) {
            header = parts.header;
            joined.reserve(document.size() * qsizetype(documents.size()) + 64);
            joined.append(parts.header);
        } else {
            if (parts.header != header)
                throw UserError("Erreur à l'enregistrement du flux");
            // The page break, then the properties reset as at the start.
            joined.append("\\page\r\n\\pard\\plain ");
        }
        joined.append(parts.body);
    }
    joined.append(kDocumentEnd);
    return joined;
}

} // namespace vorn
