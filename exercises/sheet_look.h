#pragma once

#include <string>
#include <string_view>

namespace vorn {

// How a sheet is laid out. The standard layout is the sheet as it has always
// been; the adapted one is for pupils whose plan asks for adapted documents:
// one sans-serif type at 14 points, lines one and a half apart, everything
// left-aligned and upright, room to write under every question and the
// pupil's name asked on lines of their own.
enum class SheetLayout { Standard, Adapted };

// The blank lines under every question of an adapted statement, before the
// spacing that the window's "Interligne" adds.
inline constexpr int kAdaptedBlankLines = 3;

// The sans-serif type of adapted sheets when no other is chosen; the
// Liberation fonts come with the program's package.
inline constexpr std::string_view kAdaptedDefaultFont = "Liberation Sans";

// Everything about a sheet's appearance that its settings choose.
struct SheetLook {
    SheetLayout layout = SheetLayout::Standard;
    // The answer key's results are also bold and underlined, so that they
    // stand out on a black and white copy, where the yellow highlight is a
    // faint grey.
    bool boxedResults = false;
    // The face of an adapted sheet: letters, digits and spaces only.
    std::string adaptedFont = std::string(kAdaptedDefaultFont);

    bool Adapted() const { return layout == SheetLayout::Adapted; }
    bool operator==(const SheetLook&) const = default;
};

} // namespace vorn
