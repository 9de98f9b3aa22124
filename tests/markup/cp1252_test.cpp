#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vorn::Cp1252ToUnicode;
using vorn::Cp1252ToUtf8;
using vorn::UnicodeToCp1252;
using vorn::Utf8ToCp1252;

// The 0x80..0x9F row of the Windows-1252 code chart; 0 marks the five
// unassigned bytes.
constexpr char32_t kChartRow8x9x[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

TEST(Cp1252Test, ByteToCodePointFollowsTheChart) {
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    for (int b = 0xA0; b <= 0xFF; ++b)
        EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    for (int b = 0x80; b <= 0x9F; ++b) {
        const char32_t expected = kChartRow8x9x[b - 0x80] ? kChartRow8x9x[b - 0x80] : b;
        EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), expected) << b;
    }
}

TEST(Cp1252Test, CodePointToByteIsTheInverse) {
    for (int b = 0; b <= 0xFF; ++b) {
        const char32_t cp = b >= 0x80 && b <= 0x9F && kChartRow8x9x[b - 0x80]
                                ? kChartRow8x9x[b - 0x80]
                                : static_cast<char32_t>(b);
        EXPECT_EQ(UnicodeToCp1252(cp), b) << b;
    }
}

TEST(Cp1252Test, CodePointsWithoutAByte) {
    EXPECT_EQ(UnicodeToCp1252(0x80), -1); // C1 control that the code page reuses for the euro
    EXPECT_EQ(UnicodeToCp1252(0x9F), -1);
    EXPECT_EQ(UnicodeToCp1252(0x100), -1);
    EXPECT_EQ(UnicodeToCp1252(0x03A9), -1); // Greek capital omega
    EXPECT_EQ(UnicodeToCp1252(0x1F600), -1);
    EXPECT_EQ(UnicodeToCp1252(0x110000), -1);
}

TEST(Cp1252Test, FrenchTextToBytes) {
    EXPECT_EQ(Utf8ToCp1252("Pr\xC3\xA9nom : 1\xC2\xB0/"), "Pr\xE9nom : 1\xB0/");
    EXPECT_EQ(Utf8ToCp1252("\xC3\x89l\xC3\xA8ve \xC5\x93uf \xE2\x82\xAC"),
              "\xC9l\xE8ve \x9Cuf \x80");
    EXPECT_EQ(Utf8ToCp1252("\xC3\xBF"), "\xFF");
    EXPECT_EQ(Utf8ToCp1252(""), "");
}

TEST(Cp1252Test, ZeroBytesAreKept) {
    const std::string in("a\0b", 3);
    EXPECT_EQ(Utf8ToCp1252(in), in);
    EXPECT_EQ(Cp1252ToUtf8(in), in);
}

TEST(Cp1252Test, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("x\xCE\xA9y"), "x?y");         // omega, two bytes
    EXPECT_EQ(Utf8ToCp1252("x\xE2\x88\x9Ay"), "x?y");     // square root, three bytes
    EXPECT_EQ(Utf8ToCp1252("x\xF0\x9F\x98\x80y"), "x?y"); // emoji, four bytes
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");             // U+0080 has no byte
}

TEST(Cp1252Test, InvalidUtf8BecomesQuestionMarks) {
    // A lone continuation byte, an impossible lead byte.
    EXPECT_EQ(Utf8ToCp1252("a\x80z"), "a?z");
    EXPECT_EQ(Utf8ToCp1252("a\xFFz"), "a?z");
    // Truncated sequences, in the middle and at the end: the byte after the
    // fragment is not eaten.
    EXPECT_EQ(Utf8ToCp1252("a\xC3z"), "a?z");
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82z"), "a?z");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98"), "a?");
    // Overlong forms: the lead bytes C0 and C1 are never valid, nor E0 with
    // a continuation below A0.
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xAF"), "???");
    // Encoded surrogate and a code point above U+10FFFF.
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");
    EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "????");
    // A valid character right after a broken one survives.
    EXPECT_EQ(Utf8ToCp1252("\xC3\xC3\xA9"), "?\xE9");
}

TEST(Cp1252Test, BytesToUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("Pr\xE9nom 1\xB0"), "Pr\xC3\xA9nom 1\xC2\xB0");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Cp1252ToUtf8("\x9C\xFF"), "\xC5\x93\xC3\xBF");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
}

TEST(Cp1252Test, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b <= 0xFF; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

// Characters Windows-1252 lacks are kept as "&#N;", and an "&" that would
// read as such a reference is itself one; text without either is unchanged.
TEST(Cp1252Test, ReferencesKeepWhatTheCodePageLacks) {
    using vorn::Cp1252ReferencedToUtf8;
    using vorn::Utf8ToCp1252Referenced;
    const struct {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"\xC3\x89l\xC3\xA8ve \xE2\x82\xAC \xCE\xA9 \xE2\x89\xA4 \xF0\x9F\x98\x80",
         "\xC9l\xE8ve \x80 &#937; &#8804; &#128512;"},
        {"&#65; &#x41; &#; & &#1 &#12345678; &#55296; &#31; &#1114112; &#1114111;",
         "&#38;#65; &#x41; &#; & &#1 &#12345678; &#55296; &#31; &#1114112; &#38;#1114111;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252Referenced(c.utf8), c.bytes);
        EXPECT_EQ(Cp1252ReferencedToUtf8(c.bytes), c.utf8);
    }
    EXPECT_EQ(Utf8ToCp1252Referenced("a\xFF"
                                     "b"),
              "a?b");
    std::string all;
    for (int b = 0; b <= 0xFF; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252Referenced(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ReferencedToUtf8(all), Cp1252ToUtf8(all));
}

} // namespace
