#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The fixed beginning of every converted document (643 bytes). It opens the
// one group that the conversion's final "}" closes.
extern const std::string_view RtfHeader;

// Converts a markup string (Windows-1252 bytes, read up to its end or its
// first zero byte) into a complete RTF document, in one forward pass.
//
// A tag runs from "<" to the next ">" (or the end); its text is folded to
// lower case (A to Z only) and must match whole:
//   <b> </b> <i> </i> <u> </u> <s> </s>   bold, italic, underline, strike
//   <sup> </sup> <sub> </sub>             superscript, subscript (either
//                                          closing tag ends both)
//   <arial> <times> <courier> <symbol>    font
//   <te=N>                                size in half-points
//   <ce=COLOUR> <cf=COLOUR>               text, highlight colour, by French
//                                          name ("noir", "jaune", "auto", ...)
//   <br> <tab>                            paragraph break, tab
//   <lt>                                  the character "<" itself
// Any other tag writes nothing. Text outside tags goes to the RTF as it
// stands, control characters left out: "\", "{" and "}" keep their RTF
// meaning, so text that must show them writes "\\", "\{" and "\}".
std::string ConvertMarkupToRtf(std::string_view markup);

} // namespace vorn
