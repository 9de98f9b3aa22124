#pragma once

#include <algorithm>
#include <vector>

namespace vorn {

// The questions already given on a sheet, so that a new draw can avoid them.
// `Key` is whatever identifies a question and compares with ==.
template <typename Key> class QuestionHistory {
public:
    // A sheet holds at most this many draws of one question: a family whose
    // questions run out repeats one rather than draw forever.
    static constexpr int kMaxTries = 50;

    void Clear() { given_.clear(); }

    // Calls draw() until it gives a question not yet on the sheet, at most
    // kMaxTries times, keeps the last one drawn and returns it.
    template <typename Draw> Key DrawNew(Draw draw) {
        Key key = draw();
        for (int tries = 1; tries < kMaxTries && Contains(key); ++tries)
            key = draw();
        given_.push_back(key);
        return key;
    }

private:
    bool Contains(const Key& key) const {
        return std::find(given_.begin(), given_.end(), key) != given_.end();
    }

    std::vector<Key> given_;
};

} // namespace vorn
