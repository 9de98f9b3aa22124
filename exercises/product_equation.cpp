#include "exercises/families.h"
#include "exercises/fraction.h"
#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/root_stages.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace vorn {

namespace {

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations produit nul suivantes.";
constexpr std::string_view kZeroProductRule =
    "Un produit est nul si et seulement si l'un au moins de ses facteurs est nul.";

using Factor = RootFactor;

// (a x + b)(c x + d) = 0.
struct ProductEquation {
    Factor first;
    Factor second;
};

// The solution set, smaller root first: two equations with the same set
// would be one exercise twice.
struct SolutionSet {
    Fraction low;
    Fraction high;

    explicit SolutionSet(const ProductEquation& e) : low(e.first.Root()), high(e.second.Root()) {
        if (high < low)
            std::swap(low, high);
    }
    friend bool operator==(const SolutionSet&, const SolutionSet&) = default;
};

// Level 1: (x + b)(x + d). Level 2: a and c in -5..5 (not 0) and integer
// roots in -10..10. Level 3: a and c in -9..9 (not -1..1), b and d in
// -20..20, at least one root a fraction. At levels 2 and 3 a coefficient of
// x is negative one time in four, and the first factor is x alone one time
// in six. The two roots always differ; no root is 0 twice on a sheet.
class ProductEquationDraws final : public WorkedFamily {
public:
    // The rule's sentence and up to five lines of working.
    static constexpr std::size_t kLongestAnswer = 520;

    explicit ProductEquationDraws(int level) : WorkedFamily(kInstruction), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        ProductEquation e;
        const SolutionSet roots = history_.DrawNew([&] {
            e = Draw(random);
            return SolutionSet(e);
        });
        zeroGiven_ = zeroGiven_ || e.first.b == 0;
        const Factor& f = e.first;
        const Factor& g = e.second;

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen);
        if (f.b == 0)
            Append(statement, kItalicX);
        else
            Append(statement, '(', LinearPiece{f.a, f.b}, ')');
        Append(statement, '(', LinearPiece{g.a, g.b}, ") = 0", kLineClose);
        answer.append(statement, question);

        steps_.Start(answer);
        steps_.Sentence(kZeroProductRule);
        for (int stage = 0; stage < 4; ++stage)
            steps_.Step(StagePiece{f, stage}, " ou ", StagePiece{g, stage});
        const std::array<Fraction, 2> set{roots.low, roots.high};
        steps_.Result(SolutionSetPiece{set});
    }

private:
    // A coefficient of x of magnitude low..high, negative one time in four.
    static int DrawCoefficient(RandomSource& random, int low, int high) {
        const int a = DrawBetween(random, low, high);
        return random.Random(4) == 0 ? -a : a;
    }

    Factor DrawFactor(RandomSource& random) const {
        if (level_ == 1)
            return {1, DrawSignedMagnitude(random, 1, 20)};
        if (level_ == 2) {
            const int a = DrawCoefficient(random, 1, 5);
            return {a, -a * DrawSignedMagnitude(random, 1, 10)};
        }
        return {DrawCoefficient(random, 2, 9), DrawSignedMagnitude(random, 1, 20)};
    }

    ProductEquation Draw(RandomSource& random) const {
        for (;;) {
            ProductEquation e;
            if (level_ > 1 && !zeroGiven_ && random.Random(6) == 0)
                e.first = {1, 0};
            else
                e.first = DrawFactor(random);
            e.second = DrawFactor(random);
            const Fraction r = e.first.Root();
            const Fraction s = e.second.Root();
            // Equal roots would make the two equations one; level 3 is
            // about fractions.
            if (r != s && (level_ < 3 || r.den != 1 || s.den != 1))
                return e;
        }
    }

    int level_;
    bool zeroGiven_ = false;
    QuestionHistory<SolutionSet> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateProductEquation(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<ProductEquationDraws>("EQPROD", 3, settings, level, random);
}

} // namespace vorn
