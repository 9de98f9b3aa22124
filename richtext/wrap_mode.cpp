#include "richtext/wrap_mode.h"

#include <QTextBlock>
#include <QTextDocument>

namespace vorn {

QTextOption::WrapMode WrapModeFor(const QTextDocument& doc) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        int run = 0;
        for (const QChar c : block.text()) {
            run = c.isSpace() ? 0 : run + 1;
            if (run > kLongWordChars)
                return QTextOption::WrapAnywhere;
        }
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace vorn
