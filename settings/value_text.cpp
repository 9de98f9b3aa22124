#include "settings/value_text.h"

#include "text/hex_digit.h"

#include <cstdint>

namespace vorn {

namespace {

bool IsControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string TrimControl(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsControlOrSpace(text[first]))
        ++first;
    while (last > first && IsControlOrSpace(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::optional<int> ParseProfileInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::uint64_t pattern = 0;
        for (char c : text.substr(2)) {
            const int digit = HexDigitValue(static_cast<unsigned char>(c));
            if (digit < 0)
                return std::nullopt;
            pattern = pattern * 16 + static_cast<unsigned>(digit);
            if (pattern > 0xFFFFFFFFu)
                return std::nullopt;
        }
        return static_cast<int>(static_cast<std::uint32_t>(pattern));
    }
    return ParseDecimal(text);
}

} // namespace vorn
