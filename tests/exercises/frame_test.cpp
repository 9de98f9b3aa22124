#include "exercises/adapted_copies.h"
#include "exercises/family_table.h"

#include "markup_text.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vorn {
namespace {

using test::ScriptedRandom;
using test::Spaces;
using test::Win;

// One Dev2 question drawn as in the first question of its worked example:
// (2x - 3)(x + 5).
void AddDev2Question(ScriptedRandom& random) {
    random.Add(16, {7, 12, 8, 4});
}

const char* const kDev2Statement = "1°/ (2 <te=26><times><i>x<te=18><arial></i> - 3)( "
                                   "<te=26><times><i>x<te=18><arial></i>  + 5)<br>";

SheetSettings Settings(int count, const std::string& title, int separator, int spacing) {
    SheetSettings settings;
    settings.questionCount = count;
    settings.title = title;
    settings.separatorLength = separator;
    settings.spacingLines = spacing;
    return settings;
}

TEST(Frame, CountAboveFortyIsRefusedBeforeAnyDraw) {
    for (const SheetKind& kind : AllSheetKinds()) {
        for (int count : {41, 1000, 2147483647}) {
            ScriptedRandom random; // any draw fails the test
            EXPECT_THROW(GenerateSheet(kind, Settings(count, "T", 5, 1), random),
                         std::out_of_range);
        }
    }
}

TEST(Frame, FortyQuestionsAreAccepted) {
    for (const SheetKind& kind : AllSheetKinds()) {
        LcgRandom random(42);
        const Sheet sheet = GenerateSheet(kind, Settings(40, "T", 2, 0), random);
        EXPECT_NE(sheet.statement.find(Win("40°/")), std::string::npos);
        EXPECT_NE(sheet.answerKey.find(Win("40°/")), std::string::npos);
    }
}

TEST(Frame, CountOfZeroOrLessBuildsTheHeadersOnly) {
    for (int count : {0, -1, -2147483647 - 1}) {
        // The expansion headers end where the first question would start.
        ScriptedRandom random;
        random.Add(100, {30, 9, 18});
        const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev2")},
                                          Settings(count, "Calculer", 10, 1), random);
        EXPECT_EQ(sheet.statement, "<te=24>DEV2_300918 - "
                                   "<b><u>Calculer</u></b><br><br><br><ce=noir><te=18>");
        EXPECT_EQ(sheet.answerKey, Win("<te=24>DEV2_300918 - <b><u>Corrigé</u></b> - "
                                       "Calculer<br><br><br><ce=noir><te=18>"));
        EXPECT_EQ(random.Remaining(), 0u);
    }
    // The numeric-value families still draw their coefficients, and their
    // headers still end with the separator line.
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {6, 14});
    const Sheet sheet =
        GenerateSheet(SheetKind{&FamilyNamed("vn1")}, Settings(0, "", 5, 1), random);
    EXPECT_EQ(sheet.statement, "<te=24>VN1_071542 - <b><u> </u></b><br><br><br><ce=noir><te=18>" +
                                   Spaces(100) +
                                   "3 <times><te=26><i>x<arial></i><te=18>  - 5    pour<br>-----");
    EXPECT_EQ(random.Remaining(), 0u);
}

// RTF reads "\", "{" and "}" as syntax: in a title each gets the backslash
// that makes it a character; the markup reads "<" as a tag, so it comes as
// "<lt>". Characters the title's code page lacks come as
// references and reach RTF as its Unicode escapes; anything that only looks
// like a reference, and everything else, stays as typed.
TEST(Frame, TheTitleReachesTheMarkupAsTyped) {
    const struct {
        const char* title;
        const char* markup;
    } cases[] = {
        {"Classe {\\*\\x groupe B", "Classe \\{\\\\*\\\\x groupe B"},
        {"Titre {a} \\par b", "Titre \\{a\\} \\\\par b"},
        {"<b>n\xB0 3</b>", "<lt>b>n\xB0 3<lt>/b>"},
        {"In\xE9quations : x < 3 et x > 1", "In\xE9quations : x <lt> 3 et x > 1"},
        {"a<b>c &#60;", "a<lt>b>c <lt>"},
        {"Classe &#8804; &#8730; &#128512;{", "Classe \\u8804? \\u8730? \\u-10179?\\u-8704?\\{"},
        {"&#38;#65; &#233;&#92; &#65533;", "&#65; \xE9\\\\ \\u-3?"},
        {"&#; &#12 &#55296; &#31; &#1114112;", "&#; &#12 &#55296; &#31; &#1114112;"},
    };
    for (const auto& c : cases) {
        ScriptedRandom random;
        random.Add(100, {30, 9, 18});
        const Sheet sheet =
            GenerateSheet(SheetKind{&FamilyNamed("dev2")}, Settings(0, c.title, 10, 1), random);
        EXPECT_EQ(sheet.statement, std::string("<te=24>DEV2_300918 - <b><u>") + c.markup +
                                       "</u></b><br><br><br><ce=noir><te=18>");
        EXPECT_EQ(sheet.answerKey, Win("<te=24>DEV2_300918 - <b><u>Corrigé</u></b> - ") + c.markup +
                                       "<br><br><br><ce=noir><te=18>");
    }
}

