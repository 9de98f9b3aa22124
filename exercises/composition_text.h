#pragma once

#include "exercises/composition.h"

#include <string>
#include <string_view>

namespace vorn {

// The text of a composition, as vorn-sheet takes it and the settings file
// keeps it: each exercise as "FAMILY:LEVEL:COUNT" ("red:2:5"), separated by
// spaces.

std::string ExerciseText(const ComposedExercise& exercise);
std::string CompositionText(const Composition& composition);

// Reads one exercise; throws UserError, naming the item, when the family is
// unknown or the level or the count is not a number in its range.
ComposedExercise ParseExercise(std::string_view item);

// Reads a whole composition, items separated by blanks; throws UserError
// (ParseExercise's, or CompositionProblem's) when it cannot make a sheet.
Composition ParseComposition(std::string_view text);

} // namespace vorn
