#include "tools/sheet_options.h"

#include "exercises/composition_text.h"
#include "text/cp1252.h"
#include "text/decimal.h"
#include "text/user_error.h"

#include <limits>
#include <span>
#include <utility>

namespace vorn::sheet_tool {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

struct IntegerOption {
    std::string_view name;
    long long min;
    long long max;
    std::string_view range; // how the accepted values are told
};

constexpr IntegerOption kSeed{"--seed", 0, 4294967295LL, "an integer from 0 to 4294967295"};
constexpr IntegerOption kQuestions{"--questions", 1, kMaxQuestionCount, "an integer from 1 to 40"};
// A separator line never grows past kMaxSeparatorLength, so a larger length
// would only be silently cut.
constexpr IntegerOption kSeparator{"--separator", std::numeric_limits<long long>::min(),
                                   kMaxSeparatorLength, "an integer of at most 1000"};
constexpr IntegerOption kSpacing{"--spacing", 0, 5, "an integer from 0 to 5"};
constexpr IntegerOption kVariants{"--variants", 1, kMaxSheetSetSize, "an integer from 1 to 200"};
// Checked against the family's levels once the whole line is read.
constexpr IntegerOption kLevel{"--level", std::numeric_limits<long long>::min(),
                               std::numeric_limits<long long>::max(), "a level of FAMILY, from 1"};

long long ReadInteger(const IntegerOption& option, std::string_view value) {
    const std::optional<long long> n = ParseDecimalSaturating(value);
    if (!n)
        throw UsageError(std::string(option.name) + ": " + Quoted(value) +
                         " is not an integer; expected " + std::string(option.range));
    if (*n < option.min || *n > option.max)
        throw UsageError(std::string(option.name) + ": " + std::string(value) +
                         " is out of range; expected " + std::string(option.range));
    return *n;
}

int ClampToInt(long long n) {
    if (n > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (n < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(n);
}

void SetOutput(Options& options, bool& chosen, OutputMode mode) {
    if (chosen && options.output != mode)
        throw UsageError("--markup, --rtf and -o exclude one another; choose one");
    chosen = true;
    options.output = mode;
}

// "vn1, vn2, ... or eqprod": every family's short name, in table order.
std::string FamilyChoice() {
    const std::span<const ExerciseFamily> families = ExerciseFamilies();
    std::string choice;
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (i > 0)
            choice += i + 1 == families.size() ? " or " : ", ";
        choice += families[i].shortName;
    }
    return choice;
}

} // namespace

std::string DefaultTitle() {
    return "Calculer (en d\xE9taillant)" + std::string(11, ' ') + "Nom :" + std::string(29, ' ') +
           "Pr\xE9nom :";
}

Options ParseArguments(const std::vector<std::string>& args) {
    Options options;
    options.settings.title = DefaultTitle();
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }

