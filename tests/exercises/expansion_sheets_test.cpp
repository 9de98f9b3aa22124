#include "exercises/family_table.h"

#include "markup_text.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <string>

namespace vorn {
namespace {

using test::ScriptedRandom;
using test::Win;

SheetSettings ExampleSettings() {
    SheetSettings settings;
    settings.questionCount = 2;
    settings.title = "Calculer";
    settings.separatorLength = 10;
    settings.spacingLines = 1;
    return settings;
}

TEST(Dev1, WorkedExample) {
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {12, 7, 4, 10, 5, 8});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev1")}, ExampleSettings(), random);

    EXPECT_EQ(sheet.reference, "DEV1_071542");
    EXPECT_EQ(sheet.statement,
              Win("<te=24>DEV1_071542 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                  "1°/ -3 <te=26><times><i>x<arial></i><te=18>(2<te=26><times><i> "
                  "x<te=18><arial></i>  + 5)<br>"
                  "<br>----------<br>"
                  "2°/ - <te=26><times><i>x<arial></i><te=18>(4<te=26><times><i> "
                  "x<te=18><arial></i>  + 1)<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>DEV1_071542 - <b><u>Corrigé</u></b> - "
                  "Calculer<br><br><br><ce=noir><te=18>"
                  "1°/ -3 <te=26><times><i>x<te=18><arial></i>(2 "
                  "<te=26><times><i>x<te=18><arial></i>  + 5)<tab><tab><tab><cf=jaune> -6<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> - 15<i> <te=26><times> "
                  "x</i><te=18><arial> <cf=auto><br>"
                  "----------<br>"
                  "2°/ - <te=26><times><i>x<te=18><arial></i>(4 "
                  "<te=26><times><i>x<te=18><arial></i>  + 1)<tab><tab><tab><cf=jaune> -4<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> - 1<i> <te=26><times> "
                  "x</i><te=18><arial> <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Dev1, UnitCoefficientsAndZeroRedraw) {
    // a: 9 (zero, drawn again) then 8 gives 1; b: 10 gives -1; c: 15 gives -6.
    // a·b = -1, a·c = -6.
    SheetSettings settings = ExampleSettings();
    settings.questionCount = 1;
    ScriptedRandom random;
    random.Add(100, {0, 0, 1});
    random.Add(16, {9, 8, 10, 15});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev1")}, settings, random);

    EXPECT_EQ(sheet.statement,
              Win("<te=24>DEV1_000001 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                  "1°/  <te=26><times><i>x<arial></i><te=18>(-<te=26><times><i> "
                  "x<te=18><arial></i>  - 6)<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>DEV1_000001 - <b><u>Corrigé</u></b> - "
                  "Calculer<br><br><br><ce=noir><te=18>"
                  "1°/  <te=26><times><i>x<te=18><arial></i>(- "
                  "<te=26><times><i>x<te=18><arial></i>  - 6)<tab><tab><tab><cf=jaune> -<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> - 6<i> <te=26><times> "
                  "x</i><te=18><arial> <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Dev2, WorkedExample) {
    ScriptedRandom random;
    random.Add(100, {30, 9, 18});
    random.Add(16, {7, 12, 8, 4, 10, 7, 8, 7});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev2")}, ExampleSettings(), random);

    EXPECT_EQ(sheet.reference, "DEV2_300918");
    EXPECT_EQ(sheet.statement,
              Win("<te=24>DEV2_300918 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                  "1°/ (2 <te=26><times><i>x<te=18><arial></i> - 3)( "
                  "<te=26><times><i>x<te=18><arial></i>  + 5)<br>"
                  "<br>----------<br>"
                  "2°/ (- <te=26><times><i>x<te=18><arial></i> + 2)( "
                  "<te=26><times><i>x<te=18><arial></i>  + 2)<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>DEV2_300918 - <b><u>Corrigé</u></b> - "
                  "Calculer<br><br><br><ce=noir><te=18>"
                  "1°/ (2 <te=26><times><i>x<te=18><arial></i> - 3)( "
                  "<te=26><times><i>x<te=18><arial></i>  + 5)<tab><tab><tab><cf=jaune> 2<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> + 7<i> "
                  "<te=26><times>x</i><te=18><arial> - 15 <cf=auto><br>"
                  "----------<br>"
                  "2°/ (- <te=26><times><i>x<te=18><arial></i> + 2)( "
                  "<te=26><times><i>x<te=18><arial></i>  + 2)<tab><tab><tab><cf=jaune> -<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup>  + 4 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Dev2, UnitXCoefficientAndRedraws) {
    // a = 1 (8), b = -2 (11), c: 9 gives 0 and is drawn again, 6 gives 3,
    // d = 7 (2): a·c = 3, a·d + b·c = 7 - 6 = 1, b·d = -14.
    SheetSettings settings = ExampleSettings();
    settings.questionCount = 1;
    ScriptedRandom random;
    random.Add(100, {99, 98, 97});
    random.Add(16, {8, 11, 9, 6, 2});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev2")}, settings, random);

    EXPECT_EQ(sheet.reference, "DEV2_999897");
    // The x coefficient 1 keeps its sign but loses its digit.
    EXPECT_EQ(sheet.answerKey.substr(sheet.answerKey.find(Win("1°/"))),
              Win("1°/ ( <te=26><times><i>x<te=18><arial></i> - 2)(3 "
                  "<te=26><times><i>x<te=18><arial></i>  + 7)<tab><tab><tab><cf=jaune> 3<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> + <i> "
                  "<te=26><times>x</i><te=18><arial> - 14 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Ident, WorkedExample) {
    ScriptedRandom random;
    random.Add(100, {55, 40, 3});
    random.Add(20, {2});
    random.Add(36, {24});
    random.Add(3, {0});
    random.Add(20, {0});
    random.Add(36, {25});
    random.Add(3, {2});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("ident")}, ExampleSettings(), random);

    EXPECT_EQ(sheet.reference, "DEV_ident_554003");
    EXPECT_EQ(sheet.statement,
              Win("<te=24>DEV_ident_554003 - "
                  "<b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                  "1°/ (3 <te=26><times><i>x<te=18><arial></i> - 4)<sup>2</sup><br>"
                  "<br>----------<br>"
                  "2°/ ( <te=26><times><i>x<te=18><arial></i> +  5)( "
                  "<te=26><times><i>x<te=18><arial></i> -  5)<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>DEV_ident_554003 - <b><u>Corrigé</u></b> - "
                  "Calculer<br><br><br><ce=noir><te=18>"
                  "1°/ (3 <te=26><times><i>x<te=18><arial></i> - "
                  "4)<sup>2</sup><tab><tab><tab><cf=jaune> 9<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> - 24<i> "
                  "<te=26><times>x</i><te=18><arial> + 16 <cf=auto><br>"
                  "----------<br>"
                  "2°/ ( <te=26><times><i>x<te=18><arial></i> +  5)( "
                  "<te=26><times><i>x<te=18><arial></i>  -  5)<tab><tab><tab><cf=jaune> <i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup>  - 25 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Ident, SquareOfASumAndZeroRedraw) {
    // f = 20 (19); g: 20 gives 0 and is drawn again, 0 gives 20; kind 1 is a
    // square: 400 x² + 800 x + 400.
    SheetSettings settings = ExampleSettings();
    settings.questionCount = 1;
    ScriptedRandom random;
    random.Add(100, {1, 1, 1});
    random.Add(20, {19});
    random.Add(36, {20, 0});
    random.Add(3, {1});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("ident")}, settings, random);

    EXPECT_EQ(sheet.statement.substr(sheet.statement.find(Win("1°/"))),
              Win("1°/ (20 <te=26><times><i>x<te=18><arial></i> + 20)<sup>2</sup><br>"));
    EXPECT_EQ(sheet.answerKey.substr(sheet.answerKey.find(Win("1°/"))),
              Win("1°/ (20 <te=26><times><i>x<te=18><arial></i> + "
                  "20)<sup>2</sup><tab><tab><tab><cf=jaune> 400<i> "
                  "<te=26><times>x</i><te=18><arial><sup>2</sup> + 800<i> "
                  "<te=26><times>x</i><te=18><arial> + 400 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Ident, ProductIgnoresTheSignOfG) {
    // f = 2 (1) and kind 2, once with g = -15 (35) and once with g = 15 (5).
    SheetSettings settings = ExampleSettings();
    settings.questionCount = 1;
    std::string texts[2];
    int k = 0;
    for (int gDraw : {35, 5}) {
        ScriptedRandom random;
        random.Add(100, {0, 0, 0});
        random.Add(20, {1});
        random.Add(36, {gDraw});
        random.Add(3, {2});
        const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("ident")}, settings, random);
        texts[k++] = sheet.answerKey;
        EXPECT_EQ(random.Remaining(), 0u);
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_NE(texts[0].find(Win("1°/ (2 <te=26><times><i>x<te=18><arial></i> +  15)(2 "
                                "<te=26><times><i>x<te=18><arial></i>  -  "
                                "15)<tab><tab><tab><cf=jaune> 4<i> "
                                "<te=26><times>x</i><te=18><arial><sup>2</sup>  - 225 "
                                "<cf=auto><br>")),
              std::string::npos);
}

} // namespace
} // namespace vorn
