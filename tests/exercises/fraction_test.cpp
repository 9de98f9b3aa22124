#include "exercises/fraction.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vorn {
namespace {

std::string Text(Fraction f) {
    std::string out;
    Append(out, FractionPiece{f});
    return out;
}

TEST(Fraction, ReducedWithTheSignOnTheNumerator) {
    EXPECT_EQ(Text(MakeFraction(-6, -4)), "3/2");
    EXPECT_EQ(Text(MakeFraction(6, -4)), "-3/2");
    EXPECT_EQ(Text(MakeFraction(-12, 4)), "-3");
    EXPECT_EQ(Text(MakeFraction(0, -5)), "0");
    EXPECT_EQ(MakeFraction(0, -5), MakeFraction(0, 1));
    EXPECT_THROW(MakeFraction(3, 0), std::domain_error);
}

TEST(Fraction, OrderAndQuotients) {
    EXPECT_TRUE(MakeFraction(-7, 3) < MakeFraction(-2, 1));
    EXPECT_FALSE(MakeFraction(4, 6) < MakeFraction(2, 3));
    std::string out;
    Append(out, QuotientPiece{-6, -4}, ' ', QuotientPiece{6, 3});
    EXPECT_EQ(out, "-6/(-4) 6/3");
}

} // namespace
} // namespace vorn
