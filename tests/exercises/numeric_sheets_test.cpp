#include "exercises/family_table.h"

#include "markup_text.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vorn {
namespace {

using test::ScriptedRandom;
using test::Spaces;
using test::Win;

SheetSettings ExampleSettings() {
    SheetSettings settings;
    settings.questionCount = 2;
    settings.title = "";
    settings.separatorLength = 5;
    settings.spacingLines = 1;
    return settings;
}

TEST(VNdeg1, WorkedExample) {
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {6, 14});
    random.Add(50, {24, 13});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn1")}, ExampleSettings(), random);

    EXPECT_EQ(sheet.reference, "VN1_071542");
    EXPECT_EQ(sheet.statement,
              Win("<te=24>VN1_071542 - <b><u> </u></b><br><br><br><ce=noir><te=18>") + Spaces(100) +
                  Win("3 <times><te=26><i>x<arial></i><te=18>  - 5    pour<br>-----<br>1°/ "
                      "<i><te=26><times>x</i><te=18><arial> = 4<br><br>-----<br>2°/ "
                      "<i><te=26><times>x</i><te=18><arial> = -7<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>VN1_071542 - <b><u>Corrigé</u></b> - <br><br><br><ce=noir><te=18>") +
                  Spaces(100) +
                  Win("3 <times><te=26><i>x<arial></i><te=18>  - 5    pour<br>-----<br>1°/ "
                      "<i><te=26><times>x</i><te=18><arial> = 4") +
                  Spaces(77) +
                  Win("<tab><tab><cf=jaune> 7 <cf=auto><br>-----<br>2°/ "
                      "<i><te=26><times>x</i><te=18><arial> = -7") +
                  Spaces(77) + Win("<tab><tab><cf=jaune> -26 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(VNdeg1, RedrawsUnitCoefficientsAndRepeatedX) {
    // a: 8, 10 and 9 give 1, -1 and 0, all refused, then 6 gives 3.
    // b: 8 gives 1, refused, then 14 gives -5. Question 2 draws x = 4 again first.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {8, 10, 9, 6, 8, 14});
    random.Add(50, {24, 24, 13});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn1")}, ExampleSettings(), random);

    EXPECT_NE(sheet.statement.find("3 <times><te=26><i>x<arial></i><te=18>  - 5    pour"),
              std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=jaune> 7 <cf=auto>"), std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=jaune> -26 <cf=auto>"), std::string::npos);
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(VNdeg1, AcceptsTheExtremeCoefficients) {
    // 15 gives -6 for a, 0 gives 9 for b; x = 29 then -20.
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    random.Add(16, {15, 0});
    random.Add(50, {49, 0});
    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn1")}, ExampleSettings(), random);
    EXPECT_EQ(sheet.reference, "VN1_000000");
    EXPECT_NE(sheet.statement.find("-6 <times><te=26><i>x<arial></i><te=18>  + 9    pour"),
              std::string::npos);
    // -6 * 29 + 9 = -165 and -6 * -20 + 9 = 129
    EXPECT_NE(sheet.answerKey.find(Win("1°/ <i><te=26><times>x</i><te=18><arial> = 29") +
                                   Spaces(77) + "<tab><tab><cf=jaune> -165 <cf=auto>"),
              std::string::npos);
    EXPECT_NE(sheet.answerKey.find(Win("2°/ <i><te=26><times>x</i><te=18><arial> = -20") +
                                   Spaces(77) + "<tab><tab><cf=jaune> 129 <cf=auto>"),
              std::string::npos);
}

TEST(VNdeg2, WorkedExample) {
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {2, 10, 9});
    random.Add(50, {35, 16});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn2")}, ExampleSettings(), random);

    EXPECT_EQ(sheet.reference, "VN2-071542");
    EXPECT_EQ(sheet.statement,
              Win("<te=24>VN2-071542 - <b><u></u></b><br><br><br><ce=noir><te=18>") + Spaces(100) +
                  Win("7<i> <te=26><times>x</i><te=18><arial><sup>2</sup> - <i> "
                      "<te=26><times>x</i><te=18><arial>  <ce=noir>    pour<br>-----<br>1°/ "
                      "<i><te=26><times> x</i><te=18><arial> = 15<br><br>-----<br>2°/ "
                      "<i><te=26><times> x</i><te=18><arial> = -4<br>"));
    EXPECT_EQ(sheet.answerKey,
              Win("<te=24>VN2-071542 - <b><u>Corrigé</u></b> - <br><br><br><ce=noir><te=18>") +
                  Spaces(100) +
                  Win("7<i> <te=26><times>x</i><te=18><arial><sup>2</sup> - <i> "
                      "<te=26><times>x</i><te=18><arial>  <ce=noir>    pour<br>-----<br>1°/ "
                      "<i><te=26><times> x</i><te=18><arial> = 15") +
                  Spaces(77) +
                  Win("<tab><tab><cf=jaune> 1 560 <cf=auto><br>-----<br>2°/ "
                      "<i><te=26><times> x</i><te=18><arial> = -4") +
                  Spaces(77) + Win("<tab><tab><cf=jaune> 116 <cf=auto><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(VNdeg2, GroupsResultsAndRedrawsOnlyAZero) {
    // a: 9 gives 0 and is drawn again, 15 gives -6; b = 9 (draw 0); c = 0 (draw 9,
    // kept). x = 29: -6*841 + 9*29 = -4785; x = -20: -6*400 - 180 = -2580;
    // x = 1: -6 + 9 = 3.
    SheetSettings settings = ExampleSettings();
    settings.questionCount = 3;
    ScriptedRandom random;
    random.Add(100, {1, 2, 3});
    random.Add(16, {9, 15, 0, 9});
    random.Add(50, {49, 0, 21});

    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn2")}, settings, random);

    EXPECT_EQ(sheet.reference, "VN2-010203");
    EXPECT_NE(sheet.statement.find("-6<i> <te=26><times>x</i><te=18><arial><sup>2</sup> + 9<i> "
                                   "<te=26><times>x</i><te=18><arial>  <ce=noir>    pour"),
              std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=jaune> -4 785 <cf=auto>"), std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=jaune> -2 580 <cf=auto>"), std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=jaune> 3 <cf=auto>"), std::string::npos);
    // x itself is never grouped.
    EXPECT_NE(sheet.statement.find(Win("2°/ <i><te=26><times> x</i><te=18><arial> = -20<br>")),
              std::string::npos);
    EXPECT_EQ(random.Remaining(), 0u);
}

// With the real generator, forty questions use forty distinct values of x in
// -20..29, read back from the question lines.
void ExpectFortyDistinctX(const ExerciseFamily& family, const std::string& questionText) {
    SheetSettings settings;
    settings.questionCount = 40;
    settings.separatorLength = 3;
    settings.spacingLines = 0;
    for (std::uint32_t seed : {0u, 1u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        LcgRandom random(seed);
        const Sheet sheet = GenerateSheet({&family}, settings, random);
        std::set<int> seen;
        for (int i = 1; i <= 40; ++i) {
            const std::string head = "<br>" + std::to_string(i) + questionText;
            const std::size_t at = sheet.statement.find(head);
            ASSERT_NE(at, std::string::npos) << "question " << i;
            const int x = std::stoi(sheet.statement.substr(at + head.size()));
            EXPECT_GE(x, -20);
            EXPECT_LE(x, 29);
            seen.insert(x);
        }
        EXPECT_EQ(seen.size(), 40u) << "seed " << seed;
        EXPECT_EQ(sheet.statement.find("<br>41" + questionText), std::string::npos);
    }
}

TEST(NumericValue, FortyQuestionsUseFortyDistinctValues) {
    ExpectFortyDistinctX(FamilyNamed("vn1"), Win("°/ <i><te=26><times>x</i><te=18><arial> = "));
    ExpectFortyDistinctX(FamilyNamed("vn2"), Win("°/ <i><te=26><times> x</i><te=18><arial> = "));
}

TEST(NumericValue, AnswerKeyHasNoSpacingLines) {
    SheetSettings settings = ExampleSettings();
    settings.spacingLines = 3;
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {6, 14});
    random.Add(50, {24, 13});
    const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("vn1")}, settings, random);
    EXPECT_NE(sheet.statement.find(Win("= 4<br><br><br><br>-----<br>2°/")), std::string::npos);
    EXPECT_NE(sheet.answerKey.find(Win("<cf=auto><br>-----<br>2°/")), std::string::npos);
}

} // namespace
} // namespace vorn
