#include "text/cp1252.h"

#include "text/utf8.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn {

namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined keep their own value, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kReplacement = '?';

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one UTF-8 sequence at text[pos]. Returns the code point and sets
// length to the bytes consumed; an ill-formed sequence gives -1 and consumes
// its maximal valid prefix (at least one byte), so that one bad sequence
// yields exactly one replacement and the next good character is not eaten.
std::int32_t DecodeUtf8(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    length = 1;
    if (lead < 0x80)
        return lead;

    int trailing = 0;
    std::uint32_t cp = 0;
    // The allowed range of the first continuation byte excludes overlong
    // forms, surrogates and code points above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return -1;
    }

    for (int k = 0; k < trailing; ++k) {
        if (pos + length >= text.size())
            return -1;
        const auto byte = static_cast<unsigned char>(text[pos + length]);
        const bool ok = k == 0 ? (byte >= low && byte <= high) : IsContinuation(byte);
        if (!ok)
            return -1;
        cp = (cp << 6) | (byte & 0x3F);
        ++length;
    }
    return static_cast<std::int32_t>(cp);
}

constexpr std::size_t kMaxReferenceDigits = 7;

} // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

int UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t length = 0;
        const std::int32_t cp = DecodeUtf8(utf8, pos, length);
        const int byte = cp < 0 ? -1 : UnicodeToCp1252(static_cast<char32_t>(cp));
        out += byte < 0 ? kReplacement : static_cast<char>(byte);
        pos += length;
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<CharacterReference> CharacterReferenceAt(std::string_view bytes, std::size_t pos) {
    if (bytes.substr(pos, 2) != "&#")
        return std::nullopt;
    std::size_t end = pos + 2;
    char32_t cp = 0;
    while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9' &&
           end - pos - 2 < kMaxReferenceDigits) {
        cp = cp * 10 + static_cast<char32_t>(bytes[end] - '0');
        ++end;
    }
    if (end == pos + 2 || end >= bytes.size() || bytes[end] != ';')
        return std::nullopt;
    if (cp < 0x20 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return CharacterReference{cp, end + 1 - pos};
}

void AppendCp1252Referenced(std::string& out, char32_t cp, bool ampersandStartsReference) {
    const int byte = UnicodeToCp1252(cp);
    if (byte >= 0 && !(cp == U'&' && ampersandStartsReference)) {
        out += static_cast<char>(byte);
        return;
    }
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(cp));
    out += ';';
}

std::string Utf8ToCp1252Referenced(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0, length = 0; pos < utf8.size(); pos += length) {
        const std::int32_t cp = DecodeUtf8(utf8, pos, length);
        if (cp < 0)
            out += kReplacement;
        else
            AppendCp1252Referenced(out, static_cast<char32_t>(cp),
                                   CharacterReferenceAt(utf8, pos).has_value());
    }
    return out;
}

std::string Cp1252ReferencedToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (const auto reference = CharacterReferenceAt(bytes, pos)) {
            AppendUtf8(out, reference->codePoint);
            pos += reference->length;
        } else {
            AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(bytes[pos++])));
        }
    }
    return out;
}

} // namespace vorn
