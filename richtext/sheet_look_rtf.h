#pragma once

#include "exercises/sheet_look.h"

#include <string>
#include <string_view>

namespace vorn {

// Converts a sheet's markup into RTF with the sheet's look. The standard
// look, results not boxed, gives exactly ConvertMarkupToRtf(markup).
//
// The adapted layout writes every text in look.adaptedFont (the other faces
// of the markup become it, the symbol face excepted), upright (no italics),
// at 14 points (16 for the header line), left-aligned with lines one and a
// half apart. The runs of spaces that push a text to the right of a
// standard sheet (8 or more) are left out, and a separator line keeps the
// standard size, so that it still holds on one line.
//
// With look.boxedResults, each highlighted result of an answer key is also
// bold and underlined.
std::string ConvertMarkupToRtf(std::string_view markup, const SheetLook& look);

// The header of an adapted document: RtfHeader with `font` as its first
// face, and the first paragraph's line spacing.
std::string AdaptedRtfHeader(std::string_view font);

// Whether `font` can name the face of an adapted sheet in RTF: letters,
// digits and spaces, 1 to 64 of them.
bool IsPlainFontName(std::string_view font);

} // namespace vorn
