#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Byte searches over markup, eight bytes at a time where the machine is
// little-endian; byte by byte elsewhere and for the last few bytes.
namespace vorn::byte_scan {

// Eight bytes at a time ("SWAR"): a word's bytes are scanned together, and
// the lowest flagged byte of each test below is exact.
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

inline std::uint64_t Load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// High bit set in every byte equal to `c` (lowest one exact).
constexpr std::uint64_t BytesEqual(std::uint64_t word, unsigned char c) {
    const std::uint64_t x = word ^ (kOnes * c);
    return (x - kOnes) & ~x & kHighBits;
}

// High bit set in every byte below 0x20, a control character (lowest one exact).
constexpr std::uint64_t ControlBytes(std::uint64_t word) {
    return (word - kOnes * 0x20) & ~word & kHighBits;
}

// The eight bytes with A..Z turned into a..z and nothing else changed.
constexpr std::uint64_t FoldWord(std::uint64_t word) {
    const std::uint64_t low7 = word & ~kHighBits;
    const std::uint64_t aboveZ = low7 + kOnes * (0x7F - 'Z');
    const std::uint64_t fromA = low7 + kOnes * (0x80 - 'A');
    const std::uint64_t upper = (fromA ^ aboveZ) & ~word & kHighBits;
    return word | (upper >> 2);
}

inline std::size_t LowestByte(std::uint64_t flags) {
    return static_cast<std::size_t>(std::countr_zero(flags)) / 8;
}

// The first `c` in [p, end), or end.
inline const char* Find(const char* p, const char* end, unsigned char c) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8)
            if (const std::uint64_t hit = BytesEqual(Load8(p), c))
                return p + LowestByte(hit);
    }
    while (p < end && static_cast<unsigned char>(*p) != c)
        ++p;
    return p;
}

// The first "<" or control character in [p, end), or end.
inline const char* FindTagOrControl(const char* p, const char* end) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            const std::uint64_t word = Load8(p);
            if (const std::uint64_t hit = BytesEqual(word, '<') | ControlBytes(word))
                return p + LowestByte(hit);
        }
    }
    while (p < end && *p != '<' && static_cast<unsigned char>(*p) >= 32)
        ++p;
    return p;
}

} // namespace vorn::byte_scan
