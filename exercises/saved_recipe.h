#pragma once

#include "exercises/sheet.h"
#include "exercises/sheet_recipe.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The version of the recipe text this program writes and reads.
inline constexpr int kRecipeVersion = 1;

// Everything needed to draw a saved sheet, or a saved set of sheets, again:
// what it was drawn from, the settings it was built with, and the generator's
// state when each of its sheets began, in the order of the file.
struct SavedRecipe {
    SheetRecipe recipe;
    SheetSettings settings;           // `parts` is never set
    std::vector<std::uint32_t> seeds; // one per sheet; their number is the set's size
};

// The recipe as one line of printable ASCII, without "\", "{" or "}", so that
// it can travel inside an RTF destination or a PDF's metadata as it is:
//   VORN-RECETTE 1 famille=vn1:2 questions=20 separateur=120 interligne=1
//   graines=123,456 titre=Calculer%20...
// A composed sheet writes composition=red:2:5,fact:1:6 instead of famille
// and questions; an adapted or boxed look adds mise-en-page=adaptee,
// police=… (another font than the default) and encadres=1. Values are percent-encoded bytes (the title stays
// Windows-1252).
std::string RecipeText(const SavedRecipe& saved);

// Reads RecipeText back. Throws UserError (French, UTF-8) for another
// version, an unknown family, a level or a count out of range, a missing or
// damaged field.
SavedRecipe ParseRecipeText(std::string_view text);

// Each sheet of the recipe, drawn from its own seed: the very sheets that
// were saved, before any edit.
std::vector<Sheet> RegenerateSheets(const SavedRecipe& saved);

// The states of `count` sheets drawn one after the other from a generator in
// state `start`, as a set of sheets is drawn.
std::vector<std::uint32_t> SeedsOfDraws(const SheetRecipe& recipe, const SheetSettings& settings,
                                        std::uint32_t start, int count);

} // namespace vorn
