#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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
        } else {
            ADD_FAILURE() << "unexpected non-ASCII byte in expected text at " << i;
            return out;
        }
    }
    return out;
}

inline std::string Spaces(std::size_t n) {
    return std::string(n, ' ');
}

} // namespace vorn::test
