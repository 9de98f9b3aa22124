#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/level_generators.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <array>
#include <utility>

namespace vorn {

namespace {

// left × right, two monomials.
struct Question {
    Term left;
    Term right;

    bool operator==(const Question&) const = default;
};

// The same factors in the other order make a near twin: a question is known
// by its factors in a fixed order.
Question Sorted(Question q) {
    const auto key = [](const Term& t) { return std::pair(t.power, t.coefficient); };
    if (key(q.right) < key(q.left))
        std::swap(q.left, q.right);
    return q;
}

// The pieces below would hide the general ones from this namespace.
using vorn::PieceSize;
using vorn::WritePiece;

// The product taken apart as the pupil multiplies it: the numbers first,
// then the x factors, "3 × (−1) × x × x²". A coefficient 1 is not written;
// −1 is, as the factor it is.
struct FactorsPiece {
    Question q;
};

inline std::size_t PieceSize(const FactorsPiece&) {
    return 4 * (kTimes.size() + PieceSize(FactorPiece{}));
}

void WritePiece(char*& at, const FactorsPiece& piece) {
    bool first = true;
    for (const Term& t : {piece.q.left, piece.q.right}) {
        if (t.coefficient == 1)
            continue;
        if (!first)
            WritePiece(at, kTimes);
        if (first)
            WritePiece(at, NumberPiece{t.coefficient});
        else
            WritePiece(at, FactorPiece{{t.coefficient, 0}});
        first = false;
    }
    for (const Term& t : {piece.q.left, piece.q.right}) {
        if (t.power == 0)
            continue;
        if (!first)
            WritePiece(at, kTimes);
        WritePiece(at, MonomialPiece{{1, t.power}});
        first = false;
    }
}

// The powers of x of the two factors: x × x, x × a number either way, x × x².
constexpr std::array<std::pair<int, int>, 5> kPowers{{{1, 1}, {1, 0}, {0, 1}, {1, 2}, {2, 1}}};

// Level 3 of "Réduire": 3x × 5x, −2x × 4, 3x × (−x²). A coefficient of x is
// in ±1..9, a number alone in ±2..9; the product's coefficient is never 1 or
// −1, which would leave nothing to compute.
class ReduceProducts final : public WorkedFamily {
public:
    explicit ReduceProducts(int)
        : WorkedFamily("R\xE9"
                       "duire les expressions suivantes.") {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        Question q;
        history_.DrawNew([&] {
            q = Draw(random);
            return Sorted(q);
        });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, MonomialPiece{q.left}, kTimes,
               FactorPiece{q.right}, kLineClose);
        answer.append(statement, question);

        steps_.Start(answer);
        steps_.Step("= ", FactorsPiece{q});
        steps_.EqualsResult(MonomialPiece{
            {q.left.coefficient * q.right.coefficient, q.left.power + q.right.power}});
    }

private:
    static Question Draw(RandomSource& random) {
        for (;;) {
            const auto [p, r] = kPowers[static_cast<std::size_t>(random.Random(kPowers.size()))];
            const Question q{{DrawSignedMagnitude(random, p == 0 ? 2 : 1, 9), p},
                             {DrawSignedMagnitude(random, r == 0 ? 2 : 1, 9), r}};
            const int product = q.left.coefficient * q.right.coefficient;
            if (product != 1 && product != -1)
                return q;
        }
    }

    QuestionHistory<Question> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateReduceProducts(const SheetSettings& settings, RandomSource& random) {
    return RunWorkedFamily<ReduceProducts>("RED", 3, settings, 3, random);
}

} // namespace vorn
