#pragma once

#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/step_lines.h"

#include <string>
#include <string_view>

namespace vorn {

// Writes the lines of an answer key under its question: the steps, one per
// line, then the highlighted result. A step that reads as the line before it
// or as the result is left out, so that a short resolution shows no line
// twice. Lines are written in place and compared there: no copy is made.
class KeySteps {
public:
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
        Append(*answer_, kLineClose);
        previous_ = line;
    }

    // A line of text among the steps, in the sheet's own font.
    void Sentence(std::string_view text) {
        Append(*answer_, kStepIndent, text, "<br>");
        previous_ = {};
    }

    template <typename... Pieces> void Result(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, kResultOpen, kHighlightOpen, pieces...);
        const Span result{start, start + kResultOpen.size() + kHighlightOpen.size(),
                          answer_->size()};
        Append(*answer_, kHighlightClose, kLineClose);
        // The last step said it already: the result takes its place.
        if (Text(result) == Text(previous_))
            answer_->erase(previous_.line, start - previous_.line);
    }

    // The result of a calculation, on a line "= result" whose "=" stands
    // under the steps' own, outside the highlight.
    template <typename... Pieces> void EqualsResult(const Pieces&... pieces) {
        const std::size_t start = answer_->size();
        Append(*answer_, kStepOpen, '=', kHighlightOpen, pieces...);
        const Span result{start, start + kStepOpen.size() + 1 + kHighlightOpen.size(),
                          answer_->size()};
        Append(*answer_, kHighlightClose, kLineClose);
        const std::string_view previous = Text(previous_);
        if (previous.starts_with("= ") && previous.substr(2) == Text(result))
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
