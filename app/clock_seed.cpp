#include "app/clock_seed.h"

namespace vorn {

std::uint32_t SeedFromUtcTime(const QTime& t) {
    return static_cast<std::uint32_t>(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 +
                                      t.msec());
}

} // namespace vorn
