#pragma once

#include <QString>

namespace vorn {

// `html` with the lengths of its paragraph margins and first-line indents
// (margin, margin-left, -right, -top, -bottom and text-indent, in style
// attributes and style sheets) given in pt, pc, in, cm or mm rewritten as
// pixels of the 96 dpi screen. Qt's HTML reader takes these lengths only in
// pixels and silently drops the others, so a paragraph a word processor
// indents by 72pt would arrive flush left. The text itself is left alone.
QString WithPixelBoxLengths(const QString& html);

} // namespace vorn
