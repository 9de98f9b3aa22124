#pragma once

#include "exercises/family_table.h"
#include "exercises/sheet_recipe.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::sheet_tool {

inline constexpr std::string_view kUsage =
    "usage: vorn-sheet FAMILY [--seed N] [--questions N] [--title TEXT] [--separator N] "
    "[--spacing N] [--layout NAME] [--boxed-results] [--variants N] [--level N] "
    "(--markup | --rtf | -o FILE)\n"
    "       vorn-sheet compose FAMILY:LEVEL:COUNT... [--seed N] [--title TEXT] [--separator N] "
    "[--spacing N] [--layout NAME] [--boxed-results] [--variants N] "
    "(--markup | --rtf | -o FILE)\n"
    "       vorn-sheet --from SAVED (--markup | --rtf | -o FILE)";

enum class OutputMode { Markup, Rtf, Files };

struct Options {
    bool help = false;
    // The family and level to draw, or the composition ("compose"); no
    // family only with help.
    SheetRecipe recipe = SheetKind{};
    // Unset: seeded from the clock, as the program does at start-up.
    std::optional<std::uint32_t> seed;
    SheetSettings settings;
    // Sheets drawn one after the other from the one generator.
    int variants = 1;
    OutputMode output = OutputMode::Markup;
    std::string outputPath; // with OutputMode::Files
    // A file saved by VORN whose sheets are drawn again, recipe and all;
    // empty when the sheets come from the options.
    std::string fromPath;
};

// A command line the tool refuses; what() is one line naming the option and
// what it accepts.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The title the window shows at start-up, in Windows-1252, without the
// trailing space of its design.
std::string DefaultTitle();

// Reads the arguments that follow the program name. Throws UsageError. With
// "--help" or "-h" anywhere, returns at once with help set.
Options ParseArguments(const std::vector<std::string>& args);

} // namespace vorn::sheet_tool
