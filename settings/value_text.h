#pragma once

#include "text/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Removes every byte from 0 to 32 (the space and the control characters) from
// both ends.
std::string TrimControl(std::string_view text);

// What an integer read from a settings file accepts: a decimal integer, or
// "0x"/"0X" followed by at most eight significant hexadecimal digits, taken as
// the 32-bit pattern of the value ("0xFFFFFFFF" is -1).
std::optional<int> ParseProfileInteger(std::string_view text);

} // namespace vorn
