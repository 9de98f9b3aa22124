#include "exercises/no_repeat_draw.h"

#include "scripted_random.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vorn {
namespace {

using test::ScriptedRandom;

TEST(NoRepeatDraw, GivesEveryValueOnceThenRefuses) {
    ScriptedRandom random;
    for (int v = 0; v < 50; ++v)
        random.Add(50, {v});
    NoRepeatDraw draw;
    draw.Clear();
    for (int v = 0; v < 50; ++v)
        EXPECT_EQ(draw.Next(random), v - 20);
    // All fifty values are used: a further draw would never end.
    EXPECT_THROW(draw.Next(random), std::logic_error);
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(NoRepeatDraw, SourceOutsideItsRangeIsCaught) {
    ScriptedRandom random;
    random.Add(50, {-200, 500});
    NoRepeatDraw draw;
    EXPECT_THROW(draw.Next(random), std::out_of_range);
    EXPECT_THROW(draw.Next(random), std::out_of_range);
}

} // namespace
} // namespace vorn
