#pragma once

#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <string>
#include <string_view>

namespace vorn {

// How the equation families write their lines. A line that holds an equation
// is set in Times from its start and goes back to Arial at its end, so that x
// is a plain italic x: a key with several lines of working per question stays
// light to convert.

// Opens the equation of a question line.
inline constexpr std::string_view kEquationOpen = "<times>";
// Closes a line that kEquationOpen or a step opened.
inline constexpr std::string_view kEquationClose = "<arial><br>";
inline constexpr std::string_view kEquationX = "<i>x</i>";

// Append() piece writing the first x term of a side: "3 x", "x", "-x".
struct LeadXPiece {
    int n;
};

inline std::size_t PieceSize(LeadXPiece lead) {
    return PieceSize(CoefPiece{lead.n}) + 1 + kEquationX.size();
}

inline void WritePiece(char*& at, LeadXPiece lead) {
    WritePiece(at, CoefPiece{lead.n});
    if (lead.n != 1 && lead.n != -1)
        *at++ = ' ';
    WritePiece(at, kEquationX);
}

// Append() piece writing a later x term with its sign apart and the blank
// before it: " - 5 x", " + x". Nothing for 0.
struct NextXPiece {
    int n;
};

inline std::size_t PieceSize(NextXPiece next) {
    return 3 + PieceSize(LeadXPiece{next.n});
}

inline void WritePiece(char*& at, NextXPiece next) {
    if (next.n == 0)
        return;
    *at++ = ' ';
    WritePiece(at, SignPiece{next.n});
    *at++ = ' ';
    WritePiece(at, LeadXPiece{next.n < 0 ? -next.n : next.n});
}

// Append() piece writing a later constant term the same way: " + 2", " - 7".
// Nothing for 0.
struct NextConstPiece {
    int n;
};

inline std::size_t PieceSize(NextConstPiece next) {
    return 1 + PieceSize(ConstTermPiece{next.n});
}

inline void WritePiece(char*& at, NextConstPiece next) {
    if (next.n == 0)
        return;
    *at++ = ' ';
    WritePiece(at, ConstTermPiece{next.n});
}

// Writes the lines of an answer key under its question: the steps, one per
// line, then the highlighted result. A step that reads as the line before it
// or as the result is left out, so that a short resolution shows no line
// twice. Lines are written in place and compared there: no copy is made.
class KeySteps {
public:
    // Opens a step line: a few blanks stand it in from the question's number.
    static constexpr std::string_view kIndent = "      ";
    static constexpr std::string_view kStepOpen = "      <times>";

    // Starts the steps of a new question, written at the end of `answer`.
    void Start(std::string& answer) {
        answer_ = &answer;
        previous_ = {};
    }

    template <typename... Pieces> void Step(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, kStepOpen, pieces...);
        const Span line{start, start + kStepOpen.size(), answer_->size()};
        if (Text(line) == Text(previous_)) {
            answer_->resize(start);
            return;
        }
        Append(*answer_, kEquationClose);
        previous_ = line;
    }

    // A line of text among the steps, in the sheet's own font.
    void Sentence(std::string_view text) {
        Append(*answer_, Blanks{static_cast<int>(kIndent.size())}, text, "<br>");
        previous_ = {};
    }

    template <typename... Pieces> void Result(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, kStepOpen, kHighlightOpen, pieces...);
        const Span result{start, start + kStepOpen.size() + kHighlightOpen.size(), answer_->size()};
        Append(*answer_, kHighlightClose, kEquationClose);
        // The last step said it already: the result takes its place.
        if (Text(result) == Text(previous_))
            answer_->erase(previous_.line, start - previous_.line);
    }

private:
    // Where a line starts in the answer, and its text, the tags around it
    // left out.
    struct Span {
        std::size_t line = 0;
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
