#include "exercises/families.h"

#include "markup_text.h"
#include "worked_answers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Reads the equations and the results back out of generated sheets and checks
// them with exact arithmetic of the test's own. Text that breaks the writing
// rules (a written coefficient 1, "+ -", a zero term, a fraction not in
// lowest terms) throws, which fails the test with the offending text.
namespace vorn {
namespace {

struct Rational {
    long long p = 0;
    long long q = 1;

    Rational(long long num = 0, long long den = 1) {
        if (den == 0)
            throw std::runtime_error("division by zero");
        const long long g = std::gcd(num, den) * (den < 0 ? -1 : 1);
        p = num / g;
        q = den / g;
    }
    friend Rational operator+(Rational a, Rational b) { return {a.p * b.q + b.p * a.q, a.q * b.q}; }
    friend Rational operator-(Rational a, Rational b) { return {a.p * b.q - b.p * a.q, a.q * b.q}; }
    friend Rational operator*(Rational a, Rational b) { return {a.p * b.p, a.q * b.q}; }
    friend Rational operator/(Rational a, Rational b) { return {a.p * b.q, a.q * b.p}; }
    friend bool operator==(Rational a, Rational b) { return a.p == b.p && a.q == b.q; }
    friend bool operator<(Rational a, Rational b) { return a.p * b.q < b.p * a.q; }
    std::string Text() const {
        return q == 1 ? std::to_string(p) : std::to_string(p) + "/" + std::to_string(q);
    }
};

[[noreturn]] void Bad(std::string_view what, std::string_view text) {
    throw std::runtime_error(std::string(what) + ": \"" + std::string(text) + "\"");
}

std::vector<std::string> Split(std::string_view text, std::string_view by) {
    std::vector<std::string> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(by, at);
        parts.emplace_back(text.substr(at, end - at));
        if (end == std::string_view::npos)
            return parts;
        at = end + by.size();
    }
}

std::string Plain(std::string_view escaped) {
    const std::string markup = test::ReadEscapes(escaped);
    std::string out;
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (markup[i] != '<') {
            out += markup[i];
            continue;
        }
        i = markup.find('>', i);
        if (i == std::string::npos)
            Bad("tag left open", markup);
    }
    return out;
}

// The words of a text, a coefficient and its x ("5x") read as two: "5", "x".
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    for (const std::string& w : Split(text, " ")) {
        if (w.size() > 1 && w.ends_with('x') && w != "-x") {
            words.push_back(w.substr(0, w.size() - 1));
            words.push_back("x");
        } else if (!w.empty()) {
            words.push_back(w);
        }
    }
    return words;
}

long long Integer(std::string_view text) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        Bad("not an integer", text);
    return n;
}

// "7", "-7/3", or a division as a step writes it: "6/(-4)".
Rational Number(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return Integer(text);
    std::string_view divisor = text.substr(slash + 1);
    if (divisor.starts_with('(') != divisor.starts_with("(-") || divisor.starts_with("-"))
        Bad("a negative divisor stands in parentheses, only it", text);
    if (divisor.starts_with('('))
        divisor = divisor.substr(1, divisor.size() - 2);
    return Rational(Integer(text.substr(0, slash)), Integer(divisor));
}

struct Linear {
    Rational x;
    Rational c;
};

Linear ParseLinear(std::string_view side) {
    const std::vector<std::string> w = Words(side);
    if (w == std::vector<std::string>{"0"})
        return {};
    Linear out;
    for (std::size_t i = 0; i < w.size(); ++i) {
        int sign = 1;
        if (i > 0) {
            if (w[i] != "+" && w[i] != "-")
                Bad("terms need a sign of their own", side);
            sign = w[i] == "-" ? -1 : 1;
            if (++i == w.size() || w[i].starts_with('-'))
                Bad("a sign followed by no term or a negative one", side);
        }
        Rational value = 1;
        bool isX = true;
        if (w[i] == "-x") {
            value = -1;
        } else if (w[i] != "x") {
            value = Number(w[i]);
            isX = i + 1 < w.size() && w[i + 1] == "x";
            if (isX && (value == 1 || value == -1))
                Bad("coefficient 1 written", side);
            i += isX ? 1 : 0;
        }
        if (value == 0)
            Bad("zero term", side);
        (isX ? out.x : out.c) = (isX ? out.x : out.c) + value * sign;
    }
    return out;
}

// The one solution of "left = right".
Rational Solve(std::string_view equation) {
    const std::vector<std::string> sides = Split(equation, " = ");
    if (sides.size() != 2)
        Bad("not an equation", equation);
    const Linear l = ParseLinear(sides[0]);
    const Linear r = ParseLinear(sides[1]);
    if (l.x == r.x)
        Bad("no single solution", equation);
    return (r.c - l.c) / (l.x - r.x);
}

