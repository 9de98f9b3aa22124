#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// A saved sheet's recipe rides in its RTF files as an ignorable destination,
// "{\*\vornrecette TEXT}": other readers skip it, and the rest of the
// document keeps its bytes.

// The document with the destination added just before its closing brace;
// "\", "{" and "}" of the text are escaped. A document without a closing
// brace comes back unchanged.
std::string WithRecipeDestination(std::string_view rtf, std::string_view recipe);

// The text of the first recipe destination of the document, or nullopt when
// there is none (or it is not closed).
std::optional<std::string> RecipeDestinationOf(std::string_view rtf);

// A saved PDF holds the recipe in its XMP metadata, between these tags.
inline constexpr std::string_view kPdfRecipeOpen = "<vorn:recette>";
inline constexpr std::string_view kPdfRecipeClose = "</vorn:recette>";

// Whether the bytes are a PDF or an RTF document, by their first bytes.
bool IsPdfDocument(std::string_view bytes);
bool IsRtfDocument(std::string_view bytes);

// The recipe a saved file carries: the RTF destination, or the PDF's
// metadata element; nullopt when there is none.
std::optional<std::string> SavedFileRecipe(std::string_view bytes);

} // namespace vorn
