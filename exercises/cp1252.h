#pragma once

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

} // namespace vorn