TEST(Frame, OneQuestionHasNoGap) {
    ScriptedRandom random;
    random.Add(100, {30, 9, 18});
    AddDev2Question(random);
    const Sheet sheet =
        GenerateSheet(SheetKind{&FamilyNamed("dev2")}, Settings(1, "Calculer", 10, 3), random);
    EXPECT_EQ(sheet.statement,
              Win(std::string("<te=24>DEV2_300918 - "
                              "<b><u>Calculer</u></b><br><br><br><ce=noir><te=18>") +
                  kDev2Statement));
    EXPECT_EQ(sheet.answerKey.find("----------"), std::string::npos);
    EXPECT_EQ(sheet.answerKey.rfind("<br>"), sheet.answerKey.size() - 4);
}

TEST(Frame, ExpansionGapsWithoutSpacingOrSeparator) {
    // spacing 0: the gap is the separator and "<br>"; separator 0 as well:
    // the "<br>" remains alone.
    struct Case {
        int separator;
        int spacing;
        std::string statementGap;
        std::string answerGap;
    };
    const Case cases[] = {
        {10, 0, "----------<br>", "----------<br>"},
        {0, 0, "<br>", "<br>"},
        {0, 2, "<br><br><br>", "<br>"},
        {-5, 1, "<br><br>", "<br>"},
    };
    for (const Case& c : cases) {
        ScriptedRandom random;
        random.Add(100, {0, 0, 0});
        AddDev2Question(random);
        AddDev2Question(random);
        const Sheet sheet = GenerateSheet(SheetKind{&FamilyNamed("dev2")},
                                          Settings(2, "", c.separator, c.spacing), random);
        const std::string line = Win(kDev2Statement);
        EXPECT_NE(sheet.statement.find(line + c.statementGap + Win("2°/")), std::string::npos)
            << c.separator << " " << c.spacing;
        EXPECT_NE(sheet.answerKey.find("<cf=auto><br>" + c.answerGap + Win("2°/")),
                  std::string::npos)
            << c.separator << " " << c.spacing;
    }
}

TEST(Frame, NumericGapsWithoutSpacingOrSeparator) {
    ScriptedRandom random;
    random.Add(100, {7, 15, 42});
    random.Add(16, {6, 14});
    random.Add(50, {24, 13});
    const Sheet sheet =
        GenerateSheet(SheetKind{&FamilyNamed("vn1")}, Settings(2, "", 0, 0), random);
    EXPECT_NE(sheet.statement.find("    pour<br><br>1"), std::string::npos);
    EXPECT_NE(sheet.statement.find("= 4<br><br>2"), std::string::npos);
    EXPECT_NE(sheet.answerKey.find("<cf=auto><br><br>2"), std::string::npos);
}

TEST(Frame, HugeSeparatorIsCapped) {
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    AddDev2Question(random);
    AddDev2Question(random);
    const Sheet sheet =
        GenerateSheet(SheetKind{&FamilyNamed("dev2")}, Settings(2, "", 2000000000, 0), random);
    const std::string gap = "<br>" + std::string(1000, '-') + "<br>";
    EXPECT_NE(sheet.statement.find(gap), std::string::npos);
    EXPECT_EQ(sheet.statement.find(std::string(1001, '-')), std::string::npos);
    EXPECT_LT(sheet.statement.size(), 2000u);
}

TEST(AdaptedCopies, KeepTheirShareOfQuestionsRoundedAndAtLeastOne) {
    const struct {
        int count, kept, of, expected;
    } cases[] = {{20, 2, 3, 13}, {40, 2, 3, 27}, {3, 1, 2, 2}, {1, 2, 3, 1},
                 {2, 1, 4, 1},   {12, 3, 4, 9},  {7, 1, 1, 7}, {0, 2, 3, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(KeptQuestions(c.count, {c.kept, c.of}), c.expected)
            << c.count << " x " << c.kept << "/" << c.of;
}

} // namespace
} // namespace vorn
