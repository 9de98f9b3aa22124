#pragma once

#include "exercises/random_source.h"

namespace vorn {

// A coefficient in -6..9: 9 - Random(16), drawn again as long as `reject`
// refuses it.
template <typename Reject> int DrawCoefficient(RandomSource& random, Reject reject) {
    for (;;) {
        const int value = 9 - random.Random(16);
        if (!reject(value))
            return value;
    }
}

// A coefficient in -6..9 other than 0.
inline int DrawNonZeroCoefficient(RandomSource& random) {
    return DrawCoefficient(random, [](int v) { return v == 0; });
}

} // namespace vorn
