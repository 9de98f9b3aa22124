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

#include <array>
#include <string>

namespace vorn {

namespace {

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations suivantes.";

// a x + b = c x + d; c is 0 at level 1, whose right side is the constant d
// alone.
struct LinearEquation {
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;

    friend bool operator==(const LinearEquation&, const LinearEquation&) = default;
};

// Level 1: a x + b = d. Level 2: a x + b = c x + d with an integer solution.
// Level 3: the same with d drawn like b and a solution that is not an
// integer. The integer solutions are drawn first, in -10..10, and d follows
// from them.
class LinearEquationDraws final : public WorkedFamily {
public:
    explicit LinearEquationDraws(int level) : WorkedFamily(kInstruction), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const LinearEquation e = history_.DrawNew([&] { return Draw(random); });

        const std::size_t question = statement.size();
        // At level 1, c = 0 leaves the constant d alone on the right.
        Append(statement, number, "\xB0/ ", kExpressionOpen, LinearPiece{e.a, e.b}, " = ",
               LinearPiece{e.c, e.d}, kLineClose);
        answer.append(statement, question);

        // x terms to the left, constants to the right, each moved term with
        // its sign changed; then both sides reduced; then the division, left
        // out when the coefficient is 1 or -1: -x = 5 gives x = -5 at once.
        steps_.Start(answer);
        const int coefficient = e.a - e.c;
        const int constant = e.d - e.b;
        const Fraction solution = MakeFraction(constant, coefficient);
        const std::array<Term, 2> xTerms{{{e.a, 1}, {-e.c, 1}}};
        const std::array<Term, 2> constants{{{e.d, 0}, {-e.b, 0}}};
        steps_.Step(SumPiece{xTerms}, " = ", SumPiece{constants});
        steps_.Step(MonomialPiece{{coefficient, 1}}, " = ", NumberPiece{constant});
        if (coefficient != 1 && coefficient != -1)
            steps_.Step(kItalicX, " = ", QuotientPiece{constant, coefficient});
        steps_.Step(kItalicX, " = ", FractionPiece{solution});
        steps_.Result(SolutionSetPiece{{&solution, 1}});
    }

private:
    // A solution 0 would need the same constant on both sides, as in
    // 6 x + 9 = 9 x + 9: such a draw is made again.
    LinearEquation Draw(RandomSource& random) const {
        for (;;) {
            LinearEquation e;
            int solution = 0;
            if (level_ < 3)
                solution = DrawBetween(random, -10, 10);
            e.a = DrawSignedMagnitude(random, 1, 9);
            if (level_ > 1) {
                // a = c would leave no x: no solution, or every number one.
                do
                    e.c = DrawSignedMagnitude(random, 1, 9);
                while (e.c == e.a);
            }
            e.b = DrawSignedMagnitude(random, 1, 12);
            if (level_ < 3)
                e.d = (e.a - e.c) * solution + e.b;
            else
                e.d = DrawSignedMagnitude(random, 1, 12);
            // The right side keeps its constant: a derived 0 is drawn again.
            // Level 3 asks for a fraction: an integer solution is drawn again.
            if (e.d != 0 && e.d != e.b && (level_ < 3 || (e.d - e.b) % (e.a - e.c) != 0))
                return e;
        }
    }

    int level_;
    QuestionHistory<LinearEquation> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateLinearEquation(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<LinearEquationDraws>("EQ1-", 3, settings, level, random);
}

} // namespace vorn
