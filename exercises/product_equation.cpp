#include "exercises/families.h"
#include "exercises/fraction.h"
#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vorn {

namespace {

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations produit nul suivantes.";
constexpr std::string_view kZeroProductRule =
    "Un produit est nul si et seulement si l'un au moins de ses facteurs est nul.";

// a x + b, with a > 0 and b != 0.
struct Factor {
    int a = 0;
    int b = 0;

    friend bool operator==(const Factor&, const Factor&) = default;
    friend auto operator<=>(const Factor&, const Factor&) = default;
};

// (a x + b)(c x + d) = 0.
struct ProductEquation {
    Factor first;
    Factor second;
};

// The same two factors in either order make the same exercise.
struct UnorderedFactors {
    Factor low;
    Factor high;

    explicit UnorderedFactors(const ProductEquation& e)
        : low(std::min(e.first, e.second)), high(std::max(e.first, e.second)) {}
    friend bool operator==(const UnorderedFactors&, const UnorderedFactors&) = default;
};

// Level 1: (x + b)(x + d). Level 2: two different a and c in 2..6 and integer
// roots. Level 3: a and c in 2..9 and b, d in -20..20, so that the roots are
// mostly fractions. The two roots always differ.
class ProductEquationDraws final : public WorkedFamily {
public:
    // The rule's sentence and up to five lines of working.
    static constexpr std::size_t kLongestAnswer = 520;

    explicit ProductEquationDraws(int level) : WorkedFamily(kInstruction), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        ProductEquation e;
        history_.DrawNew([&] {
            e = Draw(random);
            return UnorderedFactors(e);
        });
        const Factor& f = e.first;
        const Factor& g = e.second;

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, '(', LinearPiece{f.a, f.b}, ")(",
               LinearPiece{g.a, g.b}, ") = 0", kLineClose);
        answer.append(statement, question);

        const Fraction r = MakeFraction(-f.b, f.a);
        const Fraction s = MakeFraction(-g.b, g.a);
        steps_.Start(answer);
        steps_.Sentence(kZeroProductRule);
        steps_.Step(LinearPiece{f.a, f.b}, " = 0 ou ", LinearPiece{g.a, g.b}, " = 0");
        steps_.Step(MonomialPiece{{f.a, 1}}, " = ", -f.b, " ou ", MonomialPiece{{g.a, 1}}, " = ",
                    -g.b);
        // At level 1 both divisors are 1: there is nothing to divide.
        if (level_ > 1)
            steps_.Step(kItalicX, " = ", QuotientPiece{-f.b, f.a}, " ou ", kItalicX, " = ",
                        QuotientPiece{-g.b, g.a});
        steps_.Step(kItalicX, " = ", FractionPiece{r}, " ou ", kItalicX, " = ", FractionPiece{s});
        const auto [low, high] = r < s ? std::pair(r, s) : std::pair(s, r);
        steps_.Result(kItalicX, " = ", FractionPiece{low}, " ou ", kItalicX, " = ",
                      FractionPiece{high});
    }

private:
    ProductEquation Draw(RandomSource& random) const {
        for (;;) {
            ProductEquation e;
            Factor& f = e.first;
            Factor& g = e.second;
            if (level_ == 1) {
                f = {1, DrawSignedMagnitude(random, 1, 20)};
                g = {1, DrawSignedMagnitude(random, 1, 20)};
            } else if (level_ == 2) {
                f.a = DrawBetween(random, 2, 6);
                do
                    g.a = DrawBetween(random, 2, 6);
                while (g.a == f.a);
                f.b = f.a * DrawSignedMagnitude(random, 1, 5);
                g.b = g.a * DrawSignedMagnitude(random, 1, 5);
            } else {
                f = {DrawBetween(random, 2, 9), DrawSignedMagnitude(random, 1, 20)};
                g = {DrawBetween(random, 2, 9), DrawSignedMagnitude(random, 1, 20)};
            }
            // Equal roots would make the two equations one.
            if (f.b * g.a != g.b * f.a)
                return e;
        }
    }

    int level_;
    QuestionHistory<UnorderedFactors> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateProductEquation(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<ProductEquationDraws>("EQPROD_", 3, settings, level, random);
}

} // namespace vorn
