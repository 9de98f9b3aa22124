#include "tools/sheet_tool.h"

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "exercises/saved_recipe.h"
#include "output/save/answer_key_name.h"
#include "output/save/save_error.h"
#include "richtext/markup_converter.h"
#include "richtext/recipe_destination.h"
#include "richtext/sheet_look_rtf.h"
#include "text/bounded_file_read.h"
#include "text/system_cause.h"
#include "text/user_error.h"
#include "tools/sheet_options.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

namespace vorn::sheet_tool {

namespace {

constexpr std::string_view kHelpStart =
    "Writes the first sheet (or the first N sheets, with --variants N) the program\n"
    "would generate with the given seed.\n"
    "\n"
    "  FAMILY           one of the window's exercises, by short name:\n";

constexpr std::string_view kHelpCompose =
    "  compose          a sheet of several exercises, each FAMILY:LEVEL:COUNT, in\n"
    "                   order (e.g. compose red:2:5 fact:1:6 eq1:2:4): 1 to 10\n"
    "                   exercises of 1 to 40 questions, 100 in all, at most 40 of\n"
    "                   one family at one level; the reference starts FEUILLE_\n";

constexpr std::string_view kHelpOptions =
    "  --level N        the family's level, from 1 (default 1; not with compose)\n"
    "  --seed N         initial generator state, 0..4294967295 (default: the clock)\n"
    "  --questions N    1..40 (default 20; not with compose)\n"
    "  --title TEXT     UTF-8 (default: the window's title); characters Windows-1252\n"
    "                   lacks reach the RTF as Unicode escapes\n"
    "  --separator N    hyphens per separator line, an integer of at most 1000\n"
    "                   (default 120; 0 or less gives an empty line)\n"
    "  --spacing N      blank lines between statement questions, 0..5 (default 1)\n"
    "  --layout NAME    standard (default) or adapted: one sans-serif type at 14 pt,\n"
    "                   lines 1.5 apart, upright x, three more blank lines under each\n"
    "                   question, \"Nom\" and \"Pr\u00e9nom\" on lines of their own\n"
    "  --boxed-results  answer keys: each highlighted result also bold and underlined\n"
    "  --variants N     N different sheets, 1..200 (default 1), drawn one after the\n"
    "                   other as N clicks would: each sheet has its own reference and\n"
    "                   starts on a new page; the answer keys follow in the same order\n"
    "  --markup         print the statement and answer-key markup (Windows-1252),\n"
    "                   sheet after sheet\n"
    "  --rtf            print the two RTF documents, sheet after sheet\n"
    "  --from SAVED     draw again the sheet or set of SAVED, an RTF or PDF file\n"
    "                   saved by VORN (its statement or its answer key), from the\n"
    "                   recipe it carries; no FAMILY nor drawing option with it\n"
    "  -o FILE          save as the window's Save button does: the statement to FILE\n"
    "                   (PDF when FILE ends in .pdf, plain text when it ends in .txt,\n"
    "                   RTF otherwise), the answer key to FILE without its extension\n"
    "                   plus \"_Cor.pdf\" for a PDF, \"_Cor.rtf\" otherwise. A PDF is laid\n"
    "                   out as printing would on the default printer's paper, or on A4\n"
    "                   when no printer is installed; an RTF file states that page\n"
    "\n"
    "Exit status: 0 when the output is written (with -o, when both files are saved,\n"
    "even if their names then cannot be printed), 1 when a file or the standard\n"
    "output cannot be written, 2 for a bad command line or a FILE whose name the\n"
    "file system cannot hold exactly (it must be valid UTF-8), or a SAVED file that\n"
    "cannot be read or carries no recipe.\n";

constexpr std::string_view kProgram = "vorn-sheet: ";

// One line per family: its short name, its caption in the window and, when it
// has several, its levels.
std::string FamilyLines() {
    constexpr std::size_t kNameWidth = 9;
    std::string lines;
    for (const ExerciseFamily& family : ExerciseFamilies()) {
        std::string name(family.shortName);
        name.resize(std::max(name.size() + 1, kNameWidth), ' ');
        lines += "    " + name + std::string(family.caption);
        if (family.LevelCount() > 1)
            lines += " (--level 1 to " + std::to_string(family.LevelCount()) + ")";
        lines += '\n';
    }
    return lines;
}

// The largest saved file --from reads: a set of 200 sheets of 40 questions
// is a few megabytes.
constexpr std::size_t kMaxSavedFileBytes = 20 * 1024 * 1024;

// The recipe of the saved file; an empty recipe and a message on `why` when
// the file cannot give one.
std::optional<SavedRecipe> RecipeOfFile(const std::string& path, std::string& why) {
    const FileRead read = ReadBoundedFile(path, kMaxSavedFileBytes);
    switch (read.status) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::Missing:
        why = "no such file";
        return std::nullopt;
    case FileReadStatus::NotRegular:
        why = "not a regular file";
        return std::nullopt;
    case FileReadStatus::TooLarge:
        why = "larger than 20 MB, not a sheet saved by VORN";
        return std::nullopt;
    case FileReadStatus::Failed:
        why = "cannot be read: " + SystemCause(read.error);
        return std::nullopt;
    }
    if (!IsRtfDocument(read.bytes) && !IsPdfDocument(read.bytes)) {
        why = "neither RTF nor PDF";
        return std::nullopt;
    }
    const std::optional<std::string> text = SavedFileRecipe(read.bytes);
    if (!text) {
        why = "carries no VORN recipe; it cannot be drawn again";
        return std::nullopt;
    }
    try {
        return ParseRecipeText(*text);
    } catch (const UserError& e) {
        why = e.what();
        return std::nullopt;
    }
}

} // namespace

