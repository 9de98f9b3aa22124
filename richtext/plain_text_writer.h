#pragma once

#include <QByteArray>

class QTextDocument;

namespace vorn {

// The document's plain text in UTF-8, every character kept, paragraphs
// separated by LF: the text files of this platform.
QByteArray WritePlainText(const QTextDocument& doc);

} // namespace vorn
