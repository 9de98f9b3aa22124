#include "richtext/plain_text_writer.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

namespace vorn {
namespace {

// A raised digit as the superscript character, so that "5 x²" does not read
// as 5 × x × 2 once the raise is gone; other raised text stays as it is.
QChar Raised(QChar c) {
    static constexpr char16_t kSuperscriptDigits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    if (c >= u'0' && c <= u'9')
        return QChar(kSuperscriptDigits[c.unicode() - u'0']);
    return c;
}

} // namespace

QByteArray WritePlainText(const QTextDocument& doc) {
    QString text;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            text += QLatin1Char('\n');
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const bool raised =
                fragment.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript;
            for (const QChar c : fragment.text()) {
                if (c == QChar::LineSeparator)
                    text += QLatin1Char('\n'); // a line break inside the paragraph
                else if (c != QChar::ObjectReplacementCharacter) // an embedded object has no text
                    text += raised ? Raised(c) : c;
            }
        }
    }
    return text.toUtf8();
}

} // namespace vorn
