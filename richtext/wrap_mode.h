#pragma once

#include <QTextOption>

class QTextDocument;

namespace vorn {

// Runs of more characters than this without a space make a document wrap
// anywhere. Qt wraps a line at a word boundary by measuring the whole word
// first and, when it is wider than the line, measuring it again anywhere:
// a word of n characters costs n for each of its lines, n squared in all (a
// megabyte pasted without a space would take minutes). A word this long
// never fits on a line in any case, so only the other lines of such a
// document may wrap differently.
inline constexpr int kLongWordChars = 1024;

// How the document's lines wrap: at word boundaries (and anywhere in a word
// wider than the line), or anywhere when it holds a word of more than
// kLongWordChars characters.
QTextOption::WrapMode WrapModeFor(const QTextDocument& doc);

} // namespace vorn
