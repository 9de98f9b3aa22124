#include "exercises/sheet_recipe.h"

namespace vorn {

Sheet SheetRecipe::Generate(const SheetSettings& settings, RandomSource& random) const {
    if (const Composition* composition = Composed())
        return GenerateComposedSheet(*composition, settings, random);
    return GenerateSheet(std::get<SheetKind>(recipe_), settings, random);
}

} // namespace vorn