// A value of a result, in lowest terms.
Rational Reduced(std::string_view text) {
    const Rational r = Number(text);
    if (r.Text() != text)
        Bad("not in lowest terms", text);
    return r;
}

// A solution set "S = {a ; b}", its values in increasing order and in lowest
// terms, or "S = {}" (empty).
std::vector<Rational> SolutionSet(std::string_view text) {
    if (!text.starts_with("S = {") || !text.ends_with('}'))
        Bad("not a solution set", text);
    std::vector<Rational> values;
    const std::string_view inside = text.substr(5, text.size() - 6);
    if (inside.empty())
        return values;
    for (const std::string& value : Split(inside, " ; ")) {
        values.push_back(Reduced(value));
        if (values.size() > 1 && !(values[values.size() - 2] < values.back()))
            Bad("not in increasing order", text);
    }
    return values;
}

// A division by 1 or -1 written out, as "x = 1/(-1)".
bool DividesByOne(std::string_view step) {
    for (const std::string& word : Words(step)) {
        const std::size_t slash = word.find('/');
        if (slash != std::string::npos &&
            (word.substr(slash) == "/1" || word.substr(slash) == "/(-1)"))
            return true;
    }
    return false;
}

struct Question {
    std::string equation; // plain text after "N°/ "
    std::vector<std::string> steps;
    std::string result; // plain text of the highlight
};

// The questions of a sheet, read from its answer key, as plain text.
std::vector<Question> Questions(const vorn::Sheet& sheet) {
    std::vector<Question> questions;
    for (const test::WorkedAnswer& answer : test::ReadWorkedAnswers(sheet)) {
        Question q{Plain(answer.question), {}, Plain(answer.result)};
        for (const std::string& step : answer.steps)
            q.steps.push_back(Plain(step));
        questions.push_back(q);
    }
    return questions;
}

SheetSettings FullSheet() {
    SheetSettings settings;
    settings.questionCount = 40;
    settings.title = "T";
    settings.separatorLength = 5;
    return settings;
}

constexpr int kSeeds = 40;

bool IsInteger(Rational r, long long low, long long high) {
    return r.q == 1 && r.p >= low && r.p <= high;
}

TEST(LinearEquationProperties, SolutionsAndDrawsOverManySheets) {
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        std::set<long long> as, bs, solutions;
        for (int seed = 0; seed < kSeeds; ++seed) {
            LcgRandom random(static_cast<std::uint32_t>(seed));
            const std::vector<Question> questions =
                Questions(GenerateLinearEquation(FullSheet(), level, random));
            ASSERT_EQ(questions.size(), 40u);
            std::set<std::string> seen;
            for (const Question& q : questions) {
                SCOPED_TRACE(q.equation);
                EXPECT_TRUE(seen.insert(q.equation).second) << "repeated";
                const std::vector<std::string> sides = Split(q.equation, " = ");
                ASSERT_EQ(sides.size(), 2u);
                const Linear l = ParseLinear(sides[0]);
                const Linear r = ParseLinear(sides[1]);
                const Rational x = Solve(q.equation);
                EXPECT_TRUE(IsInteger(l.x, -9, 9) && IsInteger(l.c, -12, 12) && l.c.p != 0);
                EXPECT_NE(r.c, 0);
                if (level == 1)
                    EXPECT_EQ(r.x, 0);
                else
                    EXPECT_TRUE(IsInteger(r.x, -9, 9) && r.x.p != 0);
                if (level < 3)
                    EXPECT_TRUE(IsInteger(x, -10, 10));
                else
                    EXPECT_TRUE(IsInteger(r.c, -12, 12) && x.q != 1);
                // A solution 0 would share the constant of both sides.
                EXPECT_NE(x, 0);
                EXPECT_EQ(l.x * x + l.c, r.x * x + r.c);
                ASSERT_FALSE(q.steps.empty());
                for (const std::string& step : q.steps) {
                    EXPECT_EQ(Solve(step), x) << step;
                    EXPECT_FALSE(DividesByOne(step)) << step;
                }
                EXPECT_EQ(q.steps.back(), "x = " + x.Text());
                EXPECT_EQ(SolutionSet(q.result), std::vector{x});
                as.insert(l.x.p);
                bs.insert(l.c.p);
                solutions.insert(x.q == 1 ? x.p : 100);
            }
        }
        // Every value of the ranges comes up: none is left out of the draws.
        EXPECT_EQ(as.size(), 18u);
        EXPECT_EQ(bs.size(), 24u);
        if (level < 3)
            EXPECT_EQ(solutions.size(), 20u);
        else
            EXPECT_TRUE(solutions.contains(100));
    }
}

