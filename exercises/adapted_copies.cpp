#include "exercises/adapted_copies.h"

#include <algorithm>
#include <stdexcept>

namespace vorn {

int KeptQuestions(int count, QuestionShare share) {
    if (share.of <= 0 || share.kept <= 0 || share.kept > share.of)
        throw std::invalid_argument("not a share of the questions");
    if (count <= 0)
        return count;
    const long long scaled = 2LL * count * share.kept + share.of;
    return std::max(1, static_cast<int>(scaled / (2LL * share.of)));
}

AdaptedDraw AdaptedCopyOf(const SheetRecipe& recipe, const SheetSettings& settings,
                          QuestionShare share) {
    AdaptedDraw draw{recipe, settings};
    draw.settings.look.layout = SheetLayout::Adapted;
    draw.settings.questionCount = KeptQuestions(settings.questionCount, share);
    if (const Composition* composition = recipe.Composed()) {
        Composition kept = *composition;
        for (ComposedExercise& exercise : kept.exercises)
            exercise.questionCount = KeptQuestions(exercise.questionCount, share);
        draw.recipe = kept;
    }
    return draw;
}

} // namespace vorn
