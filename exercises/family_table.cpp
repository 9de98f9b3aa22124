#include "exercises/family_table.h"

#include "exercises/families.h"

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
    ExerciseFamily{"VN degré 1",
                   "vn1",
                   "VN1_",
                   {},
                   SingleLevel<GenerateVNdeg1>,
                   true,
                   "Calculer la valeur de l'expression pour chaque valeur de x."},
    ExerciseFamily{"VN deg 2",
                   "vn2",
                   "VN2-",
                   {},
                   SingleLevel<GenerateVNdeg2>,
                   true,
                   "Calculer la valeur de l'expression pour chaque valeur de x."},
    ExerciseFamily{"Développement I",
                   "dev1",
                   "DEV1_",
                   {},
                   SingleLevel<GenerateDev1>,
                   true,
                   "Développer les expressions suivantes."},
    ExerciseFamily{"Développement II",
                   "dev2",
                   "DEV2_",
                   {},
                   SingleLevel<GenerateDev2>,
                   true,
                   "Développer et réduire les expressions suivantes."},
    ExerciseFamily{"Développement identités",
                   "ident",
                   "DEV_ident_",
                   {},
                   SingleLevel<GenerateIdent>,
                   true,
                   "Développer à l'aide des identités remarquables."},
    ExerciseFamily{"Réduire", "red", "RED_", kReduceLevels, GenerateReduce, false,
                   "Réduire les expressions suivantes."},
    ExerciseFamily{"Développer et réduire", "devred", "DEVRED_", kExpandReduceLevels,
                   GenerateExpandReduce, false, "Développer et réduire les expressions suivantes."},
    ExerciseFamily{"Factoriser", "fact", "FACT_", kFactoriseLevels, GenerateFactorise, false,
                   "Factoriser les expressions suivantes."},
    ExerciseFamily{"Équation du premier degré", "eq1", "EQ1_", kLinearEquationLevels,
                   GenerateLinearEquation, false, "Résoudre les équations suivantes."},
    ExerciseFamily{"Équation produit nul", "eqprod", "EQPROD_", kProductEquationLevels,
                   GenerateProductEquation, false, "Résoudre les équations produit nul suivantes."},
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
