#include "richtext/recipe_destination.h"

namespace vorn {

namespace {

constexpr std::string_view kOpening = "{\\*\\vornrecette ";
// A recipe is one line of a few kilobytes at most (a set of 200 sheets lists
// 200 seeds); anything longer is not one.
constexpr std::size_t kMaxPdfRecipeBytes = 64 * 1024;

} // namespace

std::string WithRecipeDestination(std::string_view rtf, std::string_view recipe) {
    const std::size_t closing = rtf.rfind('}');
    if (closing == std::string_view::npos)
        return std::string(rtf);
    std::string document(rtf.substr(0, closing));
    document += kOpening;
    for (const char c : recipe) {
        if (c == '\\' || c == '{' || c == '}')
            document += '\\';
        document += c;
    }
    document += '}';
    document += rtf.substr(closing);
    return document;
}

std::optional<std::string> RecipeDestinationOf(std::string_view rtf) {
    const std::size_t start = rtf.find(kOpening);
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string text;
    for (std::size_t i = start + kOpening.size(); i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '}')
            return text;
        if (c == '{')
            return std::nullopt;
        if (c == '\\') {
            if (++i == rtf.size())
                return std::nullopt;
            text += rtf[i];
            continue;
        }
        // Line breaks that a program re-wrapping the file may have added.
        if (c != '\r' && c != '\n')
            text += c;
    }
    return std::nullopt;
}

bool IsPdfDocument(std::string_view bytes) {
    return bytes.starts_with("%PDF-");
}

bool IsRtfDocument(std::string_view bytes) {
    return bytes.starts_with("{\\rtf");
}

std::optional<std::string> SavedFileRecipe(std::string_view bytes) {
    if (IsRtfDocument(bytes))
        return RecipeDestinationOf(bytes);
    if (!IsPdfDocument(bytes))
        return std::nullopt;
    const std::size_t open = bytes.find(kPdfRecipeOpen);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t start = open + kPdfRecipeOpen.size();
    const std::size_t close = bytes.find(kPdfRecipeClose, start);
    if (close == std::string_view::npos || close - start > kMaxPdfRecipeBytes)
        return std::nullopt;
    return std::string(bytes.substr(start, close - start));
}

} // namespace vorn
