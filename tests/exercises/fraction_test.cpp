#include "exercises/fraction.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vorn {
namespace {

TEST(Fraction, ReducedWithTheSignOnTheNumerator) {
    EXPECT_EQ(MakeFraction(6, -4), (Fraction{-3, 2}));
    EXPECT_EQ(MakeFraction(0, -5), (Fraction{0, 1}));
    EXPECT_THROW(MakeFraction(3, 0), std::domain_error);
}

} // namespace
} // namespace vorn
