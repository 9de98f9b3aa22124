#pragma once

#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/random_source.h"
#include "exercises/sheet.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace vorn {

// A family whose answer key shows the working, with levels. Its sheet opens
// with the instruction line, the same in the statement and in the key.
class WorkedFamily : public FamilyDraws {
public:
    // The longest answer of one question, its gap left out; a family whose
    // working runs longer says so.
    static constexpr std::size_t kLongestAnswer = 320;

    // `instruction` is the line's text, without its line breaks.
    explicit WorkedFamily(std::string_view instruction) : instruction_(instruction) {}

    void DrawSheet(RandomSource&, std::string_view, std::string& line) final {
        Append(line, instruction_, "<br><br>");
    }

private:
    std::string_view instruction_;
};

// The start of the references of a family with levels: the family's stem,
// the level, "_" ("FACT3_"), so that a reference tells the level too.
inline std::string LevelReferencePrefix(std::string_view stem, int level) {
    return std::string(stem) + std::to_string(level) + '_';
}

// Generates a sheet of `Family`, built from its level, its references
// starting with `stem` and the level. Throws std::out_of_range unless
// 1 <= level <= levels, before any draw.
template <typename Family>
Sheet RunWorkedFamily(std::string_view stem, int levels, const SheetSettings& settings, int level,
                      RandomSource& random) {
    if (level < 1 || level > levels)
        throw std::out_of_range("level " + std::to_string(level) + " is outside 1.." +
                                std::to_string(levels));
    Family family(level);
    const std::string prefix = LevelReferencePrefix(stem, level);
    return RunFrame({prefix, "</u></b><br><br><br>", "<br>", Family::kLongestAnswer}, family,
                    settings, random);
}

} // namespace vorn
