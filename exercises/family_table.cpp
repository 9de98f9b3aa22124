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
                                              "Niveau 2 : termes en x², en x et constantes",
                                              "Niveau 3 : produits (3x × 5x, 3x × (−x²))"};
constexpr std::string_view kExpandReduceLevels[] = {
    "Niveau 1 : (ax + b)(cx + d) ± k(ex + f)", "Niveau 2 : (ax + b)(cx + d) ± (ex + f)(gx + h)",
    "Niveau 3 : avec une identité remarquable"};
constexpr std::string_view kFactoriseLevels[] = {
    "Niveau 1 : facteur commun", "Niveau 2 : identités remarquables",
    "Niveau 3 : facteur commun et identités", "Niveau 4 : une parenthèse en facteur commun",
    "Niveau 5 : a² − b² avec des parenthèses"};
constexpr std::string_view kLinearEquationLevels[] = {
    "Niveau 1 : ax + b = c", "Niveau 2 : ax + b = cx + d", "Niveau 3 : solution fractionnaire",
    "Niveau 4 : avec des parenthèses", "Niveau 5 : avec des fractions"};
constexpr std::string_view kProductEquationLevels[] = {"Niveau 1 : (x + b)(x + d) = 0",
                                                       "Niveau 2 : solutions entières",
                                                       "Niveau 3 : solutions fractionnaires"};

constexpr std::string_view kSquareEquationLevels[] = {
    "Niveau 1 : x² = a (deux solutions, √a, aucune)", "Niveau 2 : ax² + bx = 0 (x en facteur)",
    "Niveau 3 : (ax + b)² = c²", "Niveau 4 : les trois sortes mélangées"};

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
    ExerciseFamily{"Réduire", "red", "RED", kReduceLevels, GenerateReduce, false,
                   "Réduire les expressions suivantes."},
    ExerciseFamily{"Développer et réduire", "devred", "DEVRED", kExpandReduceLevels,
                   GenerateExpandReduce, false, "Développer et réduire les expressions suivantes."},
    ExerciseFamily{"Factoriser", "fact", "FACT", kFactoriseLevels, GenerateFactorise, false,
                   "Factoriser les expressions suivantes."},
    ExerciseFamily{"Équation du premier degré", "eq1", "EQ1-", kLinearEquationLevels,
                   GenerateLinearEquation, false, "Résoudre les équations suivantes."},
    ExerciseFamily{"Équation produit nul", "eqprod", "EQPROD", kProductEquationLevels,
                   GenerateProductEquation, false, "Résoudre les équations produit nul suivantes."},
    ExerciseFamily{"Équations se ramenant à un produit nul", "eqsq", "EQSQ", kSquareEquationLevels,
                   GenerateSquareEquation, false, "Résoudre les équations suivantes."},
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
