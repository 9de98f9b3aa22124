#include "richtext/plain_text_writer.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

namespace vorn {

namespace {

// The text of one run: a raised 2 or 3 becomes "²" or "³", as a text file
// can show an exponent only so.
void AppendRun(QString& text, const QTextFragment& fragment) {
    const bool raised =
        fragment.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript;
    for (const QChar c : fragment.text()) {
        if (c == QChar::LineSeparator)
            text += QLatin1Char('\n'); // a line break inside the paragraph
        else if (raised && c == QLatin1Char('2'))
            text += QChar(0x00B2);
        else if (raised && c == QLatin1Char('3'))
            text += QChar(0x00B3);
        else if (c != QChar::ObjectReplacementCharacter) // an embedded object has no text
            text += c;
    }
}

} // namespace

QByteArray WritePlainText(const QTextDocument& doc) {
    QString text;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            text += QLatin1Char('\n');
        for (auto run = block.begin(); !run.atEnd(); ++run)
            AppendRun(text, run.fragment());
    }
    return text.toUtf8();
}

} // namespace vorn
