#include "richtext/plain_text_writer.h"

#include <QTextBlock>
#include <QTextDocument>

namespace vorn {

QByteArray WritePlainText(const QTextDocument& doc) {
    QString text;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            text += QLatin1Char('\n');
        const QString paragraph = block.text();
        for (const QChar c : paragraph) {
            if (c == QChar::LineSeparator)
                text += QLatin1Char('\n');                   // a line break inside the paragraph
            else if (c != QChar::ObjectReplacementCharacter) // an embedded object has no text
                text += c;
        }
    }
    return text.toUtf8();
}

} // namespace vorn
