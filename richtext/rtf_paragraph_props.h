#pragma once

#include <cstdint>

namespace vorn {

// Paragraph properties as RTF states them, lengths in twips. The defaults are
// what "\pard" leaves.
struct RtfParaProps {
    enum class Align : std::uint8_t { Left, Center, Right, Justify };
    Align align = Align::Left;
    int leftIndent = 0;  // \li
    int rightIndent = 0; // \ri
    int firstIndent = 0; // \fi, relative to the left indent
    int spaceBefore = 0; // \sb
    int spaceAfter = 0;  // \sa
    // \sl: with lineMultiple (\slmult1), the line height in 240ths of a
    // single line; otherwise at least that height when positive, exactly
    // its opposite when negative; 0 is single spacing.
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool inTable = false; // \intbl
    // The paragraph's shading (\cbpat), a colour-table index shown on its
    // text as a character shading is; 0 is none.
    int shading = 0;
    bool keepWithNext = false; // \keepn
    bool operator==(const RtfParaProps&) const = default;
};

// Twips per layout pixel: a document's lengths are pixels of the 96 dpi
// reference that Qt scales to each device.
inline constexpr int kTwipsPerPixel = 15;
// \sl's unit when \slmult1 makes it a multiple: 240ths of a single line.
inline constexpr int kTwipsPerLine = 240;
// Word's own bounds: no length beyond 22 inches, no border wider than 75 twips.
inline constexpr int kMaxLengthTwips = 31680;
inline constexpr int kMaxBorderTwips = 75;

} // namespace vorn
