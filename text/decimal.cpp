#include "text/decimal.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace vorn {

std::optional<long long> ParseDecimalSaturating(std::string_view text) {
    // std::from_chars takes a "-" but no "+".
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t firstDigit = negative ? 1 : 0;
    if (text.size() <= firstDigit || text[firstDigit] < '0' || text[firstDigit] > '9')
        return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return negative ? std::numeric_limits<long long>::min()
                        : std::numeric_limits<long long>::max();
    return value;
}

std::optional<int> ParseDecimal(std::string_view text) {
    const std::optional<long long> value = ParseDecimalSaturating(text);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace vorn
