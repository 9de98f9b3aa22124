#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace vorn::test {

// Expected markup is written in the tests as readable UTF-8; the documents
// are Windows-1252. Only the characters outside ASCII that the sheets use are
// turned into their single bytes; anything else outside ASCII is a typo.
inline std::string Win(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (utf8.substr(i, 2) == "\xC2\xB0") { // degree sign
            out += '\xB0';
            ++i;
        } else if (utf8.substr(i, 2) == "\xC3\xA9") { // e acute
            out += '\xE9';
            ++i;
        } else if (utf8.substr(i, 2) == "\xC3\x97") { // multiplication sign
            out += '\xD7';
            ++i;
        } else if (utf8.substr(i, 3) == "\xE2\x88\x92") { // the typeset minus, escaped
            out += "\\u8722?";
            i += 2;
        } else if (utf8.substr(i, 3) == "\xE2\x88\x9A") { // square root
            out += "\\u8730?";
            i += 2;
        } else if (utf8.substr(i, 3) == "\xE2\x88\x85") { // empty set
            out += "\\u8709?";
            i += 2;
        } else {
            ADD_FAILURE() << "unexpected non-ASCII byte in expected text at " << i;
            return out;
        }
    }
    return out;
}

// The markup's escapes read back as a reader of the sheet sees them, in
// ASCII: the typeset minus as "-", the square root as "V", the empty set as
// "{}" and the escaped braces as braces. Any other backslash is kept.
inline std::string ReadEscapes(std::string_view markup) {
    static constexpr std::pair<std::string_view, std::string_view> kEscapes[] = {
        {"\\u8722?", "-"}, {"\\u8730?", "V"}, {"\\u8709?", "{}"},
        {"\\\\", "\\"},       {"\\{", "{"},       {"\\}", "}"}};
    std::string out;
    for (std::size_t i = 0; i < markup.size();) {
        bool found = false;
        for (const auto& [escape, text] : kEscapes) {
            if (markup.substr(i, escape.size()) == escape) {
                out += text;
                i += escape.size();
                found = true;
                break;
            }
        }
        if (!found)
            out += markup[i++];
    }
    return out;
}

inline std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

} // namespace vorn::test
