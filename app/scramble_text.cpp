#include "app/scramble_text.h"

namespace vorn {

unsigned char RotateByte(unsigned char c, int n) {
    const int r = n % 8; // C++ keeps the sign of n, as wanted
    const unsigned v = c;
    if (r < 0) {
        const int k = -r;
        return static_cast<unsigned char>(((v << k) | (v >> (8 - k))) & 0xFFu);
    }
    if (r == 0)
        return c;
    return static_cast<unsigned char>(((v >> r) | (v << (8 - r))) & 0xFFu);
}

std::string ScrambleText(std::string_view text, std::string_view key, bool reverse) {
    long long keySum = 0;
    for (const char k : key)
        keySum += static_cast<unsigned char>(k);
    const long long d = reverse ? -1 : 1;

    std::string out(text);
    std::size_t cursor = 0;
    for (std::size_t idx = 0; idx < out.size(); ++idx) {
        const long long position = static_cast<long long>(idx) + 1;
        const long long v = key.empty()
                                ? position
                                : static_cast<long long>(static_cast<unsigned char>(key[cursor]));
        // Only the amount modulo 8 matters; reducing first keeps long texts
        // from overflowing the int that RotateByte takes.
        const long long amount = ((position % 2 == 1) ? -d : d) * (v + keySum);
        out[idx] = static_cast<char>(
            RotateByte(static_cast<unsigned char>(out[idx]), static_cast<int>(amount % 8)));
        if (!key.empty())
            cursor = (cursor + 1) % key.size();
    }
    return out;
}

} // namespace vorn
