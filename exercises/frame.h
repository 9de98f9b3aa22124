#pragma once

#include "exercises/random_source.h"
#include "exercises/sheet.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// What sets one family's frame apart from the others'.
struct FrameLayout {
    std::string_view prefix;     // start of the sheet reference, e.g. "DEV1_"
    std::string_view titleClose; // closes the title in the statement header
    std::string_view gapEnd;     // closes every gap between two questions
    // The longest answer one question can have, its gap left out, when it is
    // longer than the frame's own allowance: the texts are reserved in full
    // up front.
    std::size_t longestAnswer = 0;
};

// The part of a generation that belongs to one family. Both members write
// straight into the sheet's texts, which the frame has reserved.
class FamilyDraws {
public:
    virtual ~FamilyDraws() = default;
    // The draws made once per sheet; appends to `line` the expression line
    // shown in both headers (nothing for the expansion families).
    // `separator` is the sheet's separator line.
    virtual void DrawSheet(RandomSource& random, std::string_view separator, std::string& line) = 0;
    // The draws of question `number` (counted from 1); appends its statement
    // line and its answer line, each with its closing line break.
    virtual void DrawQuestion(int number, RandomSource& random, std::string& statement,
                              std::string& answer) = 0;
};

// The title as it goes into the markup, so that it shows exactly as typed:
// each "<" becomes the tag "<lt>", each "\", "{" and "}" gets a backslash
// before it, the RTF escape that shows the character itself; every other
// byte is kept. A title without those characters goes in unchanged.
std::string EscapeTitle(std::string_view title);

// The sheet reference: the prefix and three draws of Random(100), each
// written with two digits.
std::string DrawSheetReference(std::string_view prefix, RandomSource& random);

// What the answer key writes around a result to highlight it.
inline constexpr std::string_view kHighlightOpen = "<cf=jaune> ";
inline constexpr std::string_view kHighlightClose = " <cf=auto>";

// One family's generation cut into the pieces a composed sheet is made of.
// When SheetSettings::parts points here, RunFrame draws no reference and
// writes no header: it makes the family's sheet-wide draws into `line`, then
// the questions of each exercise in turn, numbered from 1 in each, with the
// frame's usual gap between two questions of one exercise. The family runs
// exactly as for a sheet of its own and never learns the difference, except
// that a question whose statement (its number left out) is already among
// these exercises is drawn again, at most 50 draws in all.
struct FrameParts {
    std::vector<int> exerciseCounts; // given: the questions of each exercise
    std::string line;                // the line both headers would end with
    std::string statementGap;        // what the frame puts between two questions
    std::string answerGap;
    std::vector<std::string> statements; // one text per exercise
    std::vector<std::string> answers;
};

// Runs a whole generation: reference, sheet-wide draws, headers, then every
// question with the gaps between them. Throws std::out_of_range, before any
// draw, when the question count is above kMaxQuestionCount. With
// settings.parts set, fills those parts and returns an empty sheet; throws
// std::invalid_argument when their counts do not add up to the question count.
Sheet RunFrame(const FrameLayout& layout, FamilyDraws& family, const SheetSettings& settings,
               RandomSource& random);

// One exercise of a composed sheet, its questions drawn (see FrameParts).
// Texts are Windows-1252 markup.
struct ExercisePart {
    std::string_view instruction; // the family's instruction, without line breaks
    std::string_view line;        // the family's sheet-wide line
    std::string_view statement;   // its questions, numbered from 1
    std::string_view answer;
};

// Lays out a composed sheet: the headers with `reference` and the title, as
// every sheet has them, then each exercise under its heading, "Exercice 1 : "
// and the instruction, the same in the statement and in the key. The
// family's own line follows the heading unless it is only that instruction.
// Between two exercises: the statement's spacing, then the separator line and
// a blank line in both texts.
Sheet ComposeFrame(std::string reference, const SheetSettings& settings,
                   std::span<const ExercisePart> exercises);

} // namespace vorn
