#include "richtext/wrap_mode.h"

#include <QTextDocument>

namespace vorn {

QTextOption::WrapMode WrapModeFor(const QTextDocument& doc) {
    // One pass over the stored text, which costs less than a string per
    // paragraph: paragraph breaks are spaces there, and the marks that open
    // and close a table's frame end a word as the paragraph breaks around
    // them do.
    const QString text = doc.toRawText();
    int run = 0;
    for (const QChar c : text) {
        const bool frameMark = c.unicode() >= 0xFDD0 && c.unicode() <= 0xFDD1;
        run = c.isSpace() || frameMark ? 0 : run + 1;
        if (run > kLongWordChars)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace vorn
