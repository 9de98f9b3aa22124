#pragma once

#include <vector>

namespace vorn {

// One row definition (\trowd ... \cellx): cell right edges in twips from the
// row's left edge, the space between text and cell edge, and the width of the
// cell borders (0 when a cell has none).
struct RtfRowProps {
    // Word's own limit of cells in a row.
    static constexpr int kMaxCells = 63;
    std::vector<int> cellRight;
    int gap = 0;         // \trgaph: half the space between cells
    int borderWidth = 0; // widest \brdrw of any cell side, twips
};

} // namespace vorn
