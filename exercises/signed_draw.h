#pragma once

#include "exercises/random_source.h"

namespace vorn {

// A uniform draw among -high..-low and low..high (0 < low <= high), made with
// a single Random(2 · (high - low + 1)): the lower half of the draws gives
// the negative values.
inline int DrawSignedMagnitude(RandomSource& random, int low, int high) {
    const int count = high - low + 1;
    const int r = random.Random(2 * count);
    return r < count ? -(high - r) : low + (r - count);
}

// A uniform draw in low..high.
inline int DrawBetween(RandomSource& random, int low, int high) {
    return low + random.Random(high - low + 1);
}

} // namespace vorn
