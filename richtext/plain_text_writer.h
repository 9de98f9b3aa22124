#pragma once

#include <QByteArray>

class QTextDocument;

namespace vorn {

// The document's plain text in UTF-8, every character kept, paragraphs
// separated by LF: the text files of this platform. Raised digits are
// written as superscript digits ("x²"), which keep their meaning as text.
QByteArray WritePlainText(const QTextDocument& doc);

} // namespace vorn
