#pragma once

#include <QTextFormat>

namespace vorn {

// Character-format properties that keep an RTF font's declaration with the
// text, so that a document read from RTF is written back with the same font
// table entries: the family class ("fswiss", "froman", ...), the pitch
// (\fprq) and the character set (\fcharset).
inline constexpr int kRtfFontClassProperty = QTextFormat::UserProperty + 0x5246;
inline constexpr int kRtfFontPitchProperty = kRtfFontClassProperty + 1;
inline constexpr int kRtfFontCharsetProperty = kRtfFontClassProperty + 2;
// The face name again, as a plain string. Qt's format table hashes a list of
// families by its type alone, so without it every new font would be compared
// with all the formats before it (quadratic time on a long font table).
inline constexpr int kRtfFontNameProperty = kRtfFontClassProperty + 3;

// The character set of a symbol font (\fcharset2): its characters are its
// own glyphs, not those of any code page.
inline constexpr int kRtfSymbolCharset = 2;

} // namespace vorn
