#include "exercises/question_history.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorn {
namespace {

TEST(QuestionHistory, DrawsAgainUntilNewThenAcceptsARepeat) {
    QuestionHistory<int> history;
    std::vector<int> script = {1, 1, 1, 2};
    std::size_t calls = 0;
    const auto scripted = [&] { return script.at(calls++); };
    EXPECT_EQ(history.DrawNew(scripted), 1);
    EXPECT_EQ(history.DrawNew(scripted), 2);
    EXPECT_EQ(calls, 4u);

    // Only given questions left: the last allowed draw is kept.
    script.assign(QuestionHistory<int>::kMaxTries, 1);
    calls = 0;
    EXPECT_EQ(history.DrawNew(scripted), 1);
    EXPECT_EQ(calls, script.size());

    // A new sheet forgets them all.
    history.Clear();
    calls = 0;
    EXPECT_EQ(history.DrawNew(scripted), 1);
    EXPECT_EQ(calls, 1u);
}

} // namespace
} // namespace vorn