// "x = " and a number: one factor solved, or only divided.
bool IsSolved(std::string_view equation) {
    const std::vector<std::string> w = Words(equation);
    return w.size() == 3 && w[0] == "x" && w[1] == "=";
}

TEST(ProductEquationProperties, RootsAndDrawsOverManySheets) {
    const std::string rule =
        "Un produit est nul si et seulement si l'un au moins de ses facteurs est nul.";
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const long long lowA = level == 3 ? 2 : 1;
        const long long highA = level == 1 ? 1 : level == 2 ? 5 : 9;
        std::set<long long> as, bs;
        int xFactors = 0;
        for (int seed = 0; seed < kSeeds; ++seed) {
            LcgRandom random(static_cast<std::uint32_t>(seed));
            const std::vector<Question> questions =
                Questions(GenerateProductEquation(FullSheet(), level, random));
            ASSERT_EQ(questions.size(), 40u);
            std::set<std::set<Rational>> seen;
            int zeros = 0;
            for (const Question& q : questions) {
                SCOPED_TRACE(q.equation);
                const std::string& e = q.equation;
                const bool xFactor = e.starts_with("x(");
                const std::size_t middle = xFactor ? 0 : e.find(")(");
                ASSERT_TRUE((xFactor || e.starts_with('(')) && e.ends_with(") = 0") &&
                            middle != std::string::npos);
                const std::string first = xFactor ? "x" : e.substr(1, middle - 1);
                const std::size_t open = xFactor ? 2 : middle + 2;
                const std::string second = e.substr(open, e.size() - open - 5);
                std::vector<Rational> roots;
                for (const Linear f : {ParseLinear(first), ParseLinear(second)}) {
                    if (f.x == 1 && f.c == 0) {
                        roots.push_back(0);
                        continue;
                    }
                    EXPECT_TRUE(f.x.q == 1 && std::abs(f.x.p) >= lowA && std::abs(f.x.p) <= highA);
                    // Level 2 writes b as a times an integer root.
                    const Rational b = level == 2 ? f.c / f.x : f.c;
                    EXPECT_TRUE(IsInteger(b, level == 2 ? -10 : -20, level == 2 ? 10 : 20));
                    EXPECT_NE(b, 0);
                    roots.push_back(Rational(0) - f.c / f.x);
                    as.insert(f.x.p);
                    bs.insert(b.p);
                }
                EXPECT_TRUE(level > 1 || !xFactor);
                xFactors += xFactor;
                ASSERT_NE(roots[0], roots[1]);
                EXPECT_TRUE(level != 3 || roots[0].q != 1 || roots[1].q != 1);
                const std::set<Rational> rootSet(roots.begin(), roots.end());
                EXPECT_TRUE(seen.insert(rootSet).second) << "the same solutions twice";
                zeros += rootSet.contains(0);

                ASSERT_GE(q.steps.size(), 2u);
                EXPECT_EQ(q.steps[0], rule);
                int solvedLines = 0;
                for (std::size_t i = 1; i < q.steps.size(); ++i) {
                    const std::vector<std::string> parts = Split(q.steps[i], " ou ");
                    ASSERT_EQ(parts.size(), 2u) << q.steps[i];
                    EXPECT_EQ((std::set{Solve(parts[0]), Solve(parts[1])}), rootSet) << q.steps[i];
                    EXPECT_FALSE(DividesByOne(q.steps[i])) << q.steps[i];
                    solvedLines += IsSolved(parts[0]) && IsSolved(parts[1]) &&
                                   Number(Words(parts[0])[2]).Text() == Words(parts[0])[2] &&
                                   Number(Words(parts[1])[2]).Text() == Words(parts[1])[2];
                }
                // The roots once, then the set: no line only reorders them.
                EXPECT_EQ(solvedLines, 1);
                const std::vector<Rational> set = SolutionSet(q.result);
                EXPECT_EQ(std::set<Rational>(set.begin(), set.end()), rootSet);
                EXPECT_EQ(set.size(), 2u);
            }
            EXPECT_LE(zeros, 1);
        }
        const std::size_t aCount = level == 1 ? 1 : 2 * (highA - lowA + 1);
        EXPECT_EQ(as.size(), aCount);
        EXPECT_EQ(bs.size(), level == 2 ? 20u : 40u);
        EXPECT_TRUE(level == 1 || xFactors > 0);
    }
}

} // namespace
} // namespace vorn
