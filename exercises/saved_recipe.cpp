#include "exercises/saved_recipe.h"

#include "exercises/composition_text.h"
#include "text/decimal.h"
#include "text/user_error.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace vorn {

namespace {

constexpr std::string_view kMagic = "VORN-RECETTE";
// Longer titles than this are not typed by anyone; a longer one means a
// damaged file.
constexpr std::size_t kMaxTitleBytes = 4096;

constexpr char kHex[] = "0123456789ABCDEF";

bool KeptAsIs(unsigned char c) {
    return c > 32 && c < 127 && c != '%' && c != '\\' && c != '{' && c != '}' && c != '=' &&
           c != ',' && c != '<' && c != '>' && c != '&' && c != '"' && c != '\'';
}

std::string Encoded(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte)) {
            text += c;
        } else {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        }
    }
    return text;
}

[[noreturn]] void Damaged(std::string_view why) {
    throw UserError("La recette de la feuille est illisible (" + std::string(why) + ").");
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Decoded(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            bytes += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            Damaged("code % incomplet");
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            Damaged("code % incomplet");
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

long long Number(const std::map<std::string_view, std::string_view>& fields, std::string_view key,
                 long long min, long long max) {
    const auto found = fields.find(key);
    if (found == fields.end())
        Damaged("il manque « " + std::string(key) + " »");
    const std::optional<long long> n = ParseDecimalSaturating(found->second);
    if (!n || *n < min || *n > max)
        Damaged("« " + std::string(key) + "=" + std::string(found->second) + " » hors limites");
    return *n;
}

SheetRecipe ReadKind(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const ExerciseFamily* family = FindFamily(name);
    if (family == nullptr)
        throw UserError("La recette nomme une famille d'exercices inconnue : « " +
                        std::string(name) + " ».");
    const std::optional<long long> level = colon == std::string_view::npos
                                               ? std::optional<long long>(1)
                                               : ParseDecimalSaturating(text.substr(colon + 1));
    if (!level || *level < 1 || *level > family->LevelCount())
        Damaged("niveau de « " + std::string(name) + " » hors limites");
    return SheetKind{family, static_cast<int>(*level)};
}

} // namespace

std::string RecipeText(const SavedRecipe& saved) {
    std::string text(kMagic);
    text += ' ' + std::to_string(kRecipeVersion);
    if (const Composition* composition = saved.recipe.Composed()) {
        std::string items;
        for (const ComposedExercise& exercise : composition->exercises)
            items += (items.empty() ? "" : ",") + ExerciseText(exercise);
        text += " composition=" + items;
    } else {
        const SheetKind& kind = *saved.recipe.Kind();
        text +=
            " famille=" + std::string(kind.family->shortName) + ':' + std::to_string(kind.level);
        text += " questions=" + std::to_string(saved.settings.questionCount);
    }
    text += " separateur=" + std::to_string(saved.settings.separatorLength);
    text += " interligne=" + std::to_string(saved.settings.spacingLines);
    // The look is written only when it is not the standard one, so that a
    // standard sheet's recipe reads as before.
    const SheetLook& look = saved.settings.look;
    if (look.Adapted()) {
        text += " mise-en-page=adaptee";
        if (look.adaptedFont != kAdaptedDefaultFont)
            text += " police=" + Encoded(look.adaptedFont);
    }
    if (look.boxedResults)
        text += " encadres=1";
    text += " graines=";
    for (std::size_t i = 0; i < saved.seeds.size(); ++i)
        text += (i > 0 ? "," : "") + std::to_string(saved.seeds[i]);
    text += " titre=" + Encoded(saved.settings.title);
    return text;
}

namespace {

// The look of an adapted sheet or of boxed results; a standard sheet has none
// of these fields.
void ReadLook(const std::map<std::string_view, std::string_view>& fields, SheetLook& look) {
    if (const auto layout = fields.find("mise-en-page"); layout != fields.end()) {
        if (layout->second != "adaptee" && layout->second != "standard")
            Damaged("mise en page « " + std::string(layout->second.substr(0, 20)) + " » inconnue");
        look.layout = layout->second == "adaptee" ? SheetLayout::Adapted : SheetLayout::Standard;
    }
    if (const auto font = fields.find("police"); font != fields.end()) {
        if (font->second.size() > 3 * 64)
            Damaged("police trop longue");
        look.adaptedFont = Decoded(font->second);
        const bool plain =
            !look.adaptedFont.empty() &&
            std::all_of(look.adaptedFont.begin(), look.adaptedFont.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) || c == ' ';
            });
        if (!plain)
            Damaged("police « " + std::string(font->second.substr(0, 40)) + " » illisible");
    }
    if (const auto boxed = fields.find("encadres"); boxed != fields.end()) {
        if (boxed->second != "0" && boxed->second != "1")
            Damaged("encadres=" + std::string(boxed->second.substr(0, 20)));
        look.boxedResults = boxed->second == "1";
    }
}

} // namespace

