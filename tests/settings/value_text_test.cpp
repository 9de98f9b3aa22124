#include "settings/value_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TrimControl, RemovesSpacesAndControlCharactersAtBothEndsOnly) {
    EXPECT_EQ(vorn::TrimControl("  a  b \t"), "a  b");
    EXPECT_EQ(vorn::TrimControl(std::string("\x01\x1F x\x7F\x20", 6)), "x\x7F");
    EXPECT_EQ(vorn::TrimControl(" \t\r\n"), "");
    EXPECT_EQ(vorn::TrimControl("\xE9t\xE9 "), "\xE9t\xE9"); // high bytes are not blanks
}

TEST(ParseDecimal, AcceptsSignedIntegersOfThirtyTwoBits) {
    EXPECT_EQ(vorn::ParseDecimal("20"), 20);
    EXPECT_EQ(vorn::ParseDecimal("-5"), -5);
    EXPECT_EQ(vorn::ParseDecimal("+7"), 7);
    EXPECT_EQ(vorn::ParseDecimal("007"), 7);
    EXPECT_EQ(vorn::ParseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(vorn::ParseDecimal("-2147483648"), -2147483647 - 1);
}

TEST(ParseDecimal, RefusesEverythingElse) {
    for (const char* text : {"", "-", "+", "12a", " 1", "1 ", "1.5", "2147483648", "-2147483649",
                             "99999999999999999999", "0x10", "vingt"})
        EXPECT_EQ(vorn::ParseDecimal(text), std::nullopt) << text;
}

TEST(ParseProfileInteger, ReadsHexadecimalAfterZeroX) {
    EXPECT_EQ(vorn::ParseProfileInteger("0x1A"), 26);
    EXPECT_EQ(vorn::ParseProfileInteger("0X1a"), 26);
    EXPECT_EQ(vorn::ParseProfileInteger("0x0000000010"), 16);
    EXPECT_EQ(vorn::ParseProfileInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(vorn::ParseProfileInteger("0x7FFFFFFF"), 2147483647);
    EXPECT_EQ(vorn::ParseProfileInteger("-12"), -12);
    // "0x" alone is two characters: read as a decimal, which it is not.
    EXPECT_EQ(vorn::ParseProfileInteger("0x"), std::nullopt);
    EXPECT_EQ(vorn::ParseProfileInteger("0x100000000"), std::nullopt);
    EXPECT_EQ(vorn::ParseProfileInteger("0xG1"), std::nullopt);
    EXPECT_EQ(vorn::ParseProfileInteger("-0x10"), std::nullopt);
}

} // namespace
