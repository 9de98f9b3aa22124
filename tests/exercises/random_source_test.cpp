#include "exercises/random_source.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

// Draws are checked against the recurrence state := state * 134775813 + 1
// (mod 2^32), Random(n) := (state * n) >> 32, worked out beforehand.

TEST(LcgRandom, FirstDrawsFromZero) {
    LcgRandom random(0);
    EXPECT_EQ(random.Random(100), 0);
    EXPECT_EQ(random.State(), 1u);
    EXPECT_EQ(random.Random(100), 3);
    EXPECT_EQ(random.State(), 134775814u);
    EXPECT_EQ(random.Random(100), 86);
    EXPECT_EQ(random.State(), 3698175007u);
    EXPECT_EQ(random.Random(16), 3);
    EXPECT_EQ(random.State(), 870078620u);
}

TEST(LcgRandom, StateWrapsAroundModulo2To32) {
    // 0xFFFFFFFF * 134775813 + 1 = 2^32 - 134775812 (mod 2^32)
    LcgRandom random(0xFFFFFFFFu);
    EXPECT_EQ(random.Random(100), 96);
    EXPECT_EQ(random.State(), 4294967296u - 134775812u);
}

TEST(LcgRandom, HighHalfOfTheProduct) {
    LcgRandom random(123456789u);
    EXPECT_EQ(random.Random(50), 27);
    EXPECT_EQ(random.State(), 2335298922u);
    EXPECT_EQ(random.Random(36), 14);
    EXPECT_EQ(random.State(), 1699992339u);
    EXPECT_EQ(random.Random(3), 1);
    EXPECT_EQ(random.State(), 1678830432u);

    // 2^31 + 1 times 1000, shifted down by 32 bits, is 500.
    random.SetState(0x80000000u);
    EXPECT_EQ(random.Random(1000), 500);
}

} // namespace
} // namespace vorn
