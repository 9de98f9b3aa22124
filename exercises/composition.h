#pragma once

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "exercises/sheet.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// A composed sheet holds 1 to kMaxComposedExercises exercises, each of 1 to
// kMaxQuestionCount questions, kMaxComposedQuestions in all.
inline constexpr int kMaxComposedExercises = 10;
inline constexpr int kMaxComposedQuestions = 100;
// How the reference of every composed sheet begins.
inline constexpr std::string_view kComposedPrefix = "FEUILLE_";

// One exercise of a composed sheet: a family at a level, with its questions.
struct ComposedExercise {
    const ExerciseFamily* family = nullptr;
    int level = 1;
    int questionCount = 10;

    bool operator==(const ComposedExercise&) const = default;
};

// A worksheet of several exercises, in their order on the sheet.
struct Composition {
    std::vector<ComposedExercise> exercises;

    int QuestionCount() const;
    bool operator==(const Composition&) const = default;
};

// The composition offered when none is remembered: reduce, expand and
// reduce, factorise, solve, a test as a 4e-3e class would have it.
Composition DefaultComposition();

// Why the composition cannot make a sheet, in French (UTF-8), naming the
// exercise at fault by its text; empty when it can. Besides the counts, the
// exercises of one family at one level share the family's pool of questions,
// so that none repeats: together they hold at most kMaxQuestionCount.
std::string CompositionProblem(const Composition& composition);

// The generation of a composed sheet. The draws, all from `random`, come in
// this order:
//   1. the reference: "FEUILLE_" and the three draws of DrawSheetReference;
//   2. for each family and level, in the order of their first exercise on
//      the sheet, one generation of that family through the family table,
//      exactly as a sheet of its own would draw it, reference left out: its
//      sheet-wide draws, then the questions of its first exercise, then
//      those of its next exercise at that level, and so on; a question
//      already given among them is drawn again (see FrameParts).
// The exercises of one family at one level are thus drawn together, which
// is what keeps any question from repeating among them; they also share the
// sheet-wide line (the expression of a numeric-value family).
// settings.questionCount is not read. Throws std::invalid_argument with
// CompositionProblem() before any draw.
Sheet GenerateComposedSheet(const Composition& composition, const SheetSettings& settings,
                            RandomSource& random);

} // namespace vorn
