#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Windows-1252 is the byte encoding of every document, title and settings
// value. This is the one codec of the program.

// The Unicode code point of a Windows-1252 byte (the five undefined bytes
// 0x81, 0x8D, 0x8F, 0x90, 0x9D map to the C1 controls of the same value).
char32_t Cp1252ToUnicode(unsigned char byte);
// The Windows-1252 byte of a code point, or -1 when it has none.
int UnicodeToCp1252(char32_t cp);

// UTF-8 <-> Windows-1252. Characters with no Windows-1252 byte, and invalid
// UTF-8 sequences, become "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);

// Windows-1252 text that keeps every character: one with no Windows-1252 byte
// is written as the numeric character reference "&#N;" (N its decimal code
// point), and an "&" that would start such a reference as "&#38;". Text within
// Windows-1252 and free of such "&" gives the bytes Utf8ToCp1252 gives.

// A reference: "&#", 1 to 7 decimal digits, ";", naming a character from
// U+0020 up that is not a surrogate.
struct CharacterReference {
    char32_t codePoint = 0;
    std::size_t length = 0; // bytes, "&#" and ";" included
};
std::optional<CharacterReference> CharacterReferenceAt(std::string_view bytes, std::size_t pos);

// Appends `cp` as such text; `ampersandStartsReference` says whether an "&"
// there would be read as the start of a reference.
void AppendCp1252Referenced(std::string& out, char32_t cp, bool ampersandStartsReference);

// UTF-8 to that text (invalid UTF-8 still becomes "?"), and back.
std::string Utf8ToCp1252Referenced(std::string_view utf8);
std::string Cp1252ReferencedToUtf8(std::string_view bytes);

} // namespace vorn
