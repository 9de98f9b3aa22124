#include "settings/profile_encoding.h"

#include "text/cp1252.h"
#include "text/utf8.h"

#include <cstdint>
#include <utility>

namespace vorn::profile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        // An odd last byte counts as a unit whose other byte is zero.
        const auto b1 = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
        return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, char32_t(unit));
    }
    return out;
}

// The next code point of UTF-8 text (a lone surrogate's sequence included); a
// byte that starts no valid sequence stands for itself, as a Windows-1252
// reader would see it.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        cp = lead & 0x07;
    }
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return Cp1252ToUnicode(lead);
    }
    for (int k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return Cp1252ToUnicode(lead);
        }
        cp = cp << 6 | (c & 0x3F);
    }
    const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < smallest || cp > 0x10FFFF) {
        ++i;
        return Cp1252ToUnicode(lead);
    }
    i += static_cast<std::size_t>(length);
    return cp;
}

void AppendUnit(std::string& out, std::uint32_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2 + 2);
    out += bigEndian ? kUtf16BeMark : kUtf16LeMark;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t cp = NextCodePoint(text, i);
        if (cp >= 0x10000) {
            AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), bigEndian);
            AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), bigEndian);
        } else {
            AppendUnit(out, cp, bigEndian);
        }
    }
    return out;
}

} // namespace

DecodedText DecodeFile(std::string bytes) {
    if (StartsWith(bytes, kUtf8Mark)) {
        bytes.erase(0, kUtf8Mark.size());
        return {FileEncoding::Utf8Bom, std::move(bytes)};
    }
    if (StartsWith(bytes, kUtf16LeMark))
        return {FileEncoding::Utf16Le, Utf16ToUtf8(bytes.substr(2), false)};
    if (StartsWith(bytes, kUtf16BeMark))
        return {FileEncoding::Utf16Be, Utf16ToUtf8(bytes.substr(2), true)};
    return {FileEncoding::Ansi, std::move(bytes)};
}

std::string EncodeFile(std::string text, FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Ansi:
        break;
    case FileEncoding::Utf8Bom:
        text.insert(0, kUtf8Mark);
        return text;
    case FileEncoding::Utf16Le:
        return Utf8ToUtf16(text, false);
    case FileEncoding::Utf16Be:
        return Utf8ToUtf16(text, true);
    }
    return text;
}

std::string ValueToText(std::string_view cp1252, FileEncoding encoding) {
    if (encoding == FileEncoding::Ansi)
        return std::string(cp1252);
    return Cp1252ReferencedToUtf8(cp1252);
}

std::string TextToValue(std::string_view text, FileEncoding encoding) {
    if (encoding == FileEncoding::Ansi)
        return std::string(text);
    std::string value;
    value.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const bool reference = CharacterReferenceAt(text, i).has_value();
        AppendCp1252Referenced(value, NextCodePoint(text, i), reference);
    }
    return value;
}

} // namespace vorn::profile
