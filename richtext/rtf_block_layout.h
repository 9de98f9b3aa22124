#pragma once

#include "richtext/rtf_paragraph_props.h"

#include <QString>

#include <vector>

class QTextBlock;
class QTextDocument;
class QTextTable;

namespace vorn {

// A paragraph's properties in RTF terms (twips), as the pane lays it out:
// alignment, indents (a list's indent included) and the space around it.
RtfParaProps ParaPropsOf(const QTextBlock& block, bool inTable);

// The text a list item shows before its text ("1.", a bullet), or nothing.
QString ListMarkerOf(const QTextBlock& block);

// A table's geometry in RTF terms: each column's right edge in twips from the
// table's left edge, the space between text and cell edge (\trgaph), and the
// width of the borders drawn round every cell (0 for none).
struct RtfTableGeometry {
    std::vector<int> cellRight;
    int gap = 0;
    int borderWidth = 0;
};
RtfTableGeometry TableGeometryOf(const QTextDocument& doc, const QTextTable& table);

} // namespace vorn
