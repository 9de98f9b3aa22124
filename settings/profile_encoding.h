#pragma once

#include <string>
#include <string_view>

// How a settings file's bytes stand for its text. Windows editors save INI
// files in the ANSI code page, as UTF-8 with a byte-order mark, or as UTF-16
// with one; a file is written back in the encoding it was read in, so that a
// save never leaves bytes of two encodings side by side.
namespace vorn::profile {

enum class FileEncoding {
    Ansi,    // Windows-1252 bytes, no mark
    Utf8Bom, // EF BB BF, then UTF-8
    Utf16Le, // FF FE, then UTF-16 little-endian
    Utf16Be, // FE FF, then UTF-16 big-endian
};

// The file's text without its byte-order mark: the bytes themselves for Ansi
// and UTF-8, and UTF-8 for UTF-16 (an unpaired surrogate is kept as its own
// three-byte sequence, so that it comes back unchanged when written).
struct DecodedText {
    FileEncoding encoding = FileEncoding::Ansi;
    std::string text;
};

// Takes the bytes by value so that a large file is not copied.
DecodedText DecodeFile(std::string bytes);

// The bytes of `text` (as DecodeFile gives it) in `encoding`, mark included.
std::string EncodeFile(std::string text, FileEncoding encoding);

// A Windows-1252 value as it stands in the text of a file of this encoding,
// and back. Characters Windows-1252 lacks travel in a value as character
// references ("&#8804;", see Utf8ToCp1252Referenced): written so in an Ansi
// file, as the characters themselves in the others.
std::string ValueToText(std::string_view cp1252, FileEncoding encoding);
std::string TextToValue(std::string_view text, FileEncoding encoding);

} // namespace vorn::profile
