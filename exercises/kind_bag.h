#pragma once

#include "exercises/random_source.h"

#include <array>
#include <cstdint>

namespace vorn {

// Draws the kinds of a sheet's questions (0..Kinds-1) so that the question
// number tells nothing about the method: each kind is taken out of a bag that
// holds every kind twice, refilled when empty, and never a third time in a
// row. Within a bag the kinds come in a shuffled order; over a sheet each
// kind comes about equally often.
template <int Kinds> class KindBag {
public:
    static constexpr int kCopies = 2;

    int Next(RandomSource& random) {
        if (left_ == 0) {
            counts_.fill(kCopies);
            left_ = Kinds * kCopies;
        }
        // A kind just given twice waits: with two copies of each kind in a
        // bag, another kind is always left when that happens.
        const bool twice = run_ >= 2 && left_ > counts_[static_cast<std::size_t>(last_)];
        const int blocked = twice ? last_ : -1;
        const int choices = left_ - (twice ? counts_[static_cast<std::size_t>(last_)] : 0);
        int pick = random.Random(choices);
        int kind = 0;
        for (;; ++kind) {
            if (kind == blocked)
                continue;
            if (pick < counts_[static_cast<std::size_t>(kind)])
                break;
            pick -= counts_[static_cast<std::size_t>(kind)];
        }
        --counts_[static_cast<std::size_t>(kind)];
        --left_;
        run_ = kind == last_ ? run_ + 1 : 1;
        last_ = kind;
        return kind;
    }

private:
    std::array<int, Kinds> counts_{};
    int left_ = 0;
    int last_ = -1;
    int run_ = 0;
};

} // namespace vorn
