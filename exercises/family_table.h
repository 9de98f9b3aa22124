#pragma once

#include "exercises/random_source.h"
#include "exercises/sheet.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Builds one sheet of a family at a level counted from 1.
using FamilyGenerator = Sheet (*)(const SheetSettings& settings, int level, RandomSource& random);

// One row of the table of exercise families. The window, vorn-sheet, the
// sheet sets and the benchmarks all read the table, so a new family is its
// generator and one row here.
struct ExerciseFamily {
    std::string_view caption;   // UTF-8, as the window shows it
    std::string_view shortName; // vorn-sheet's FAMILY argument
    // How every sheet reference of the family begins; for a family with
    // levels, the stem that the level and "_" follow (see ReferencePrefix).
    std::string_view referencePrefix;
    // UTF-8 caption of each level, level 1 first; empty for a family of one
    // level, which the families menu shows as a single entry.
    std::span<const std::string_view> levels;
    FamilyGenerator generate;
    // True for the families of the exercise bar's designed buttons, in the
    // order of those buttons; the others are chosen from the families menu.
    bool hasOwnButton;
    // UTF-8 instruction that heads the family's exercise on a composed
    // sheet, e.g. "Réduire les expressions suivantes.".
    std::string_view instruction = {};

    int LevelCount() const { return levels.empty() ? 1 : static_cast<int>(levels.size()); }
    // How the references of a sheet at `level` begin: "VN1_", "FACT3_".
    std::string ReferencePrefix(int level) const;
};

// Every family, the designed buttons' first and in their order.
std::span<const ExerciseFamily> ExerciseFamilies();

// The family of that short name, or nullptr.
const ExerciseFamily* FindFamily(std::string_view shortName);
// The family of that short name; throws std::invalid_argument when there is none.
const ExerciseFamily& FamilyNamed(std::string_view shortName);

// What one click generates: a family at one of its levels.
struct SheetKind {
    const ExerciseFamily* family = nullptr;
    int level = 1;
};

// Every family at every level, in table order.
std::vector<SheetKind> AllSheetKinds();

// Runs the whole generation of one sheet: reference draws first, then the
// family's draws, in the documented order. Throws std::out_of_range, before
// any draw, when the level is outside 1..LevelCount() or the question count
// is above kMaxQuestionCount.
Sheet GenerateSheet(const SheetKind& kind, const SheetSettings& settings, RandomSource& random);

} // namespace vorn
