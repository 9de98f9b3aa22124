#include "exercises/random_source.h"

namespace vorn {

std::int32_t LcgRandom::Random(std::int32_t n) {
    state_ = state_ * 134775813u + 1u;
    if (n <= 0)
        return 0;
    return static_cast<std::int32_t>((std::uint64_t{state_} * static_cast<std::uint64_t>(n)) >> 32);
}

} // namespace vorn
