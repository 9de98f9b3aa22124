#pragma once

class QTextDocument;

namespace vorn {

// Gives every paragraph of `doc` the line height word processors give it when
// they open the saved file, so that pages break where theirs do. A word
// processor measures a line from the fonts' own tables: the tallest ascent
// with its font's line gap and the deepest descent of the fonts on it, taken
// to whole pixels of a reference device of 8640 dpi and then to whole twips;
// a raised or lowered run adds nothing. Qt's own pitch comes from
// FreeType's metrics, rounded up to whole pixels of the device: on a 1200 dpi
// page a 9 pt line is 0.04 pt taller, a page's worth of lines a line taller.
// Only single-spaced paragraphs change: Qt sets a line of fixed height with
// its baseline four fifths down, which is where a word processor has it for
// a single line, but a line spaced 1.5 apart would have its text pushed down
// into the space the word processor leaves below it.
void UseWordProcessorLineHeights(QTextDocument& doc);

} // namespace vorn
