#include "exercises/composition_text.h"
#include "exercises/saved_recipe.h"
#include "text/user_error.h"

#include <gtest/gtest.h>

namespace {

// Every byte a title may hold, the recipe's own separators among them.
const std::string kOddTitle =
    std::string("Nom : %20 {x} \\ a=b,c <&> \"q\" 'r' \xE9\xB0") + std::string(1, '\x01') + "\xFF";

void ExpectSameSheets(const std::vector<vorn::Sheet>& a, const std::vector<vorn::Sheet>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].reference, b[i].reference);
        EXPECT_EQ(a[i].statement, b[i].statement);
        EXPECT_EQ(a[i].answerKey, b[i].answerKey);
    }
}

// Each sheet as a click after setting the generator to its seed draws it.
std::vector<vorn::Sheet> DrawnFromSeeds(const vorn::SavedRecipe& saved) {
    std::vector<vorn::Sheet> sheets;
    for (const std::uint32_t seed : saved.seeds) {
        vorn::LcgRandom random;
        random.SetState(seed);
        sheets.push_back(saved.recipe.Generate(saved.settings, random));
    }
    return sheets;
}

TEST(SavedRecipe, EveryFamilyAndLevelComesBackAndDrawsTheSameSheets) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " level " + std::to_string(kind.level));
        vorn::SheetSettings settings;
        settings.questionCount = 7;
        settings.title = kOddTitle;
        settings.separatorLength = -3;
        settings.spacingLines = 2;
        const vorn::SavedRecipe saved{kind, settings, {0u, 4294967295u, 12345u}};
        const std::string text = vorn::RecipeText(saved);
        EXPECT_EQ(text.find_first_of("\\{}<>&\n"), std::string::npos) << text;
        const vorn::SavedRecipe read = vorn::ParseRecipeText(text);
        ASSERT_NE(read.recipe.Kind(), nullptr);
        EXPECT_EQ(read.recipe.Kind()->family, kind.family);
        EXPECT_EQ(read.recipe.Kind()->level, kind.level);
        EXPECT_EQ(read.settings.title, kOddTitle);
        EXPECT_EQ(read.seeds, saved.seeds);
        ExpectSameSheets(vorn::RegenerateSheets(read), DrawnFromSeeds(saved));
    }
}

TEST(SavedRecipe, ACompositionComesBackWithItsExercises) {
    const vorn::Composition composition = vorn::ParseComposition("red:2:5 fact:1:6 vn1:1:3");
    const vorn::SavedRecipe saved{composition, vorn::SheetSettings{}, {99u}};
    const vorn::SavedRecipe read = vorn::ParseRecipeText(vorn::RecipeText(saved));
    ASSERT_NE(read.recipe.Composed(), nullptr);
    EXPECT_EQ(*read.recipe.Composed(), composition);
    ExpectSameSheets(vorn::RegenerateSheets(read), DrawnFromSeeds(saved));
}

// An adapted sheet drawn again from its file is adapted, in its font.
TEST(SavedRecipe, TheLookComesBack) {
    vorn::SheetSettings settings;
    settings.look = {vorn::SheetLayout::Adapted, true, "OpenDyslexic 3"};
    const vorn::SavedRecipe saved{vorn::SheetKind{&vorn::FamilyNamed("eq1"), 2}, settings, {7u}};
    const std::string text = vorn::RecipeText(saved);
    EXPECT_NE(text.find(" mise-en-page=adaptee police=OpenDyslexic%203 encadres=1 "),
              std::string::npos)
        << text;
    EXPECT_EQ(vorn::ParseRecipeText(text).settings.look, settings.look);
    ExpectSameSheets(vorn::RegenerateSheets(vorn::ParseRecipeText(text)), DrawnFromSeeds(saved));
}

TEST(SavedRecipe, SeedsOfASetFollowOneAnother) {
    const vorn::SheetRecipe recipe = vorn::SheetKind{&vorn::FamilyNamed("dev2"), 1};
    const vorn::SheetSettings settings;
    vorn::LcgRandom random(777);
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < 4; ++i) {
        expected.push_back(random.State());
        recipe.Generate(settings, random);
    }
    EXPECT_EQ(vorn::SeedsOfDraws(recipe, settings, 777, 4), expected);
}

TEST(SavedRecipe, DamagedRecipesAreRefusedInFrench) {
    const std::string good = vorn::RecipeText(
        {vorn::SheetKind{&vorn::FamilyNamed("vn1"), 1}, vorn::SheetSettings{}, {5u}});
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        std::string said;
    } cases[] = {
        {replaced("RECETTE 1", "RECETTE 2"), "version « 2 »"},
        {replaced("famille=vn1", "famille=zzz"), "famille d'exercices inconnue : « zzz »"},
        {replaced("famille=vn1:1", "composition=zzz:1:3"), "famille d'exercices inconnue"},
        {replaced("famille=vn1:1", "famille=vn1:9"), "niveau"},
        {replaced("questions=20", "questions=41"), "questions=41"},
        {replaced("graines=5", "graines=5,x"), "graine « x »"},
        {replaced("graines=5", "graines=4294967296"), "graine"},
        {replaced("titre=", "titre=%E"), "code %"},
        {good + " autre=1", "« autre » inconnu"},
        {replaced(" graines=5", ""), "graines"},
        {"bonjour", "pas une recette"},
        {replaced(" graines", " mise-en-page=penchee graines"), "mise en page « penchee »"},
        {replaced(" graines", " encadres=2 graines"), "encadres=2"},
        {replaced(" graines", " police=a%7Bb graines"), "police « a%7Bb »"},
    };
    for (const auto& c : cases) {
        try {
            vorn::ParseRecipeText(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const vorn::UserError& error) {
            EXPECT_NE(std::string(error.what()).find(c.said), std::string::npos)
                << c.text << "\n -> " << error.what();
        }
    }
}

} // namespace
