#include "exercises/composition.h"
#include "exercises/composition_text.h"
#include "exercises/frame.h"
#include "text/cp1252.h"
#include "text/user_error.h"

#include "expression_reader.h"
#include "markup_text.h"
#include "scripted_random.h"
#include "worked_answers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vorn {
namespace {

using test::ExpressionReader;
using test::Plain;
using test::Poly;

// One exercise of a composed text as read back: its heading's instruction,
// its sheet-wide line (if any), and each question with its highlighted result.
struct ReadExercise {
    std::string instruction;
    std::vector<std::string> lines; // every line under the heading
    std::vector<std::string> questions;
    std::vector<std::string> results;
};

// Splits a text at "<b>Exercice N : </b>", N counting from 1.
std::vector<ReadExercise> ReadExercises(const std::string& text) {
    std::vector<ReadExercise> exercises;
    const std::string head = "<b>Exercice ";
    for (std::size_t at = text.find(head); at != std::string::npos;) {
        const std::size_t colon = text.find(" : </b>", at);
        EXPECT_EQ(text.substr(at + head.size(), colon - at - head.size()),
                  std::to_string(exercises.size() + 1));
        const std::size_t lineEnd = text.find("<br><br>", colon);
        ReadExercise e;
        e.instruction = text.substr(colon + 7, lineEnd - colon - 7);
        const std::size_t next = text.find(head, lineEnd);
        e.lines = test::MarkupLines(text.substr(lineEnd + 8, next - lineEnd - 8));
        for (const std::string& line : e.lines) {
            std::string question;
            if (test::QuestionText(line, static_cast<int>(e.questions.size()) + 1, question))
                e.questions.push_back(question.substr(0, question.find("<tab>")));
            if (const std::size_t open = line.find("<cf=jaune> "); open != std::string::npos)
                e.results.push_back(line.substr(open + 11, line.find(" <cf=auto>") - open - 11));
        }
        exercises.push_back(e);
        at = next;
    }
    return exercises;
}

// A line's text, its tags and blanks left out.
std::string ExpressionText(const std::string& markup) {
    std::string text = Plain(markup);
    std::erase(text, ' ');
    return text;
}

// p(n/d) == 0, exactly: sum of c_i n^i d^(deg-i).
bool IsRoot(const Poly& p, long long n, long long d) {
    long long sum = 0;
    long long dPower = 1;
    for (std::size_t i = p.size(); i-- > 0;) {
        long long term = p[i] * dPower;
        for (std::size_t k = 0; k < i; ++k)
            term *= n;
        sum += term;
        dPower *= d;
    }
    return sum == 0;
}

// The result "S = {a ; b}" (or "S = {}") solves the question's equation:
// each rational n/d is a root, each ±Vk a root of p(x) = c2 x² + c0, and an
// empty set belongs to a square with a negative discriminant.
void CheckEquation(const std::string& markup, const std::string& result) {
    const std::string question = Plain(markup);
    // Equations with fractions are solved with exact rationals by the
    // equation tests; the reader here knows integer polynomials only.
    if (question.find('/') != std::string::npos)
        return;
    const std::size_t eq = question.find('=');
    const Poly equation = test::Add(ExpressionReader::ValueOf(question.substr(0, eq)),
                                    ExpressionReader::ValueOf(question.substr(eq + 1)), -1);
    const std::string plain = Plain(result);
    ASSERT_TRUE(plain.starts_with("S = {") && plain.ends_with('}')) << plain;
    const std::string inside = plain.substr(5, plain.size() - 6);
    if (inside.empty()) {
        ASSERT_EQ(equation.size(), 3u) << question;
        EXPECT_LT(equation[1] * equation[1] - 4 * equation[2] * equation[0], 0) << question;
        return;
    }
    for (std::size_t at = 0; at != std::string::npos;) {
        const std::size_t end = inside.find(" ; ", at);
        const std::string value = inside.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? end : end + 3;
        if (const std::size_t root = value.find('V'); root != std::string::npos) {
            const long long k = std::stoll(value.substr(root + 1));
            ASSERT_EQ(equation.size(), 3u) << question;
            EXPECT_TRUE(equation[1] == 0 && equation[0] + equation[2] * k == 0)
                << question << " -> " << plain;
            continue;
        }
        std::size_t used = 0;
        const long long n = std::stoll(value, &used);
        const long long d =
            used < value.size() && value[used] == '/' ? std::stoll(value.substr(used + 1)) : 1;
        EXPECT_TRUE(IsRoot(equation, n, d)) << question << " -> " << plain;
    }
}

// The number a numeric-value result gives, its digit groups joined.
long long NumberOf(const std::string& result) {
    std::string digits;
    for (const char c : Plain(result))
        if (c != ' ')
            digits += c;
    return std::stoll(digits);
}

// Checks one exercise of the key with the arithmetic its family calls for.
void CheckAnswers(const ComposedExercise& exercise, const ReadExercise& e) {
    ASSERT_EQ(e.results.size(), e.questions.size());
    const std::string family(exercise.family->shortName);
    for (std::size_t i = 0; i < e.questions.size(); ++i) {
        if (family.starts_with("eq")) {
            CheckEquation(e.questions[i], e.results[i]);
        } else if (family.starts_with("vn")) {
            std::string line = Plain(e.lines.front());
            const Poly expression = ExpressionReader::ValueOf(line.substr(0, line.find("pour")));
            const std::string question = Plain(e.questions[i]);
            const long long x = NumberOf(question.substr(question.find('=') + 1));
            long long value = 0;
            for (std::size_t k = expression.size(); k-- > 0;)
                value = value * x + expression[k];
            EXPECT_EQ(NumberOf(e.results[i]), value) << Plain(e.questions[i]);
        } else {
            EXPECT_EQ(ExpressionReader::ValueOf(e.questions[i]),
                      ExpressionReader::ValueOf(e.results[i]))
                << Plain(e.questions[i]) << " -> " << Plain(e.results[i]);
        }
    }
}

// A composition drawn at random within the limits, the same family and
// level often twice.
Composition RandomComposition(LcgRandom& random) {
    const std::vector<SheetKind> kinds = AllSheetKinds();
    Composition c;
    const int exercises = 1 + random.Random(kMaxComposedExercises);
    for (int i = 0; i < exercises; ++i) {
        const SheetKind kind = kinds[static_cast<std::size_t>(random.Random(kinds.size()))];
        c.exercises.push_back({kind.family, kind.level, 1 + random.Random(kMaxQuestionCount)});
        while (!CompositionProblem(c).empty() && c.exercises.back().questionCount > 1)
            c.exercises.back().questionCount /= 2;
        if (!CompositionProblem(c).empty())
            c.exercises.pop_back();
    }
    return c;
}

TEST(ComposedSheet, ReadsBackAsItsCompositionWithRightAnswers) {
    LcgRandom composer{7};
    SheetSettings settings;
    settings.separatorLength = 5;
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
        const Composition c = RandomComposition(composer);
        SCOPED_TRACE(CompositionText(c));
        LcgRandom random{seed};
        const Sheet sheet = GenerateComposedSheet(c, settings, random);
        EXPECT_EQ(sheet.reference.substr(0, 8), "FEUILLE_");
        EXPECT_EQ(sheet.reference.size(), 14u);
        const std::vector<ReadExercise> statement = ReadExercises(sheet.statement);
        const std::vector<ReadExercise> key = ReadExercises(sheet.answerKey);
        ASSERT_EQ(statement.size(), c.exercises.size());
        ASSERT_EQ(key.size(), c.exercises.size());
        std::set<std::tuple<const ExerciseFamily*, int, std::string>> seen;
        for (std::size_t i = 0; i < c.exercises.size(); ++i) {
            const ComposedExercise& e = c.exercises[i];
            const std::string instruction = Utf8ToCp1252(e.family->instruction);
            EXPECT_EQ(statement[i].instruction, instruction);
            EXPECT_EQ(key[i].instruction, instruction);
            // The same questions; the key may order a line's tags otherwise.
            ASSERT_EQ(statement[i].questions.size(), key[i].questions.size());
            for (std::size_t q = 0; q < key[i].questions.size(); ++q)
                EXPECT_EQ(ExpressionText(statement[i].questions[q]),
                          ExpressionText(key[i].questions[q]));
            EXPECT_EQ(int(key[i].questions.size()), e.questionCount);
            EXPECT_TRUE(statement[i].results.empty());
            // The instruction is said once, in the heading.
            EXPECT_EQ(key[i].lines.front().find(instruction), std::string::npos);
            for (const std::string& q : key[i].questions)
                EXPECT_TRUE(seen.emplace(e.family, e.level, q).second) << "repeated: " << q;
            CheckAnswers(e, key[i]);
        }
    }
}

