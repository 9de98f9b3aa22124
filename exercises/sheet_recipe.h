#pragma once

#include "exercises/composition.h"
#include "exercises/family_table.h"

#include <variant>

namespace vorn {

// What a click draws a sheet from, kept so that a set of sheets can draw more
// of the same: one family at a level, or a composition. Whatever follows the
// generation (save, print, preview, sets) holds a recipe and never asks which.
class SheetRecipe {
public:
    // Both conversions are implicit: a kind or a composition is a recipe.
    SheetRecipe(SheetKind kind) : recipe_(kind) {}
    SheetRecipe(Composition composition) : recipe_(std::move(composition)) {}

    // The family's generation (GenerateSheet), or the composed sheet's
    // (GenerateComposedSheet, which reads no question count). Throws as they do.
    Sheet Generate(const SheetSettings& settings, RandomSource& random) const;

    // The family and level, or nullptr for a composition.
    const SheetKind* Kind() const { return std::get_if<SheetKind>(&recipe_); }
    // The composition, or nullptr for a single family.
    const Composition* Composed() const { return std::get_if<Composition>(&recipe_); }

private:
    std::variant<SheetKind, Composition> recipe_;
};

} // namespace vorn
