#include "exercises/sheet.h"
#include "exercises/terms.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace vorn {
namespace {

const std::string kXMarkup = "<i> <te=26><times>x</i><te=18><arial> ";

TEST(Terms, SignTextGivesMinusForZero) {
    EXPECT_EQ(SignText(5), "+");
    EXPECT_EQ(SignText(1), "+");
    EXPECT_EQ(SignText(0), "-");
    EXPECT_EQ(SignText(-1), "-");
    EXPECT_EQ(SignText(INT_MIN), "-");
}

TEST(Terms, CoefTextDropsUnitCoefficients) {
    EXPECT_EQ(CoefText(1), "");
    EXPECT_EQ(CoefText(-1), "-");
    EXPECT_EQ(CoefText(0), "0");
    EXPECT_EQ(CoefText(-3), "-3");
    EXPECT_EQ(CoefText(81), "81");
    EXPECT_EQ(CoefText(INT_MIN), "-2147483648");
}

TEST(Terms, XTermWritesSignBlankAndMagnitude) {
    EXPECT_EQ(XTerm(1), "+ <i> <te=26><times>x</i><te=18><arial> ");
    EXPECT_EQ(XTerm(-4), "- 4<i> <te=26><times>x</i><te=18><arial> ");
    EXPECT_EQ(XTerm(-1), "- " + kXMarkup);
    EXPECT_EQ(XTerm(162), "+ 162" + kXMarkup);
    EXPECT_EQ(XTerm(0), " ");
    EXPECT_EQ(XTerm(INT_MIN), "- 2147483648" + kXMarkup);
}

TEST(Terms, ConstTermKeepsTheDigitOne) {
    EXPECT_EQ(ConstTerm(-7), "- 7");
    EXPECT_EQ(ConstTerm(1), "+ 1");
    EXPECT_EQ(ConstTerm(-1), "- 1");
    EXPECT_EQ(ConstTerm(0), " ");
    EXPECT_EQ(ConstTerm(INT_MIN), "- 2147483648");
    EXPECT_EQ(ConstTerm(INT_MAX), "+ 2147483647");
}

TEST(Terms, TabRun) {
    EXPECT_EQ(TabRun(3), "<tab><tab><tab>");
    EXPECT_EQ(TabRun(1), "<tab>");
    EXPECT_EQ(TabRun(0), "");
    EXPECT_EQ(TabRun(-2), "");
}

TEST(Terms, SeparatorLineIsEmptyAtZeroOrBelow) {
    EXPECT_EQ(SeparatorLine(5), "-----");
    EXPECT_EQ(SeparatorLine(1), "-");
    EXPECT_EQ(SeparatorLine(0), "");
    EXPECT_EQ(SeparatorLine(-1), "");
    EXPECT_EQ(SeparatorLine(INT_MIN), "");
}

TEST(Terms, SeparatorLineIsCappedAtAThousandHyphens) {
    EXPECT_EQ(kMaxSeparatorLength, 1000);
    EXPECT_EQ(SeparatorLine(120), std::string(120, '-'));
    EXPECT_EQ(SeparatorLine(1000), std::string(1000, '-'));
    EXPECT_EQ(SeparatorLine(1001), std::string(1000, '-'));
    EXPECT_EQ(SeparatorLine(INT_MAX), std::string(1000, '-'));
}

TEST(Terms, SpacingLines) {
    EXPECT_EQ(SpacingLines(1), "<br>");
    EXPECT_EQ(SpacingLines(5), "<br><br><br><br><br>");
    EXPECT_EQ(SpacingLines(0), "");
    EXPECT_EQ(SpacingLines(-3), "");
}

} // namespace
} // namespace vorn
