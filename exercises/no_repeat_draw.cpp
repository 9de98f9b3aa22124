#include "exercises/no_repeat_draw.h"

#include <stdexcept>

namespace vorn {

void NoRepeatDraw::Clear() {
    used_.fill(false);
    given_ = 0;
}

int NoRepeatDraw::Next(RandomSource& random) {
    if (given_ >= kCandidates)
        throw std::logic_error("every value of x is already used on this sheet");
    for (;;) {
        const int x = random.Random(kCandidates) + kLowest;
        // at() guards the table against a source that breaks its 0..n-1 promise.
        bool& used = used_.at(static_cast<std::size_t>(x + kTableOffset));
        if (!used) {
            used = true;
            ++given_;
            return x;
        }
    }
}

} // namespace vorn
