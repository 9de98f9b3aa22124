#include "exercises/families.h"

#include "expression_reader.h"
#include "scripted_random.h"
#include "worked_answers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn {
namespace {

using test::ExpressionReader;
using test::Plain;
using test::Poly;
using test::Product;

using Generator = Sheet (*)(const SheetSettings&, int, RandomSource&);

SheetSettings Settings(int count) {
    SheetSettings settings;
    settings.questionCount = count;
    settings.title = "T";
    settings.separatorLength = 10;
    settings.spacingLines = 1;
    return settings;
}

// Opens each line of working, after the answer key's indent.
const std::string kStep = "<times>= ";

struct Worked {
    std::string expression;
    std::vector<std::string> steps;
    std::string result;
};

// The questions of a sheet: both texts hold the same questions in the same
// order, only the last line of each answer is highlighted, every line of
// working opens with "=" and no question repeats.
std::vector<Worked> ReadSheet(const Sheet& sheet, int count) {
    std::vector<Worked> questions;
    std::set<std::string> seen;
    for (const test::WorkedAnswer& answer : test::ReadWorkedAnswers(sheet)) {
        Worked q{answer.question, {}, answer.result};
        EXPECT_TRUE(seen.insert(q.expression).second) << "repeated: " << Plain(q.expression);
        for (const std::string& step : answer.steps) {
            EXPECT_TRUE(step.starts_with(kStep)) << step;
            q.steps.push_back(step.substr(kStep.size()));
        }
        questions.push_back(q);
    }
    EXPECT_EQ(int(questions.size()), count);
    return questions;
}

// Every step and the result are the statement's polynomial; no sign follows
// another sign or a multiplication sign.
void CheckWorking(const Worked& q) {
    const Poly value = ExpressionReader::ValueOf(q.expression);
    std::vector<std::string> texts = q.steps;
    texts.push_back(q.expression);
    texts.push_back(q.result);
    for (const std::string& text : texts) {
        EXPECT_EQ(ExpressionReader::ValueOf(text), value) << Plain(text);
        const std::string plain = Plain(text);
        for (const char* bad : {"+ -", "- -", "* -", "+ +", "- +"})
            EXPECT_EQ(plain.find(bad), std::string::npos) << plain;
    }
}

struct Monomial {
    long long coefficient;
    int power;
    bool operator==(const Monomial&) const = default;
};

// The terms of a sum of monomials, in their order. A coefficient 0, or 1
// written before x, fails the test.
std::vector<Monomial> Monomials(const std::string& markup) {
    std::vector<Monomial> terms;
    for (const Product& p : ExpressionReader::Read(markup)) {
        Monomial m{p.sign, 0};
        int constants = 0;
        for (const Poly& f : p.factors) {
            if (f == Poly{0, 1}) {
                ++m.power;
            } else {
                EXPECT_EQ(f.size(), 1u) << Plain(markup);
                m.coefficient *= f.empty() ? 0 : f[0];
                ++constants;
            }
        }
        EXPECT_LE(constants, 1) << Plain(markup);
        EXPECT_NE(m.coefficient, 0) << Plain(markup);
        if (m.power > 0 && constants == 1) {
            EXPECT_NE(std::abs(m.coefficient), 1) << Plain(markup);
        }
        terms.push_back(m);
    }
    return terms;
}

// Powers strictly decreasing, so each power once.
void ExpectReduced(const std::string& markup) {
    const std::vector<Monomial> terms = Monomials(markup);
    for (std::size_t i = 1; i < terms.size(); ++i)
        EXPECT_GT(terms[i - 1].power, terms[i].power) << Plain(markup);
}

constexpr int kSeeds = 20;

TEST(SteppedFamilies, LevelOutOfRangeIsRefusedBeforeAnyDraw) {
    const struct {
        Generator generate;
        int levels;
    } families[] = {{GenerateReduce, 2}, {GenerateExpandReduce, 2}, {GenerateFactorise, 3}};
    for (const auto& family : families) {
        for (int level : {0, -1, family.levels + 1}) {
            test::ScriptedRandom random; // any draw fails the test
            EXPECT_THROW(family.generate(Settings(1), level, random), std::out_of_range);
        }
    }
}

// Always answers 0: every draw of a question gives the same question.
class ZeroRandom final : public RandomSource {
public:
    std::int32_t Random(std::int32_t) override {
        ++calls;
        return 0;
    }
    int calls = 0;
};

TEST(SteppedFamilies, RepeatIsAcceptedAfterFiftyDraws) {
    // Factorise level 1 draws a kind, then k, its sign (negative on 0), n, m
    // and a sign: -2(x + 1) each time.
    ZeroRandom random;
    const Sheet sheet = GenerateFactorise(Settings(2), 1, random);
    EXPECT_EQ(random.calls, 3 + 1 + 5 + 1 + 50 * 5);
    const std::vector<test::Poly> twice{Poly{-2, -2}, Poly{-2, -2}};
    std::vector<test::Poly> values;
    for (const test::WorkedAnswer& answer : test::ReadWorkedAnswers(sheet))
        values.push_back(ExpressionReader::ValueOf(answer.question));
    EXPECT_EQ(values, twice);
}

TEST(Reduce, ResultIsTheStatementRegroupedThenReduced) {
    for (int level : {1, 2}) {
        for (int seed = 0; seed < kSeeds; ++seed) {
            LcgRandom random{static_cast<std::uint32_t>(seed)};
            // The same terms in another order would be a near twin.
            std::set<std::vector<std::pair<int, long long>>> termSets;
            for (const Worked& q : ReadSheet(GenerateReduce(Settings(40), level, random), 40)) {
                CheckWorking(q);
                const std::vector<Monomial> terms = Monomials(q.expression);
                std::vector<std::pair<int, long long>> sorted;
                for (const Monomial& m : terms)
                    sorted.emplace_back(m.power, m.coefficient);
                std::sort(sorted.begin(), sorted.end());
                EXPECT_TRUE(termSets.insert(sorted).second) << "twin: " << Plain(q.expression);
                std::vector<Monomial> grouped = terms;
                std::stable_sort(grouped.begin(), grouped.end(),
                                 [](auto& a, auto& b) { return a.power > b.power; });
                EXPECT_NE(terms, grouped) << "nothing to regroup: " << Plain(q.expression);
                ASSERT_EQ(q.steps.size(), 1u);
                EXPECT_EQ(Monomials(q.steps[0]), grouped) << Plain(q.steps[0]);
                // Two terms of each power, none cancelling the other.
                ASSERT_EQ(int(terms.size()), 2 * (level + 1));
                for (std::size_t i = 0; i < grouped.size(); i += 2) {
                    EXPECT_EQ(grouped[i].power, level - int(i / 2));
                    EXPECT_LE(std::abs(grouped[i].coefficient), 9);
                    EXPECT_LE(std::abs(grouped[i + 1].coefficient), 9);
                    EXPECT_NE(grouped[i].coefficient + grouped[i + 1].coefficient, 0);
                }
                ExpectReduced(q.result);
                EXPECT_EQ(int(Monomials(q.result).size()), level + 1);
            }
        }
    }
}

bool IsBinomial(const Poly& p) {
    return p.size() == 2 && p[0] != 0 && std::abs(p[0]) <= 9 && std::abs(p[1]) <= 9;
}

TEST(ExpandReduce, ResultIsTheStatementExpandedAndReduced) {
    for (int level : {1, 2}) {
        for (int seed = 0; seed < kSeeds; ++seed) {
            LcgRandom random{static_cast<std::uint32_t>(seed)};
            for (const Worked& q :
                 ReadSheet(GenerateExpandReduce(Settings(40), level, random), 40)) {
                CheckWorking(q);
                const std::vector<Product> sum = ExpressionReader::Read(q.expression);
                ASSERT_EQ(sum.size(), 2u);
                EXPECT_EQ(sum[0].sign, 1);
                ASSERT_EQ(sum[0].factors.size(), 2u);
                ASSERT_EQ(sum[1].factors.size(), 2u);
                EXPECT_TRUE(IsBinomial(sum[0].factors[0]) && IsBinomial(sum[0].factors[1]));
                EXPECT_TRUE(IsBinomial(sum[1].factors[1]));
                const Poly& left = sum[1].factors[0];
                EXPECT_TRUE(level == 1 ? left.size() == 1 && left[0] >= 2 && left[0] <= 9
                                       : IsBinomial(left));
                EXPECT_NE(ExpressionReader::Value({{1, sum[0].factors}}),
                          ExpressionReader::Value({{1, sum[1].factors}}));
                // Partial products, their values, products reduced,
                // brackets removed.
                ASSERT_EQ(q.steps.size(), 4u);
                EXPECT_EQ(q.steps[1].find('\xD7'), std::string::npos);
                EXPECT_NE(q.steps[1], q.steps[2]);
                EXPECT_EQ(q.steps[3].find('('), std::string::npos);
                ExpectReduced(q.result);
                EXPECT_GE(ExpressionReader::ValueOf(q.result).size(), 2u) << Plain(q.result);
            }
        }
    }
}

TEST(Factorise, ResultIsFullyFactorised) {
    for (int level : {1, 2, 3}) {
        std::set<long long> factors;
        std::set<int> firstKinds;
        int negative = 0;
        for (int seed = 0; seed < kSeeds; ++seed) {
            LcgRandom random{static_cast<std::uint32_t>(seed)};
            std::vector<int> kinds;
            std::set<Poly> magnitudes;
            for (const Worked& q : ReadSheet(GenerateFactorise(Settings(40), level, random), 40)) {
                CheckWorking(q);
                ExpectReduced(q.expression);
                EXPECT_EQ(q.steps.size(), 1u);
                const Poly statement = ExpressionReader::ValueOf(q.expression);
                // Near twins: the same coefficients up to their signs.
                Poly magnitude = statement;
                for (long long& c : magnitude)
                    c = std::abs(c);
                EXPECT_TRUE(magnitudes.insert(magnitude).second) << Plain(q.expression);
                const std::vector<Product> result = ExpressionReader::Read(q.result);
                ASSERT_EQ(result.size(), 1u);
                // A number, the greatest common divisor of the statement's
                // coefficients with the sign of the first, then brackets that
                // admit no further factor.
                long long numberFactor = result[0].sign;
                int brackets = 0;
                bool hasX = false;
                std::set<Poly> distinct;
                for (const Poly& f : result[0].factors) {
                    if (f.size() == 1) {
                        EXPECT_GT(f[0], 1);
                        numberFactor *= f[0];
                        continue;
                    }
                    ASSERT_EQ(f.size(), 2u) << Plain(q.result);
                    EXPECT_TRUE(f[1] > 0 && f[1] <= 9 && std::abs(f[0]) <= 9) << Plain(q.result);
                    EXPECT_EQ(std::gcd(f[0], f[1]), 1) << Plain(q.result);
                    hasX = hasX || f[0] == 0;
                    brackets += f[0] != 0;
                    distinct.insert(f);
                }
                long long content = 0;
                for (long long c : statement)
                    content = std::gcd(content, c);
                EXPECT_EQ(std::abs(numberFactor), content) << Plain(q.result);
                EXPECT_EQ(numberFactor < 0, statement.back() < 0) << Plain(q.result);
                EXPECT_EQ(hasX, statement[0] == 0);
                EXPECT_LE(std::abs(numberFactor), 12);
                // Kinds: k(n x ± m), kx(n x ± m), a difference of squares, a
                // square.
                const int kind = hasX ? 1 : brackets == 1 ? 0 : distinct.size() == 2 ? 2 : 3;
                EXPECT_EQ(brackets, kind < 2 ? 1 : 2) << Plain(q.result);
                EXPECT_TRUE(kind < 2 || numberFactor == 1);
                const int firstKind = level == 2 ? 2 : 0;
                const int lastKind = level == 1 ? 1 : 3;
                EXPECT_TRUE(kind >= firstKind && kind <= lastKind);
                if (kind < 2) {
                    factors.insert(std::abs(numberFactor));
                    negative += numberFactor < 0;
                }
                kinds.push_back(kind);
            }
            firstKinds.insert(kinds.front());
            if (level == 3) {
                // Each kind about equally often, never three in a row.
                for (int k = 0; k < 4; ++k)
                    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), k), 10) << "kind " << k;
                for (std::size_t i = 2; i < kinds.size(); ++i)
                    EXPECT_FALSE(kinds[i] == kinds[i - 1] && kinds[i] == kinds[i - 2]) << i;
            }
        }
        // The question number does not tell the kind.
        EXPECT_EQ(firstKinds.size(), level == 3 ? 4u : 2u);
        if (level == 1) {
            // Every common number 1 (x alone) to 12 comes up, some negative.
            EXPECT_EQ(factors.size(), 12u);
            EXPECT_GT(negative, 0);
        }
    }
}

} // namespace
} // namespace vorn
