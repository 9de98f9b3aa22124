#include "exercises/family_table.h"

#include "exercises/families.h"
#include "exercises/worked_family.h"

#include <array>
#include <stdexcept>
#include <string>

namespace vorn {

namespace {

// The first families have a single kind of sheet, and no level captions.
template <Sheet (*Generate)(const SheetSettings&, RandomSource&)>
Sheet SingleLevel(const SheetSettings& settings, int, RandomSource& random) {
    return Generate(settings, random);
}

constexpr std::string_view kReduceLevels[] = {"Niveau 1 : termes en x et constantes",
                                              "Niveau 2 : termes en x², en x et constantes"};
constexpr std::string_view kExpandReduceLevels[] = {
    "Niveau 1 : (ax + b)(cx + d) ± k(ex + f)", "Niveau 2 : (ax + b)(cx + d) ± (ex + f)(gx + h)"};
constexpr std::string_view kFactoriseLevels[] = {"Niveau 1 : facteur commun",
                                                 "Niveau 2 : identités remarquables",
                                                 "Niveau 3 : facteur commun et identités"};
constexpr std::string_view kLinearEquationLevels[] = {
    "Niveau 1 : ax + b = c", "Niveau 2 : ax + b = cx + d", "Niveau 3 : solution fractionnaire"};
constexpr std::string_view kProductEquationLevels[] = {"Niveau 1 : (x + b)(x + d) = 0",
                                                       "Niveau 2 : solutions entières",
                                                       "Niveau 3 : solutions fractionnaires"};

constexpr std::array kFamilies{
    ExerciseFamily{"VN degré 1", "vn1", "VN1_", {}, SingleLevel<GenerateVNdeg1>, true},
    ExerciseFamily{"VN deg 2", "vn2", "VN2-", {}, SingleLevel<GenerateVNdeg2>, true},
    ExerciseFamily{"Développement I", "dev1", "DEV1_", {}, SingleLevel<GenerateDev1>, true},
    ExerciseFamily{"Développement II", "dev2", "DEV2_", {}, SingleLevel<GenerateDev2>, true},
    ExerciseFamily{
        "Développement identités", "ident", "DEV_ident_", {}, SingleLevel<GenerateIdent>, true},
    ExerciseFamily{"Réduire", "red", "RED", kReduceLevels, GenerateReduce, false},
    ExerciseFamily{"Développer et réduire", "devred", "DEVRED", kExpandReduceLevels,
                   GenerateExpandReduce, false},
    ExerciseFamily{"Factoriser", "fact", "FACT", kFactoriseLevels, GenerateFactorise, false},
    ExerciseFamily{"Équation du premier degré", "eq1", "EQ1-", kLinearEquationLevels,
                   GenerateLinearEquation, false},
    ExerciseFamily{"Équation produit nul", "eqprod", "EQPROD", kProductEquationLevels,
                   GenerateProductEquation, false},
};

} // namespace

std::span<const ExerciseFamily> ExerciseFamilies() {
    return kFamilies;
}

const ExerciseFamily* FindFamily(std::string_view shortName) {
    for (const ExerciseFamily& family : kFamilies)
        if (family.shortName == shortName)
            return &family;
    return nullptr;
}

const ExerciseFamily& FamilyNamed(std::string_view shortName) {
    if (const ExerciseFamily* family = FindFamily(shortName))
        return *family;
    throw std::invalid_argument("no exercise family named \"" + std::string(shortName) + "\"");
}

std::string ExerciseFamily::ReferencePrefix(int level) const {
    if (levels.size() <= 1)
        return std::string(referencePrefix);
    return LevelReferencePrefix(referencePrefix, level);
}

std::vector<SheetKind> AllSheetKinds() {
    std::vector<SheetKind> kinds;
    for (const ExerciseFamily& family : kFamilies)
        for (int level = 1; level <= family.LevelCount(); ++level)
            kinds.push_back({&family, level});
    return kinds;
}

Sheet GenerateSheet(const SheetKind& kind, const SheetSettings& settings, RandomSource& random) {
    if (kind.family == nullptr)
        throw std::invalid_argument("no exercise family given");
    if (kind.level < 1 || kind.level > kind.family->LevelCount())
        throw std::out_of_range("level " + std::to_string(kind.level) + " of family \"" +
                                std::string(kind.family->shortName) + "\" is outside 1.." +
                                std::to_string(kind.family->LevelCount()));
    if (settings.questionCount > kMaxQuestionCount)
        throw std::out_of_range("more than " + std::to_string(kMaxQuestionCount) + " questions");
    return kind.family->generate(settings, kind.level, random);
}

} // namespace vorn
