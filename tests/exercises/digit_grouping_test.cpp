#include "exercises/digit_grouping.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vorn {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

TEST(DigitGrouping, GroupNumberExamples) {
    const Cases cases{
        {"123", "123"},
        {"1234", "1 234"},
        {"1234567", "1 234 567"},
        {"-12", "-12"},
        {"-123", "- 123"},
        {"-1234", "-1 234"},
        {"-123456", "- 123 456"},
        {"1234.56789", "1 234.567 89"},
        {".5", ".5"},
        {"1560", "1 560"},
        {"7839", "7 839"},
        {"-5226", "-5 226"},
        {"-116", "- 116"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(GroupNumber(in), out) << "input " << in;
}

TEST(DigitGrouping, ShortAndEmptyTexts) {
    EXPECT_EQ(GroupNumber(""), "");
    EXPECT_EQ(GroupNumber("0"), "0");
    EXPECT_EQ(GroupNumber("."), ".");
    EXPECT_EQ(GroupNumber("12."), "12.");
    EXPECT_EQ(GroupIntDigits(""), "");
    EXPECT_EQ(GroupFracDigits(""), "");
}

TEST(DigitGrouping, OnlyTheFirstPointSplits) {
    // The part after the first "." is grouped as it stands, later points included.
    EXPECT_EQ(GroupNumber("1.2.3456"), "1.2.3 456");
}

TEST(DigitGrouping, IntDigitsCountFromTheRight) {
    EXPECT_EQ(GroupIntDigits("123"), "123");
    EXPECT_EQ(GroupIntDigits("123456"), "123 456");
    EXPECT_EQ(GroupIntDigits("12345678"), "12 345 678");
    EXPECT_EQ(GroupIntDigits("-2147483648"), "-2 147 483 648");
}

} // namespace
} // namespace vorn
