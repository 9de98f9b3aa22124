#pragma once

#include <optional>
#include <string_view>

namespace vorn {

// An optionally signed decimal integer, "+7", "-5" or "007", and nothing else
// (no blank, no second sign). A magnitude beyond what `long long` holds comes
// back as that limit, so that a huge number reads as out of range, not as
// garbage.
std::optional<long long> ParseDecimalSaturating(std::string_view text);

// The same for a value of 32 bits: nullopt beyond them.
std::optional<int> ParseDecimal(std::string_view text);

} // namespace vorn
