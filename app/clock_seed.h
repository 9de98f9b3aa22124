#pragma once

#include <QTime>

#include <cstdint>

namespace vorn {

// The seed of the program's generator: the UTC time of day in milliseconds.
std::uint32_t SeedFromUtcTime(const QTime& utcTimeOfDay);

} // namespace vorn
