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

// The expected markup reads as the plain text does: {x} stands for the x.
std::string Markup(std::string_view text) {
    std::string out = test::Win(text);
    for (std::size_t at = out.find("{x}"); at != std::string::npos; at = out.find("{x}", at))
        out.replace(at, 3, "<i>x</i>");
    return out;
}

// The headers of a sheet of that reference and instruction.
std::string Head(std::string_view reference, std::string_view instruction) {
    return Markup("<te=24>" + std::string(reference) + " - <b><u>Calculer</u></b><br><br><br>" +
                  "<ce=noir><te=18>" + std::string(instruction) + "<br><br>");
}

std::string KeyHead(std::string_view reference, std::string_view instruction) {
    return Markup("<te=24>" + std::string(reference) + " - <b><u>Corrigé</u></b> - Calculer" +
                  "<br><br><br><ce=noir><te=18>" + std::string(instruction) + "<br><br>");
}

constexpr std::string_view kLinear = "Résoudre les équations suivantes.";

TEST(LinearEquation, WorkedExampleLevel1) {
    // Question 1: x = 1, a = 2, b = -2 leaves no constant on the right and is
    // drawn again: x = 3, a = 4, b = 2. Question 2: x = -5, a = -1, b = -7:
    // -x = 5 gives x = -5 without a division.
    ScriptedRandom random{{100, 7}, {100, 15}, {100, 42}, {21, 11}, {18, 10}, {24, 10},
                          {21, 13}, {18, 12},  {24, 13},  {21, 5},  {18, 8},  {24, 5}};

    const Sheet sheet = GenerateLinearEquation(ExampleSettings(2), 1, random);

    EXPECT_EQ(sheet.reference, "EQ1-1_071542");
    EXPECT_EQ(sheet.statement,
              Head("EQ1-1_071542", kLinear) + Markup("1°/ <times>4{x} + 2 = 14<arial><br>"
                                                     "<br>----------<br>"
                                                     "2°/ <times>−{x} − 7 = −2<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQ1-1_071542", kLinear) +
                  Markup("1°/ <times>4{x} + 2 = 14<arial><br>"
                         "      <times>4{x} = 14 − 2<arial><br>"
                         "      <times>4{x} = 12<arial><br>"
                         "      <times>{x} = 12/4<arial><br>"
                         "      <times>{x} = 3<arial><br>"
                         "     <times><cf=jaune> S = \\{3\\} <cf=auto><arial><br>"
                         "----------<br>"
                         "2°/ <times>−{x} − 7 = −2<arial><br>"
                         "      <times>−{x} = −2 + 7<arial><br>"
                         "      <times>−{x} = 5<arial><br>"
                         "      <times>{x} = −5<arial><br>"
                         "     <times><cf=jaune> S = \\{−5\\} <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(LinearEquation, WorkedExampleLevel2) {
    // x = 2, a = 3, c = 3 (the same as a, drawn again) then 5, b = 2: d = -2.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(21, {12});
    random.Add(18, {11, 11, 13});
    random.Add(24, {13});

    const Sheet sheet = GenerateLinearEquation(ExampleSettings(1), 2, random);

    EXPECT_EQ(sheet.statement,
              Head("EQ1-2_071542", kLinear) + Markup("1°/ <times>3{x} + 2 = 5{x} − 2<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQ1-2_071542", kLinear) +
                  Markup("1°/ <times>3{x} + 2 = 5{x} − 2<arial><br>"
                         "      <times>3{x} − 5{x} = −2 − 2<arial><br>"
                         "      <times>−2{x} = −4<arial><br>"
                         "      <times>{x} = −4/(−2)<arial><br>"
                         "      <times>{x} = 2<arial><br>"
                         "     <times><cf=jaune> S = \\{2\\} <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(LinearEquation, WorkedExampleLevel3) {
    // a = 3, c = -3, b = 5, d = -1: x = -1, an integer, drawn again. Then
    // a = -3, c = 1, b = 5, d = -1: x = 6/4, written 3/2.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(18, {11, 6});
    random.Add(24, {16, 11});
    random.Add(18, {6, 9});
    random.Add(24, {16, 11});

    const Sheet sheet = GenerateLinearEquation(ExampleSettings(1), 3, random);

    EXPECT_EQ(sheet.statement,
              Head("EQ1-3_071542", kLinear) + Markup("1°/ <times>−3{x} + 5 = {x} − 1<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQ1-3_071542", kLinear) +
                  Markup("1°/ <times>−3{x} + 5 = {x} − 1<arial><br>"
                         "      <times>−3{x} − {x} = −1 − 5<arial><br>"
                         "      <times>−4{x} = −6<arial><br>"
                         "      <times>{x} = −6/(−4)<arial><br>"
                         "      <times>{x} = 3/2<arial><br>"
                         "     <times><cf=jaune> S = \\{3/2\\} <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

constexpr std::string_view kProduct = "Résoudre les équations produit nul suivantes.";
constexpr std::string_view kRule =
    "      Un produit est nul si et seulement si l'un au moins de ses "
    "facteurs est nul.<br>";

TEST(ProductEquation, WorkedExampleLevel1) {
    // b = d = 3 gives one root twice and is drawn again: b = 3, d = -5.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(40, {22, 22, 22, 15});

    const Sheet sheet = GenerateProductEquation(ExampleSettings(1), 1, random);

    EXPECT_EQ(sheet.reference, "EQPROD1_071542");
    EXPECT_EQ(sheet.statement, Head("EQPROD1_071542", kProduct) +
                                   Markup("1°/ <times>({x} + 3)({x} − 5) = 0<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQPROD1_071542", kProduct) +
                  Markup("1°/ <times>({x} + 3)({x} − 5) = 0<arial><br>") + Markup(kRule) +
                  Markup("      <times>{x} + 3 = 0 ou {x} − 5 = 0<arial><br>"
                         "      <times>{x} = −3 ou {x} = 5<arial><br>"
                         "     <times><cf=jaune> S = \\{−3 ; 5\\} <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ProductEquation, WorkedExampleLevel2) {
    // Not the factor x; a = 3, negative, root 3; c = 2, root -2.
    ScriptedRandom random{{100, 7}, {100, 15}, {100, 42}, {6, 3}, {5, 2},
                          {4, 0},   {20, 12},  {5, 1},    {4, 2}, {20, 8}};

    const Sheet sheet = GenerateProductEquation(ExampleSettings(1), 2, random);

    EXPECT_EQ(sheet.statement, Head("EQPROD2_071542", kProduct) +
                                   Markup("1°/ <times>(−3{x} + 9)(2{x} + 4) = 0<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQPROD2_071542", kProduct) +
                  Markup("1°/ <times>(−3{x} + 9)(2{x} + 4) = 0<arial><br>") + Markup(kRule) +
                  Markup("      <times>−3{x} + 9 = 0 ou 2{x} + 4 = 0<arial><br>"
                         "      <times>−3{x} = −9 ou 2{x} = −4<arial><br>"
                         "      <times>{x} = −9/(−3) ou {x} = −4/2<arial><br>"
                         "      <times>{x} = 3 ou {x} = −2<arial><br>"
                         "     <times><cf=jaune> S = \\{−2 ; 3\\} <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ProductEquation, WorkedExampleLevel3) {
    // Question 1: the factor x and 2 x - 6, both roots integers, drawn again:
    // the factor x and 2 x - 5. Question 2: no factor x any more (no draw of
    // it): a = -3, b = 7, c = 5, d = -3.
    ScriptedRandom random{{100, 7}, {100, 15}, {100, 42}, {6, 0}, {8, 0},   {4, 1},
                          {40, 14}, {6, 0},    {8, 0},    {4, 1}, {40, 15}, {8, 1},
                          {4, 0},   {40, 26},  {8, 3},    {4, 3}, {40, 17}};

    const Sheet sheet = GenerateProductEquation(ExampleSettings(2), 3, random);

    EXPECT_EQ(sheet.statement, Head("EQPROD3_071542", kProduct) +
                                   Markup("1°/ <times>{x}(2{x} − 5) = 0<arial><br>"
                                          "<br>----------<br>"
                                          "2°/ <times>(−3{x} + 7)(5{x} − 3) = 0<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              KeyHead("EQPROD3_071542", kProduct) +
                  Markup("1°/ <times>{x}(2{x} − 5) = 0<arial><br>") + Markup(kRule) +
                  Markup("      <times>{x} = 0 ou 2{x} − 5 = 0<arial><br>"
                         "      <times>{x} = 0 ou 2{x} = 5<arial><br>"
                         "      <times>{x} = 0 ou {x} = 5/2<arial><br>"
                         "     <times><cf=jaune> S = \\{0 ; 5/2\\} <cf=auto><arial><br>"
                         "----------<br>"
                         "2°/ <times>(−3{x} + 7)(5{x} − 3) = 0<arial><br>") +
                  Markup(kRule) +
                  Markup("      <times>−3{x} + 7 = 0 ou 5{x} − 3 = 0<arial><br>"
                         "      <times>−3{x} = −7 ou 5{x} = 3<arial><br>"
                         "      <times>{x} = −7/(−3) ou {x} = 3/5<arial><br>"
                         "      <times>{x} = 7/3 ou {x} = 3/5<arial><br>"
                         "     <times><cf=jaune> S = \\{3/5 ; 7/3\\} <cf=auto><arial><br>"));
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
