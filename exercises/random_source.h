#pragma once

#include <cstdint>

namespace vorn {

// Source of the uniform draws the generators make. The program owns one
// LcgRandom; tests substitute scripted draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..n-1 (0 when n <= 0).
    virtual std::int32_t Random(std::int32_t n) = 0;
};

// 32-bit linear congruential generator: state := state * 134775813 + 1
// (mod 2^32), and Random(n) is the high half of the 64-bit product state * n.
class LcgRandom final : public RandomSource {
public:
    explicit LcgRandom(std::uint32_t seed = 0) : state_(seed) {}
    std::int32_t Random(std::int32_t n) override;
    std::uint32_t State() const { return state_; }
    void SetState(std::uint32_t s) { state_ = s; }

private:
    std::uint32_t state_;
};

} // namespace vorn