TEST(ComposedSheet, SameSeedSameSheetAndSetsKeepTheirOrder) {
    const Composition c = ParseComposition("red:1:3 eq1:2:2 red:1:2");
    SheetSettings settings;
    LcgRandom a{11}, b{11};
    std::vector<Sheet> set;
    for (int i = 0; i < 3; ++i)
        set.push_back(GenerateComposedSheet(c, settings, a));
    for (const Sheet& sheet : set) {
        const Sheet again = GenerateComposedSheet(c, settings, b);
        EXPECT_EQ(again.statement, sheet.statement);
        EXPECT_EQ(again.answerKey, sheet.answerKey);
        EXPECT_NE(sheet.statement.find(sheet.reference), std::string::npos);
        EXPECT_NE(sheet.answerKey.find(sheet.reference), std::string::npos);
    }
    EXPECT_NE(set[0].statement, set[1].statement);
}

// One sheet written out by hand: "Réduire" level 1 twice (drawn together,
// numbered apart), separator 3, spacing 1. A term is ±1..9, drawn as
// Random(18): r < 9 gives -(9 - r), otherwise r - 8; the four terms (two in
// x, two constants) are then shuffled, i from 3 down to 1 swapping with
// Random(i + 1), until they are out of power order.
TEST(ComposedSheet, WorkedExample) {
    test::ScriptedRandom random;
    random.Add(100, {31, 4, 59});
    // 2x, 3x, 4, -1, shuffled to -1, 3x, 2x, 4; then -5x, 7x, 6, 2, to 2, 7x, -5x, 6.
    for (const auto& terms : {std::vector<int>{10, 11, 12, 8}, {4, 15, 14, 10}}) {
        for (const int r : terms)
            random.Add(18, {r});
        random.Add(4, {2});
        random.Add(3, {0});
        random.Add(2, {1});
    }
    SheetSettings settings;
    settings.title = "T";
    settings.separatorLength = 3;
    const Sheet sheet =
        GenerateComposedSheet(ParseComposition("red:1:1 red:1:1"), settings, random);
    const std::string heading = "<b>Exercice 1 : </b>R\xE9"
                                "duire les expressions suivantes.<br><br>";
    std::string second = heading;
    second[12] = '2';
    const std::string q1 = test::Win("1°/ <times>−1 + 3<i>x</i> + 2<i>x</i> + 4<arial><br>");
    const std::string q2 = test::Win("1°/ <times>2 + 7<i>x</i> − 5<i>x</i> + 6<arial><br>");
    EXPECT_EQ(sheet.reference, "FEUILLE_310459");
    EXPECT_EQ(sheet.statement,
              "<te=24>FEUILLE_310459 - <b><u>T</u></b><br><br><br><ce=noir><te=18>" + heading + q1 +
                  "<br>---<br><br>" + second + q2);
    EXPECT_EQ(sheet.answerKey,
              test::Win("<te=24>FEUILLE_310459 - <b><u>Corrigé</u></b> - T<br><br><br>"
                        "<ce=noir><te=18>") +
                  heading + q1 +
                  test::Win("      <times>= 3<i>x</i> + 2<i>x</i> − 1 + 4<arial><br>"
                            "      <times>=<cf=jaune> 5<i>x</i> + 3 <cf=auto><arial><br>"
                            "---<br><br>") +
                  second + q2 +
                  test::Win("      <times>= 7<i>x</i> − 5<i>x</i> + 2 + 6<arial><br>"
                            "      <times>=<cf=jaune> 2<i>x</i> + 8 <cf=auto><arial><br>"));
}

