#pragma once

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "exercises/sheet_recipe.h"
#include "output/print/current_printer.h"
#include "output/sets/sheet_set.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the whole program shares between its handlers. One instance lives in
// the main window; nothing else keeps program-wide mutable state.
struct AppState {
    // Reference of the last generated sheet (Windows-1252), empty until then.
    std::string SheetReference;
    // Question count of the sheet being (or last) generated.
    int QuestionCount = 0;
    // True while both panes are editable; written only by the edit check box.
    bool EditMode = false;
    // What the last generated sheet was drawn from (a family and level, or a
    // composition) and its settings, from which further different sheets of
    // the same kind are drawn; none before the first.
    std::optional<vorn::SheetRecipe> LastSheetRecipe;
    vorn::SheetSettings SheetSettings;
    // The generator's state as each sheet the panes show began: one for a
    // generated sheet, one per sheet for a set opened from its file. Empty
    // when the panes show no sheet of a known recipe.
    std::vector<std::uint32_t> ShownSeeds;
    // Those of the sheets of the kept set, in its order.
    std::vector<std::uint32_t> LastSheetSetSeeds;
    // The count last asked for in "Sujets différents…"; 0 before the first.
    int LastSetSize = 0;
    // The family and level last chosen from the families menu.
    std::optional<vorn::SheetKind> LastMenuKind;
    // The set of different sheets drawn last from the shown sheet: printed and
    // saved again as it is until a new set is asked for or a new sheet made.
    std::unique_ptr<vorn::SheetSet> LastSheetSet;
    // The one generator every sheet draws from, seeded once at creation.
    vorn::LcgRandom Random;
    // The current printer: the default one until the print dialog picks another.
    vorn::CurrentPrinter Printer;
};
