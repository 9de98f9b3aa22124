#pragma once

#include <QByteArray>

class QTextDocument;

namespace vorn {

// A complete RTF 1 document (Windows-1252) of the document's content and
// character formatting; ReadRtf() gives it back unchanged.
QByteArray WriteRtf(const QTextDocument& doc);

// The document's plain text in UTF-8, every character kept, paragraphs
// separated by LF: the text files of this platform.
QByteArray WritePlainText(const QTextDocument& doc);

} // namespace vorn
