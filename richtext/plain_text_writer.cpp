#include "richtext/rtf_writer.h"

#include "exercises/cp1252.h"

#include <QTextBlock>
#include <QTextDocument>

namespace vorn {

QByteArray WritePlainText(const QTextDocument& doc) {
    QByteArray out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            out.append("\r\n");
        const QString text = block.text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'\u2028') {
                out.append("\r\n"); // a line break inside the paragraph
                continue;
            }
            if (c == u'\uFFFC')
                continue; // an embedded object has no text
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out.append('?'); // one character beyond the code page
                ++i;
                continue;
            }
            const int byte = UnicodeToCp1252(c);
            out.append(byte >= 0 ? static_cast<char>(byte) : '?');
        }
    }
    return out;
}

} // namespace vorn