TEST(Composition, BadItemsAreRefusedNamingTheItem) {
    const struct {
        const char* text;
        const char* names;
    } cases[] = {
        {"", "Aucun exercice"},
        {"nope:1:2", "\xC2\xAB nope:1:2 \xC2\xBB"},
        {"red:4:2", "\xC2\xAB red:4:2 \xC2\xBB"},
        {"red:0:2", "\xC2\xAB red:0:2 \xC2\xBB"},
        {"red:1:0", "\xC2\xAB red:1:0 \xC2\xBB"},
        {"red:1:41", "\xC2\xAB red:1:41 \xC2\xBB"},
        {"red:1:x", "\xC2\xAB red:1:x \xC2\xBB"},
        {"red:1", "\xC2\xAB red:1 \xC2\xBB"},
        {"red:1:30 fact:1:5 red:1:11", "\xC2\xAB red:1:11 \xC2\xBB"},
        {"red:1:40 fact:1:40 eq1:1:20 vn1:1:1", "\xC2\xAB vn1:1:1 \xC2\xBB"},
        {"vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 vn1:1:1 "
         "vn2:1:1",
         "\xC2\xAB vn2:1:1 \xC2\xBB"},
    };
    for (const auto& c : cases) {
        try {
            ParseComposition(c.text);
            ADD_FAILURE() << "taken: " << c.text;
        } catch (const UserError& e) {
            EXPECT_NE(std::string(e.what()).find(c.names), std::string::npos)
                << c.text << " -> " << e.what();
        }
    }
    // At the limits, and the text reads back as written.
    const std::string full = "red:1:40 fact:1:40 eq1:1:20";
    EXPECT_EQ(CompositionText(ParseComposition(full)), full);
    EXPECT_EQ(ParseComposition(full).QuestionCount(), 100);
    EXPECT_TRUE(CompositionProblem(DefaultComposition()).empty());
}

} // namespace
} // namespace vorn
