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
#include <array>
#include <string>
#include <utility>

namespace vorn {

namespace {

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations produit nul suivantes.";
constexpr std::string_view kZeroProductRule =
    "Un produit est nul si et seulement si l'un au moins de ses facteurs est nul.";

// a x + b, with a != 0; the factor x alone is a = 1, b = 0.
struct Factor {
    int a = 0;
    int b = 0;

    Fraction Root() const { return MakeFraction(-b, a); }
};

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

// One factor at one stage of its resolution: "a x + b = 0", "a x = -b",
// "x = -b/a", "x = r". The division is left out when a is 1 or -1, and the
// factor x is "x = 0" throughout.
struct StagePiece {
    Factor factor;
    int stage;
};

inline std::size_t PieceSize(const StagePiece&) {
    // More than the longest of the four stages.
    return 4 + kItalicX.size() + PieceSize(LinearPiece{}) + PieceSize(QuotientPiece{});
}

void WritePiece(char*& at, const StagePiece& piece) {
    const Factor& f = piece.factor;
    const bool divides = f.a != 1 && f.a != -1;
    if (piece.stage == 0 && f.b != 0)
        WritePieces(at, LinearPiece{f.a, f.b}, " = 0");
    else if (piece.stage == 1 && f.b != 0 && f.a != 1)
        WritePieces(at, MonomialPiece{{f.a, 1}}, " = ", NumberPiece{-f.b});
    else if (piece.stage == 2 && divides)
        WritePieces(at, kItalicX, " = ", QuotientPiece{-f.b, f.a});
    else
        WritePieces(at, kItalicX, " = ", FractionPiece{f.Root()});
}

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
