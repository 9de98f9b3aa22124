#pragma once

#include "exercises/sheet_recipe.h"

namespace vorn {

// The share of its questions that an adapted copy of a sheet keeps, e.g. 2
// of 3: fewer questions, each with room to write.
struct QuestionShare {
    int kept = 2;
    int of = 3;
    bool operator==(const QuestionShare&) const = default;
};

// How many of `count` questions a copy keeps: the share of them, rounded to
// the nearest (a half upwards), and at least 1. A count of 0 or less stays.
int KeptQuestions(int count, QuestionShare share);

// The adapted copies of a set of sheets: the last `count` sheets of the set
// are adapted, each exercise keeping `share` of its questions.
struct AdaptedCopies {
    int count = 0;
    QuestionShare share;
    bool operator==(const AdaptedCopies&) const = default;
};

// The recipe and the settings of one adapted copy of a sheet drawn from
// `recipe` with `settings`: the adapted layout, the rest of the look kept,
// and each exercise (the single family's question count, or each exercise of
// a composition) cut to its share.
struct AdaptedDraw {
    SheetRecipe recipe;
    SheetSettings settings;
};
AdaptedDraw AdaptedCopyOf(const SheetRecipe& recipe, const SheetSettings& settings,
                          QuestionShare share);

} // namespace vorn
