#pragma once

#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <string>
#include <string_view>

namespace vorn {

// The x of an equation's leading term, with the blank that follows it. It
// has no blank before it: "x = 3" and "-x" start right at their first sign.
inline constexpr std::string_view kLeadX = "<i><te=26><times>x</i><te=18><arial> ";

// Append() piece writing the first x term of a side: "3 x ", "x ", "-x ".
// Later terms go through XTermPiece, which writes their sign apart.
struct LeadXPiece {
    int n;
};

inline std::size_t PieceSize(LeadXPiece lead) {
    return PieceSize(CoefPiece{lead.n}) + 1 + kLeadX.size();
}

inline void WritePiece(char*& at, LeadXPiece lead) {
    WritePiece(at, CoefPiece{lead.n});
    if (lead.n != 1 && lead.n != -1)
        *at++ = ' ';
    WritePiece(at, kLeadX);
}

// Writes the lines of an answer key under its question: the steps, one per
// line, then the highlighted result. A step that reads as the line before it
// or as the result is left out, so that a short resolution shows no line
// twice.
class KeySteps {
public:
    // How far the steps stand in from the question's number.
    static constexpr int kIndent = 6;

    // Starts the steps of a new question, written at the end of `answer`.
    void Start(std::string& answer) {
        answer_ = &answer;
        previous_.clear();
        previousStart_ = answer.size();
    }

    template <typename... Pieces> void Step(const Pieces&... pieces) {
        line_.clear();
        Append(line_, pieces...);
        if (line_ == previous_)
            return;
        previousStart_ = answer_->size();
        Append(*answer_, Blanks{kIndent}, line_, "<br>");
        previous_.swap(line_);
    }

    template <typename... Pieces> void Result(const Pieces&... pieces) {
        line_.clear();
        Append(line_, pieces...);
        if (line_ == previous_)
            answer_->resize(previousStart_);
        Append(*answer_, Blanks{kIndent}, kHighlightOpen, line_, kHighlightClose, "<br>");
    }

private:
    std::string* answer_ = nullptr;
    std::string line_;
    std::string previous_;
    std::size_t previousStart_ = 0;
};

} // namespace vorn
