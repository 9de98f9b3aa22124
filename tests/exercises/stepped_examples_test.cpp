#include "exercises/families.h"

#include "markup_text.h"
#include "scripted_random.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vorn {
namespace {

using test::ScriptedRandom;

// Expected markup with "@" standing for the x markup.
std::string M(std::string_view text) {
    std::string out;
    for (const char c : test::Win(text))
        out += c == '@' ? std::string("<i>x</i>") : std::string(1, c);
    return out;
}

SheetSettings Settings(int count) {
    SheetSettings settings;
    settings.questionCount = count;
    settings.title = "Calculer";
    settings.separatorLength = 10;
    settings.spacingLines = 1;
    return settings;
}

// Everything from the first question on.
std::string Questions(const std::string& markup) {
    return markup.substr(markup.find(test::Win("1°/")));
}

TEST(Reduce, WorkedExampleLevel1) {
    ScriptedRandom random;
    random.Add(100, {12, 34, 56});
    // 3 x and -3 x cancel and are drawn again: x and -7 x; then -5 and 8.
    random.Add(18, {11, 6, 9, 2, 4, 16});
    random.Add(4, {0});
    random.Add(3, {2});
    random.Add(2, {1});
    // -x, 4 x, 2, 2; the first shuffle leaves them grouped and is drawn again.
    random.Add(18, {8, 12, 10, 10});
    random.Add(4, {3});
    random.Add(3, {2});
    random.Add(2, {0});
    random.Add(4, {1});
    random.Add(3, {0});
    random.Add(2, {1});

    const Sheet sheet = GenerateReduce(Settings(2), 1, random);

    EXPECT_EQ(sheet.reference, "RED1_123456");
    EXPECT_EQ(sheet.statement,
              M("<te=24>RED1_123456 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                "Réduire les expressions suivantes.<br><br>"
                "1°/ <times>8 − 7@ − 5 + @<arial><br>"
                "<br>----------<br>"
                "2°/ <times>2 + 2 + 4@ − @<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              M("<te=24>RED1_123456 - <b><u>Corrigé</u></b> - Calculer<br><br><br><ce=noir><te=18>"
                "Réduire les expressions suivantes.<br><br>"
                "1°/ <times>8 − 7@ − 5 + @<arial><br>"
                "      <times>= −7@ + @ + 8 − 5<arial><br>"
                "      <times>=<cf=jaune> −6@ + 3 <cf=auto><arial><br>"
                "----------<br>"
                "2°/ <times>2 + 2 + 4@ − @<arial><br>"
                "      <times>= 4@ − @ + 2 + 2<arial><br>"
                "      <times>=<cf=jaune> 3@ + 4 <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Reduce, WorkedExampleLevel2) {
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    // 2 x², -9 x², -x, -x, 6, -5, shuffled into -5, -9 x², 6, -x, -x, 2 x².
    random.Add(18, {10, 0, 8, 8, 14, 4});
    random.Add(6, {0});
    random.Add(5, {2});
    random.Add(4, {3});
    random.Add(3, {2});
    random.Add(2, {1});

    const Sheet sheet = GenerateReduce(Settings(1), 2, random);

    EXPECT_EQ(Questions(sheet.statement),
              M("1°/ <times>−5 − 9@<sup>2</sup> + 6 − @ − @ + 2@<sup>2</sup><arial><br>"));
    EXPECT_EQ(Questions(sheet.answerKey),
              M("1°/ <times>−5 − 9@<sup>2</sup> + 6 − @ − @ + 2@<sup>2</sup><arial><br>"
                "      <times>= −9@<sup>2</sup> + 2@<sup>2</sup> − @ − @ − 5 + 6<arial><br>"
                "      <times>=<cf=jaune> −7@<sup>2</sup> − 2@ + 1 <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ExpandReduce, WorkedExampleLevel1) {
    ScriptedRandom random;
    random.Add(100, {99, 1, 5});
    // (2 x - 3)(x + 5) - 3(x - 2)
    random.Add(18, {10, 6, 9, 13});
    random.Add(2, {1});
    random.Add(8, {1});
    random.Add(18, {9, 7});

    const Sheet sheet = GenerateExpandReduce(Settings(1), 1, random);

    EXPECT_EQ(sheet.statement,
              M("<te=24>DEVRED1_990105 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                "Développer et réduire les expressions suivantes.<br><br>"
                "1°/ <times>(2@ − 3)(@ + 5) − 3(@ − 2)<arial><br>"));
    EXPECT_EQ(
        sheet.answerKey,
        M("<te=24>DEVRED1_990105 - <b><u>Corrigé</u></b> - Calculer<br><br><br><ce=noir><te=18>"
          "Développer et réduire les expressions suivantes.<br><br>"
          "1°/ <times>(2@ − 3)(@ + 5) − 3(@ − 2)<arial><br>"
          "      <times>= (2@ × @ + 2@ × 5 + (−3) × @ + (−3) × 5) − (3 × @ + 3 × (−2))<arial><br>"
          "      <times>= 2@<sup>2</sup> + 10@ − 3@ − 15 − (3@ − 6)<arial><br>"
          "      <times>= 2@<sup>2</sup> + 7@ − 15 − (3@ − 6)<arial><br>"
          "      <times>= 2@<sup>2</sup> + 7@ − 15 − 3@ + 6<arial><br>"
          "      <times>=<cf=jaune> 2@<sup>2</sup> + 4@ − 9 <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(ExpandReduce, WorkedExampleLevel2AfterTwoExcludedDraws) {
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    // (x + 1)(x + 2) + (x + 1)(x + 2): the same product twice.
    random.Add(18, {9, 9, 9, 10});
    random.Add(2, {0});
    random.Add(18, {9, 9, 9, 10});
    // (x + 1)(x + 2) - (x - 1)(x + 4) = 6: no x left.
    random.Add(18, {9, 9, 9, 10});
    random.Add(2, {1});
    random.Add(18, {9, 8, 9, 12});
    // (-x + 4)(3 x - 2) - (2 x - 1)(-x + 5)
    random.Add(18, {8, 12, 11, 7});
    random.Add(2, {1});
    random.Add(18, {10, 8, 8, 13});

    const Sheet sheet = GenerateExpandReduce(Settings(1), 2, random);

    EXPECT_EQ(Questions(sheet.statement),
              M("1°/ <times>(−@ + 4)(3@ − 2) − (2@ − 1)(−@ + 5)<arial><br>"));
    EXPECT_EQ(Questions(sheet.answerKey),
              M("1°/ <times>(−@ + 4)(3@ − 2) − (2@ − 1)(−@ + 5)<arial><br>"
                "      <times>= ((−@) × 3@ + (−@) × (−2) + 4 × 3@ + 4 × (−2)) − "
                "(2@ × (−@) + 2@ × 5 + (−1) × (−@) + (−1) × 5)<arial><br>"
                "      <times>= −3@<sup>2</sup> + 2@ + 12@ − 8 − (−2@<sup>2</sup> + 10@ + @ − "
                "5)<arial><br>"
                "      <times>= −3@<sup>2</sup> + 14@ − 8 − (−2@<sup>2</sup> + 11@ − 5)<arial><br>"
                "      <times>= −3@<sup>2</sup> + 14@ − 8 + 2@<sup>2</sup> − 11@ + 5<arial><br>"
                "      <times>=<cf=jaune> −@<sup>2</sup> + 3@ − 3 <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Factorise, WorkedExampleLevel1) {
    ScriptedRandom random;
    random.Add(100, {3, 20, 7});
    // A common number: k = 6, positive; n = 4, m = 6 share 2 and are drawn
    // again: 2, 3; "+".
    random.Add(2, {0});
    random.Add(11, {4});
    random.Add(4, {1});
    random.Add(9, {3, 5, 1, 2});
    random.Add(2, {0});
    // A common x: k = 3, negative; n = 1, m = 2, "-".
    random.Add(2, {1});
    random.Add(12, {2});
    random.Add(4, {0});
    random.Add(9, {0, 1});
    random.Add(2, {1});

    const Sheet sheet = GenerateFactorise(Settings(2), 1, random);

    EXPECT_EQ(sheet.statement,
              M("<te=24>FACT1_032007 - <b><u>Calculer</u></b><br><br><br><ce=noir><te=18>"
                "Factoriser les expressions suivantes.<br><br>"
                "1°/ <times>12@ + 18<arial><br>"
                "<br>----------<br>"
                "2°/ <times>−3@<sup>2</sup> + 6@<arial><br>"));
    EXPECT_EQ(sheet.answerKey,
              M("<te=24>FACT1_032007 - <b><u>Corrigé</u></b> - Calculer<br><br><br><ce=noir><te=18>"
                "Factoriser les expressions suivantes.<br><br>"
                "1°/ <times>12@ + 18<arial><br>"
                "      <times>= 6 × 2@ + 6 × 3<arial><br>"
                "      <times>=<cf=jaune> 6(2@ + 3) <cf=auto><arial><br>"
                "----------<br>"
                "2°/ <times>−3@<sup>2</sup> + 6@<arial><br>"
                "      <times>= (−3@) × @ + (−3@) × (−2)<arial><br>"
                "      <times>=<cf=jaune> −3@(@ − 2) <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Factorise, WorkedExampleLevel2) {
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    // A difference of squares, f = 3, g = 5; then a square, f = 1, g = 4, "-".
    random.Add(2, {0});
    random.Add(9, {2, 4});
    random.Add(2, {1});
    random.Add(9, {0, 3});
    random.Add(2, {1});

    const Sheet sheet = GenerateFactorise(Settings(2), 2, random);

    EXPECT_EQ(Questions(sheet.answerKey),
              M("1°/ <times>9@<sup>2</sup> − 25<arial><br>"
                "      <times>= (3@)<sup>2</sup> − 5<sup>2</sup><arial><br>"
                "      <times>=<cf=jaune> (3@ + 5)(3@ − 5) <cf=auto><arial><br>"
                "----------<br>"
                "2°/ <times>@<sup>2</sup> − 8@ + 16<arial><br>"
                "      <times>= @<sup>2</sup> − 2 × @ × 4 + 4<sup>2</sup><arial><br>"
                "      <times>=<cf=jaune> (@ − 4)<sup>2</sup> <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

TEST(Factorise, WorkedExampleLevel3) {
    // The kind comes out of a bag of eight, two of each kind: the sixth
    // place is a difference of squares, f = 2, g = 3.
    ScriptedRandom random;
    random.Add(100, {0, 0, 0});
    random.Add(8, {5});
    random.Add(9, {1, 2});

    const Sheet sheet = GenerateFactorise(Settings(1), 3, random);

    EXPECT_EQ(sheet.reference, "FACT3_000000");
    EXPECT_EQ(Questions(sheet.answerKey),
              M("1°/ <times>4@<sup>2</sup> − 9<arial><br>"
                "      <times>= (2@)<sup>2</sup> − 3<sup>2</sup><arial><br>"
                "      <times>=<cf=jaune> (2@ + 3)(2@ − 3) <cf=auto><arial><br>"));
    EXPECT_EQ(random.Remaining(), 0u);
}

} // namespace
} // namespace vorn
