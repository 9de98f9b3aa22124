#pragma once

#include "exercises/random_source.h"

#include <array>

namespace vorn {

// Draws the values of x of a numeric-value sheet, each one new on the sheet.
class NoRepeatDraw {
public:
    // The values a draw can give.
    static constexpr int kLowest = -20;
    static constexpr int kCandidates = 50;

    // Forgets every value given so far (the start of a sheet).
    void Clear();
    // x := Random(50) - 20, drawn again while x was already given. Throws
    // std::logic_error once all 50 values are given, rather than loop forever.
    int Next(RandomSource& random);

private:
    // One flag per integer value -100..100.
    static constexpr int kTableOffset = 100;
    std::array<bool, 2 * kTableOffset + 1> used_{};
    int given_ = 0;
};

} // namespace vorn
