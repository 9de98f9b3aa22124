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
// twice. Lines are written in place and compared there: no copy is made.
class KeySteps {
public:
    // How far the steps stand in from the question's number.
    static constexpr int kIndent = 6;

    // Starts the steps of a new question, written at the end of `answer`.
    void Start(std::string& answer) {
        answer_ = &answer;
        previous_ = {};
    }

    template <typename... Pieces> void Step(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, Blanks{kIndent}, pieces...);
        const Span line{start + kIndent, answer_->size()};
        if (Text(line) == Text(previous_)) {
            answer_->resize(start);
            return;
        }
        Append(*answer_, "<br>");
        previous_ = line;
    }

    template <typename... Pieces> void Result(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, Blanks{kIndent}, kHighlightOpen, pieces...);
        const Span result{start + kIndent + kHighlightOpen.size(), answer_->size()};
        Append(*answer_, kHighlightClose, "<br>");
        // The last step said it already: the result takes its place.
        if (Text(result) == Text(previous_)) {
            const std::size_t stepStart = previous_.begin - kIndent;
            answer_->erase(stepStart, start - stepStart);
        }
    }

private:
    // A line's text in the answer, indent and line break left out.
    struct Span {
        std::size_t begin = 0;
        std::size_t end = 0;
    };

    std::string_view Text(Span span) const {
        return std::string_view(*answer_).substr(span.begin, span.end - span.begin);
    }

    std::string* answer_ = nullptr;
    Span previous_;
};

} // namespace vorn
