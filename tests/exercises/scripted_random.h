#pragma once

#include "exercises/random_source.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::test {

// One expected call: Random(n) is answered with value.
struct Draw {
    std::int32_t n;
    std::int32_t value;
};

// A random source that plays back a script. A call beyond the script or with
// another n fails the test and throws, so that a generator drawing again and
// again cannot hang the test.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<Draw> draws) : draws_(draws) {}

    void Add(std::int32_t n, std::initializer_list<std::int32_t> values) {
        for (std::int32_t v : values)
            draws_.push_back({n, v});
    }

    std::int32_t Random(std::int32_t n) override {
        if (next_ >= draws_.size()) {
            ADD_FAILURE() << "unscripted draw Random(" << n << ") after " << next_ << " draws";
            throw std::runtime_error("unscripted draw");
        }
        const Draw draw = draws_[next_];
        if (draw.n != n) {
            ADD_FAILURE() << "draw " << next_ << ": Random(" << n << ") where Random(" << draw.n
                          << ") was scripted";
            throw std::runtime_error("unexpected draw");
        }
        ++next_;
        return draw.value;
    }

    std::size_t Remaining() const { return draws_.size() - next_; }

private:
    std::vector<Draw> draws_;
    std::size_t next_ = 0;
};

} // namespace vorn::test
