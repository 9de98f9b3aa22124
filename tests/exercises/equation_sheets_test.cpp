#include "exercises/families.h"

#include "markup_text.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vorn {
namespace {

using test::ScriptedRandom;

SheetSettings ExampleSettings(int questionCount) {
    SheetSettings settings;
    settings.questionCount = questionCount;
    settings.title = "Calculer";
    settings.separatorLength = 10;
    settings.spacingLines = 1;
    return settings;
}

// The expected markup reads as the plain text does: {x} stands for the x that
// opens a side or a result, {X} for the x of a later term.
std::string Sheet(std::string_view text) {
    std::string out = test::Win(text);
    for (const auto& [mark, markup] : {std::pair{"{x}", "<i><te=26><times>x</i><te=18><arial>"},
                                       std::pair{"{X}", "<i> <te=26><times>x</i><te=18><arial>"}}) {
        for (std::size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at))
            out.replace(at, 3, markup);
    }
    return out;
}

constexpr std::string_view kLinearHead =
    "<te=24>EQ1_071542 - <b><u>Calculer</u></b><br><br><br>"
    "<ce=noir><te=18>Résoudre les équations suivantes.<br><br>";
constexpr std::string_view kLinearKeyHead =
    "<te=24>EQ1_071542 - <b><u>Corrigé</u></b> - Calculer<br><br><br>"
    "<ce=noir><te=18>Résoudre les équations suivantes.<br><br>";

