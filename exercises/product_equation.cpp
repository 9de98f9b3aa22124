#include "exercises/equation_steps.h"
#include "exercises/families.h"
#include "exercises/fraction.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/terms.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace vorn {

namespace {

constexpr std::string_view kInstruction =
    "R\xE9soudre les \xE9quations produit nul suivantes.<br><br>";
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
class ProductEquationDraws final : public FamilyDraws {
public:
    explicit ProductEquationDraws(int level) : level_(level) {}

    void DrawSheet(RandomSource&, std::string_view, std::string& line) override {
        history_.Clear();
        Append(line, kInstruction);
    }

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
        Append(statement, number, "\xB0/ ", kEquationOpen, '(', LeadXPiece{f.a},
               NextConstPiece{f.b}, ")(", LeadXPiece{g.a}, NextConstPiece{g.b}, ") = 0",
               kEquationClose);
        answer.append(statement, question);

        const Fraction r = MakeFraction(-f.b, f.a);
        const Fraction s = MakeFraction(-g.b, g.a);
        steps_.Start(answer);
        steps_.Sentence(kZeroProductRule);
        steps_.Step(LeadXPiece{f.a}, NextConstPiece{f.b}, " = 0 ou ", LeadXPiece{g.a},
                    NextConstPiece{g.b}, " = 0");
        steps_.Step(LeadXPiece{f.a}, " = ", -f.b, " ou ", LeadXPiece{g.a}, " = ", -g.b);
        // At level 1 both divisors are 1: there is nothing to divide.
        if (level_ > 1)
            steps_.Step(kEquationX, " = ", QuotientPiece{-f.b, f.a}, " ou ", kEquationX, " = ",
                        QuotientPiece{-g.b, g.a});
        steps_.Step(kEquationX, " = ", FractionPiece{r}, " ou ", kEquationX, " = ",
                    FractionPiece{s});
        const auto [low, high] = r < s ? std::pair(r, s) : std::pair(s, r);
        steps_.Result(kEquationX, " = ", FractionPiece{low}, " ou ", kEquationX, " = ",
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
    if (level < 1 || level > 3)
        throw std::out_of_range("no level " + std::to_string(level) + " for product equations");
    ProductEquationDraws family(level);
    return RunFrame({"EQPROD_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