    bool familySeen = false;
    SheetKind kind;
    std::optional<Composition> composition;
    bool questionsGiven = false;
    bool outputChosen = false;
    std::optional<std::string_view> levelText;
    long long level = 1;
    // The first option that --from would override, to name it.
    std::string drawOption;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::optional<std::string_view> inlineValue;
        if (arg.starts_with("--"))
            if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }

        const auto takesValue = [&](std::string_view what) -> std::string_view {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= args.size())
                throw UsageError(std::string(arg) + " needs a value: " + std::string(what));
            return args[++i];
        };

        if (arg == "--seed" || arg == "--questions" || arg == "--separator" || arg == "--spacing" ||
            arg == "--variants" || arg == "--level" || arg == "--title")
            if (drawOption.empty())
                drawOption = arg;

        if (arg == "--from") {
            const std::string_view path = takesValue("a file saved by VORN");
            if (path.empty())
                throw UsageError("--from needs a value: a file saved by VORN");
            options.fromPath = path;
        } else if (arg == "--seed") {
            options.seed = static_cast<std::uint32_t>(ReadInteger(kSeed, takesValue(kSeed.range)));
        } else if (arg == "--questions") {
            questionsGiven = true;
            options.settings.questionCount =
                static_cast<int>(ReadInteger(kQuestions, takesValue(kQuestions.range)));
        } else if (arg == "--separator") {
            options.settings.separatorLength =
                ClampToInt(ReadInteger(kSeparator, takesValue(kSeparator.range)));
        } else if (arg == "--spacing") {
            options.settings.spacingLines =
                static_cast<int>(ReadInteger(kSpacing, takesValue(kSpacing.range)));
        } else if (arg == "--layout") {
            const std::string_view name = takesValue("standard or adapted");
            if (name == "standard")
                options.settings.look.layout = SheetLayout::Standard;
            else if (name == "adapted")
                options.settings.look.layout = SheetLayout::Adapted;
            else
                throw UsageError("--layout: " + Quoted(name) + " is not standard or adapted");
        } else if (arg == "--boxed-results" && !inlineValue) {
            options.settings.look.boxedResults = true;
        } else if (arg == "--variants") {
            options.variants =
                static_cast<int>(ReadInteger(kVariants, takesValue(kVariants.range)));
        } else if (arg == "--level") {
            levelText = takesValue("a level number, from 1");
            level = ReadInteger(kLevel, *levelText);
        } else if (arg == "--title") {
            options.settings.title = Utf8ToCp1252Referenced(takesValue("any text"));
        } else if (arg == "--markup" && !inlineValue) {
            SetOutput(options, outputChosen, OutputMode::Markup);
        } else if (arg == "--rtf" && !inlineValue) {
            SetOutput(options, outputChosen, OutputMode::Rtf);
        } else if (arg == "-o") {
            const std::string_view path = takesValue("a file name");
            if (path.empty())
                throw UsageError("-o needs a value: a file name");
            // "-o --markup" is a forgotten file name far more often than a
            // wish for a file named "--markup", which "./--markup" still gives.
            if (path.starts_with("-"))
                throw UsageError("-o: " + Quoted(path) +
                                 " looks like an option, not a file name; write ./" +
                                 std::string(path) + " for a file of that name");
            SetOutput(options, outputChosen, OutputMode::Files);
            options.outputPath = path;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            throw UsageError("unknown option " + Quoted(args[i]) +
                             "; accepted: --seed, --questions, --title, --separator, --spacing, "
                             "--layout, --boxed-results, --variants, --level, --from, --markup, "
                             "--rtf, -o, --help");
        } else if (composition) {
            try {
                composition->exercises.push_back(ParseExercise(arg));
            } catch (const UserError& e) {
                throw UsageError(e.what());
            }
        } else if (familySeen) {
            throw UsageError("unexpected argument " + Quoted(arg) + "; only one FAMILY is taken");
        } else if (arg == "compose") {
            composition.emplace();
            familySeen = true;
        } else {
            kind.family = FindFamily(arg);
            if (kind.family == nullptr)
                throw UsageError("unknown FAMILY " + Quoted(arg) + "; expected " + FamilyChoice());
            familySeen = true;
        }
    }
    if (!options.fromPath.empty()) {
        // The file holds the whole recipe: nothing else may say otherwise.
        if (familySeen)
            throw UsageError("--from takes the sheet from its file; no FAMILY or compose with it");
        if (!drawOption.empty())
            throw UsageError("--from takes the sheet from its file; " + drawOption +
                             " does not go with it");
        if (!outputChosen)
            throw UsageError("missing output; choose one of --markup, --rtf or -o FILE");
        return options;
    }
    if (!familySeen)
        throw UsageError("missing FAMILY; expected " + FamilyChoice());
    if (composition) {
        // Each exercise names its own level and count.
        if (levelText)
            throw UsageError("--level does not go with compose; each FAMILY:LEVEL:COUNT gives "
                             "its level");
        if (questionsGiven)
            throw UsageError("--questions does not go with compose; each FAMILY:LEVEL:COUNT "
                             "gives its count");
        if (std::string problem = CompositionProblem(*composition); !problem.empty())
            throw UsageError(problem);
        options.recipe = std::move(*composition);
        if (!outputChosen)
            throw UsageError("missing output; choose one of --markup, --rtf or -o FILE");
        return options;
    }
    const int levelCount = kind.family->LevelCount();
    if (level < 1 || level > levelCount)
        throw UsageError("--level: " + std::string(*levelText) + " is out of range; " +
                         std::string(kind.family->shortName) + " has " +
                         (levelCount == 1 ? std::string("only level 1")
                                          : "levels 1 to " + std::to_string(levelCount)));
    kind.level = static_cast<int>(level);
    options.recipe = kind;
    if (!outputChosen)
        throw UsageError("missing output; choose one of --markup, --rtf or -o FILE");
    return options;
}

} // namespace vorn::sheet_tool