SavedRecipe ParseRecipeText(std::string_view text) {
    const std::vector<std::string_view> words = Split(text, ' ');
    if (words.size() < 2 || words[0] != kMagic)
        Damaged("ce n'est pas une recette VORN");
    const std::optional<long long> version = ParseDecimalSaturating(words[1]);
    if (!version || *version != kRecipeVersion)
        throw UserError("Cette feuille a été enregistrée avec une recette de version « " +
                        std::string(words[1]) +
                        " », que cette version de VORN ne sait pas lire (elle lit la version " +
                        std::to_string(kRecipeVersion) + ").");
    std::map<std::string_view, std::string_view> fields;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::size_t equals = words[i].find('=');
        if (equals == std::string_view::npos ||
            !fields.emplace(words[i].substr(0, equals), words[i].substr(equals + 1)).second)
            Damaged("« " + std::string(words[i].substr(0, 40)) + " » inattendu");
    }
    static constexpr std::string_view kKnown[] = {
        "famille", "composition", "questions",    "separateur", "interligne",
        "graines", "titre",       "mise-en-page", "police",     "encadres"};
    for (const auto& [key, value] : fields) {
        bool known = false;
        for (const std::string_view name : kKnown)
            known = known || key == name;
        if (!known)
            Damaged("champ « " + std::string(key.substr(0, 40)) + " » inconnu");
    }

    SavedRecipe saved{SheetKind{}, {}, {}};
    const auto family = fields.find("famille");
    const auto composition = fields.find("composition");
    if ((family == fields.end()) == (composition == fields.end()))
        Damaged("il faut une famille ou une composition");
    if (family != fields.end()) {
        saved.recipe = ReadKind(family->second);
        saved.settings.questionCount =
            static_cast<int>(Number(fields, "questions", 1, kMaxQuestionCount));
    } else {
        std::string items(composition->second);
        for (char& c : items)
            if (c == ',')
                c = ' ';
        for (const std::string_view item : Split(composition->second, ','))
            if (FindFamily(item.substr(0, item.find(':'))) == nullptr)
                throw UserError("La recette nomme une famille d'exercices inconnue : « " +
                                std::string(item.substr(0, item.find(':'))) + " ».");
        Composition parsed = ParseComposition(items);
        saved.settings.questionCount = parsed.QuestionCount();
        saved.recipe = std::move(parsed);
    }
    saved.settings.separatorLength =
        static_cast<int>(Number(fields, "separateur", -1000000, kMaxSeparatorLength));
    saved.settings.spacingLines = static_cast<int>(Number(fields, "interligne", 0, 5));
    ReadLook(fields, saved.settings.look);

    const auto seeds = fields.find("graines");
    if (seeds == fields.end() || seeds->second.empty())
        Damaged("il manque « graines »");
    const std::vector<std::string_view> seedTexts = Split(seeds->second, ',');
    if (seedTexts.size() > static_cast<std::size_t>(kMaxSheetSetSize))
        Damaged("trop de sujets");
    for (const std::string_view seed : seedTexts) {
        const std::optional<long long> n = ParseDecimalSaturating(seed);
        if (!n || *n < 0 || *n > 0xFFFFFFFFLL)
            Damaged("graine « " + std::string(seed.substr(0, 20)) + " » hors limites");
        saved.seeds.push_back(static_cast<std::uint32_t>(*n));
    }
    const auto title = fields.find("titre");
    if (title == fields.end())
        Damaged("il manque « titre »");
    if (title->second.size() > 3 * kMaxTitleBytes)
        Damaged("titre trop long");
    saved.settings.title = Decoded(title->second);
    return saved;
}

std::vector<Sheet> RegenerateSheets(const SavedRecipe& saved) {
    std::vector<Sheet> sheets;
    sheets.reserve(saved.seeds.size());
    for (const std::uint32_t seed : saved.seeds) {
        LcgRandom random(seed);
        sheets.push_back(saved.recipe.Generate(saved.settings, random));
    }
    return sheets;
}

std::vector<std::uint32_t> SeedsOfDraws(const SheetRecipe& recipe, const SheetSettings& settings,
                                        std::uint32_t start, int count) {
    std::vector<std::uint32_t> seeds;
    LcgRandom random(start);
    for (int i = 0; i < count; ++i) {
        seeds.push_back(random.State());
        if (i + 1 < count)
            recipe.Generate(settings, random);
    }
    return seeds;
}

} // namespace vorn
