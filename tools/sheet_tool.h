#pragma once

#include "exercises/sheet.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::sheet_tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The seed the program takes at start-up: the time of day in UTC, in
// milliseconds since midnight.
std::uint32_t ClockSeed();

// A file name the saver refuses before writing anything: it could not be
// written under exactly the name given. what() says why, in one line.
class FileNameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the statements of the sheets, given as markup (Windows-1252), to
// `path` and their answer keys in the same order to the answer key's file
// beside it, each sheet on a new page. Throws UserError.
using SheetSaver = std::function<void(const std::vector<Sheet>& sheets, const std::string& path)>;
// The same, handed the sheets' recipe (RecipeText) that both files carry.
using RecipeSaver = std::function<void(const std::vector<Sheet>& sheets, const std::string& path,
                                       const std::string& recipe)>;

// Runs vorn-sheet on the arguments that follow the program name: generates
// the sheet, writes it to out or through `save`, reports problems on err.
// Returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const RecipeSaver& save);
// The same with a saver that takes no recipe.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const SheetSaver& save);

} // namespace vorn::sheet_tool
