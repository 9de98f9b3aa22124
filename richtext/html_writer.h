#pragma once

#include <QString>

class QTextDocument;

namespace vorn {

// The document as HTML for a word processor: one <p> per paragraph with its
// indents, alignment and spacing in points, and each run in a <span> with its
// font, size, styles and colours; raised and lowered runs are in <sup> and
// <sub>, which every reader takes, where a style's vertical-align is often
// ignored. Tabs and runs of blanks are kept.
QString WriteHtml(const QTextDocument& doc);

} // namespace vorn
