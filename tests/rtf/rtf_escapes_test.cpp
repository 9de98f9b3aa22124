#include "tests/rtf/rtf_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vorn::test {
namespace {

void ExpectTexts(const std::vector<std::pair<std::string, std::u16string_view>>& cases) {
    for (const auto& [body, text] : cases)
        EXPECT_EQ(TextOf(*Read("{\\rtf1\\ansi\\ansicpg1252 " + body + "}")), U(text)) << body;
}

TEST(RtfEscapes, HexEscapesAndRawBytesAreWindows1252) {
    ExpectTexts({{"caf\\'e9 caf\xe9", u"café café"},
                 {"\\'80\x80\\'9c\\'92\xb0", u"€€œ’°"},
                 {"\\'E9\\'C9", u"éÉ"}});
}

TEST(RtfEscapes, UnicodeAndItsFallback) {
    ExpectTexts({
        {"\\u8364?x", u"€x"}, // one fallback unit by default
        {"\\uc1\\u8364 ?x", u"€x"},
        {"\\u8364\\'80x", u"€x"}, // an escape or a control word is one unit
        {"\\u8364\\tab x", u"€x"},
        {"\\uc0\\u8364 ?x", u"€?x"},
        {"\\uc2\\u8364??x", u"€x"},
        {"\\uc2\\u8364\\'80\\'80x", u"€x"},
        {"\\uc2\\u8364?", u"€"},
        {"{\\uc2 a}\\u8364??b", u"a€?b"}, // \uc belongs to its group
        {"\\uc3\\u8364{b}c", u"€bc"},     // a group boundary ends the fallback
        {"\\u-1279?", u"\uFB01"},         // 65536 - 1279
        {"\\u-10179?\\u-8704?", u"😀"},    // a surrogate pair
        {"\\u1?\\u65532?a", u"a"},        // nothing to show
    });
}

TEST(RtfEscapes, SymbolsAndSpecialCharacters) {
    ExpectTexts({
        {"a\\\\b\\{c\\}d", u"a\\b{c}d"},
        {"a\\~b\\-c\\_d", u"a\u00A0b\u00ADc\u2011d"},
        {"a\\line b\\tab c\td", u"a\u2028b\tc\td"},
        {"\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\endash\\emdash", u"‘’“”•–—"},
        {"a\r\nb\rc\nd", u"abcd"},               // source line breaks mean nothing
        {std::string("a\x01\x1f\0b", 5), u"ab"}, // nor do control bytes
        {"a\\\r\nb\\\nc", u"a\nb\nc"},           // but "\" before one is \par
        {"a\\ b\\|c\\:d\\%e", u"abcde"},         // undefined symbols
    });
}

} // namespace
} // namespace vorn::test