TEST(LinearEquation, WorkedExampleLevel1) {
    // Question 1: x = 1, a = 2, b = -2 leaves no constant on the right and is
    // drawn again: x = 3, a = 4, b = 2. Question 2: x = -5, a = -1, b = -7.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(21, {11});
    random.Add(18, {10});
    random.Add(24, {10});
    random.Add(21, {13});
    random.Add(18, {12});
    random.Add(24, {13});
    random.Add(21, {5});
    random.Add(18, {8});
    random.Add(24, {5});

    const vorn::Sheet sheet = GenerateLinearEquation(ExampleSettings(2), 1, random);

    EXPECT_EQ(sheet.reference, "EQ1_071542");
    EXPECT_EQ(sheet.statement, Sheet(kLinearHead) + Sheet("1°/ 4 {x} + 2 = 14<br>"
                                                          "<br>----------<br>"
                                                          "2°/ -{x} - 7 = -2<br>"));
    EXPECT_EQ(sheet.answerKey,
              Sheet(kLinearKeyHead) + Sheet("1°/ 4 {x} + 2 = 14<br>"
                                            "      4 {x} = 14 - 2<br>"
                                            "      4 {x} = 12<br>"
                                            "      {x} = 12/4<br>"
                                            "      <cf=jaune> {x} = 3 <cf=auto><br>"
                                            "----------<br>"
                                            "2°/ -{x} - 7 = -2<br>"
                                            "      -{x} = -2 + 7<br>"
                                            "      -{x} = 5<br>"
                                            "      {x} = 5/(-1)<br>"
                                            "      <cf=jaune> {x} = -5 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(LinearEquation, WorkedExampleLevel2) {
    // x = 2, a = 3, c = 3 (the same as a, drawn again) then 5, b = 2: d = -2.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(21, {12});
    random.Add(18, {11, 11, 13});
    random.Add(24, {13});

    const vorn::Sheet sheet = GenerateLinearEquation(ExampleSettings(1), 2, random);

    EXPECT_EQ(sheet.statement, Sheet(kLinearHead) + Sheet("1°/ 3 {x} + 2 = 5 {x} - 2<br>"));
    EXPECT_EQ(sheet.answerKey,
              Sheet(kLinearKeyHead) + Sheet("1°/ 3 {x} + 2 = 5 {x} - 2<br>"
                                            "      3 {x} - 5{X} = -2 - 2<br>"
                                            "      -2 {x} = -4<br>"
                                            "      {x} = -4/(-2)<br>"
                                            "      <cf=jaune> {x} = 2 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(LinearEquation, WorkedExampleLevel3) {
    // a = -3, c = 1, b = 5, d = -1: x = 6/4, written 3/2.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(18, {6, 9});
    random.Add(24, {16, 11});

    const vorn::Sheet sheet = GenerateLinearEquation(ExampleSettings(1), 3, random);

    EXPECT_EQ(sheet.statement, Sheet(kLinearHead) + Sheet("1°/ -3 {x} + 5 = {x} - 1<br>"));
    EXPECT_EQ(sheet.answerKey,
              Sheet(kLinearKeyHead) + Sheet("1°/ -3 {x} + 5 = {x} - 1<br>"
                                            "      -3 {x} - {X} = -1 - 5<br>"
                                            "      -4 {x} = -6<br>"
                                            "      {x} = -6/(-4)<br>"
                                            "      <cf=jaune> {x} = 3/2 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

constexpr std::string_view kProductHead =
    "<te=24>EQPROD_071542 - <b><u>Calculer</u></b><br><br><br>"
    "<ce=noir><te=18>Résoudre les équations produit nul suivantes.<br><br>";
constexpr std::string_view kProductKeyHead =
    "<te=24>EQPROD_071542 - <b><u>Corrigé</u></b> - Calculer<br><br><br>"
    "<ce=noir><te=18>Résoudre les équations produit nul suivantes.<br><br>";
constexpr std::string_view kRule =
    "      Un produit est nul si et seulement si l'un au moins de ses "
    "facteurs est nul.<br>";

TEST(ProductEquation, WorkedExampleLevel1) {
    // b = d = 3 gives one root twice and is drawn again: b = 3, d = -5. The
    // roots come out ordered: no line repeats the final one.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(40, {22, 22, 22, 15});

    const vorn::Sheet sheet = GenerateProductEquation(ExampleSettings(1), 1, random);

    EXPECT_EQ(sheet.reference, "EQPROD_071542");
    EXPECT_EQ(sheet.statement, Sheet(kProductHead) + Sheet("1°/ ({x} + 3)({x} - 5) = 0<br>"));
    EXPECT_EQ(sheet.answerKey, Sheet(kProductKeyHead) + Sheet("1°/ ({x} + 3)({x} - 5) = 0<br>") +
                                   Sheet(kRule) +
                                   Sheet("      {x} + 3 = 0 ou {x} - 5 = 0<br>"
                                         "      <cf=jaune> {x} = -3 ou {x} = 5 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ProductEquation, WorkedExampleLevel2) {
    // a = 3, c = 3 (the same, drawn again) then 2; s = -2, t = 1.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(5, {1, 1, 0});
    random.Add(10, {3, 5});

    const vorn::Sheet sheet = GenerateProductEquation(ExampleSettings(1), 2, random);

    EXPECT_EQ(sheet.statement, Sheet(kProductHead) + Sheet("1°/ (3 {x} - 6)(2 {x} + 2) = 0<br>"));
    EXPECT_EQ(sheet.answerKey, Sheet(kProductKeyHead) +
                                   Sheet("1°/ (3 {x} - 6)(2 {x} + 2) = 0<br>") + Sheet(kRule) +
                                   Sheet("      3 {x} - 6 = 0 ou 2 {x} + 2 = 0<br>"
                                         "      3 {x} = 6 ou 2 {x} = -2<br>"
                                         "      {x} = 6/3 ou {x} = -2/2<br>"
                                         "      {x} = 2 ou {x} = -1<br>"
                                         "      <cf=jaune> {x} = -1 ou {x} = 2 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ProductEquation, WorkedExampleLevel3) {
    // a = 6, b = 4, c = 3, d = -8.
    ScriptedRandom random{{100, 7}, {100, 15}, {100, 42}, {8, 4}, {40, 23}, {8, 1}, {40, 12}};

    const vorn::Sheet sheet = GenerateProductEquation(ExampleSettings(1), 3, random);

    EXPECT_EQ(sheet.statement, Sheet(kProductHead) + Sheet("1°/ (6 {x} + 4)(3 {x} - 8) = 0<br>"));
    EXPECT_EQ(sheet.answerKey, Sheet(kProductKeyHead) +
                                   Sheet("1°/ (6 {x} + 4)(3 {x} - 8) = 0<br>") + Sheet(kRule) +
                                   Sheet("      6 {x} + 4 = 0 ou 3 {x} - 8 = 0<br>"
                                         "      6 {x} = -4 ou 3 {x} = 8<br>"
                                         "      {x} = -4/6 ou {x} = 8/3<br>"
                                         "      <cf=jaune> {x} = -2/3 ou {x} = 8/3 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Equations, LevelOutOfRangeIsRefusedBeforeAnyDraw) {
    for (const int level : {0, 4, -1}) {
        ScriptedRandom random;
        EXPECT_THROW(GenerateLinearEquation(ExampleSettings(1), level, random), std::out_of_range);
        EXPECT_THROW(GenerateProductEquation(ExampleSettings(1), level, random), std::out_of_range);
    }
}

} // namespace
} // namespace vorn