std::uint32_t ClockSeed() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    const auto ofDay = sinceEpoch.count() % duration_cast<milliseconds>(days{1}).count();
    return static_cast<std::uint32_t>(ofDay);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const SheetSaver& save) {
    return Run(args, out, err,
               RecipeSaver([&save](const std::vector<Sheet>& sheets, const std::string& path,
                                   const std::string&) { save(sheets, path); }));
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const RecipeSaver& save) {
    Options options;
    try {
        options = ParseArguments(args);
    } catch (const UsageError& e) {
        err << kProgram << e.what() << '\n' << kUsage << '\n';
        return kExitUsage;
    }
    if (options.help) {
        out << kUsage << "\n\n" << kHelpStart << FamilyLines() << kHelpCompose << kHelpOptions;
        out.flush();
        if (!out) {
            err << kProgram << "cannot write to the standard output\n";
            return kExitFailure;
        }
        return kExitOk;
    }

    SavedRecipe saved{options.recipe, options.settings, {}};
    std::vector<Sheet> sheets;
    if (!options.fromPath.empty()) {
        std::string why;
        std::optional<SavedRecipe> read = RecipeOfFile(options.fromPath, why);
        if (!read) {
            err << kProgram << "--from " << options.fromPath << ": " << why << '\n';
            return kExitUsage;
        }
        saved = std::move(*read);
        sheets = RegenerateSheets(saved);
    } else {
        LcgRandom random(options.seed.value_or(ClockSeed()));
        sheets.reserve(static_cast<std::size_t>(options.variants));
        for (int i = 0; i < options.variants; ++i) {
            saved.seeds.push_back(random.State());
            sheets.push_back(options.recipe.Generate(options.settings, random));
        }
    }

    switch (options.output) {
    case OutputMode::Markup:
        for (const Sheet& sheet : sheets)
            out << sheet.statement << '\n' << sheet.answerKey << '\n';
        break;
    case OutputMode::Rtf:
        for (const Sheet& sheet : sheets)
            out << ConvertMarkupToRtf(sheet.statement, sheet.look) << '\n'
                << ConvertMarkupToRtf(sheet.answerKey, sheet.look) << '\n';
        break;
    case OutputMode::Files: {
        const std::string answerKeyPath = AnswerKeyFileName(options.outputPath);
        try {
            save(sheets, options.outputPath, RecipeText(saved));
        } catch (const FileNameError& e) {
            err << kProgram << e.what() << '\n';
            return kExitUsage;
        } catch (const SaveError& e) {
            // The statement or the answer key: the one that failed.
            err << kProgram << "cannot save " << e.FileName() << ": " << e.what() << '\n';
            return kExitFailure;
        } catch (const UserError& e) {
            err << kProgram << "cannot save " << options.outputPath << ": " << e.what() << '\n';
            return kExitFailure;
        }
        out << options.outputPath << '\n' << answerKeyPath << '\n';
        out.flush();
        // The files are there: a line that cannot be printed does not undo
        // them, and a script that checks the status finds them.
        if (!out)
            err << kProgram
                << "saved, but the file names could not be written to the "
                   "standard output\n";
        return kExitOk;
    }
    }
    out.flush();
    if (!out) {
        err << kProgram << "cannot write to the standard output\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace vorn::sheet_tool
