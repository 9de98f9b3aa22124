#pragma once

#include "exercises/random_source.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// What the families whose answer key shows the working share. Their answer
// key repeats the question line, then writes each step on a line of its own,
// indented and opened by "=", and the highlighted result last.

// Opens the expression of a question line, in Times.
inline constexpr std::string_view kExpressionOpen = "<times>";
// Opens a step line and the result line.
inline constexpr std::string_view kStepOpen = "      <times>= ";
// Closes every line that kExpressionOpen or kStepOpen opened, back in Arial.
inline constexpr std::string_view kLineClose = "<arial><br>";

// Throws std::out_of_range unless 1 <= level <= levels.
inline void CheckLevel(int level, int levels) {
    if (level < 1 || level > levels)
        throw std::out_of_range("level " + std::to_string(level) + " is outside 1.." +
                                std::to_string(levels));
}

// A coefficient in -9..-1 or 1..9, each equally likely: one draw of Random(18).
inline int DrawSignedDigit(RandomSource& random) {
    const int r = random.Random(18);
    return r < 9 ? r - 9 : r - 8;
}

// +1 or -1, each with probability one half.
inline int DrawSign(RandomSource& random) {
    return random.Random(2) == 0 ? 1 : -1;
}

// How often a question is drawn before a repeat on the sheet is accepted: a
// family with few possible questions must still end its sheet.
inline constexpr int kMaxDistinctTries = 50;

// Calls `draw` until it gives a question that `drawn` does not hold yet, at
// most kMaxDistinctTries times, and records the question kept.
template <typename Question, typename Draw>
Question DrawDistinct(std::vector<Question>& drawn, Draw draw) {
    Question question = draw();
    for (int tries = 1; tries < kMaxDistinctTries &&
                        std::find(drawn.begin(), drawn.end(), question) != drawn.end();
         ++tries)
        question = draw();
    drawn.push_back(question);
    return question;
}

} // namespace vorn
