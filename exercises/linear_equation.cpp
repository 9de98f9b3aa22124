#include "exercises/equation_steps.h"
#include "exercises/families.h"
#include "exercises/fraction.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/terms.h"

#include <stdexcept>
#include <string>

namespace vorn {

namespace {

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations suivantes.<br><br>";

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
// Level 3: the same with d drawn like b, so that the solution is often a
// fraction. The integer solutions are drawn first, in -10..10, and d follows
// from them.
class LinearEquationDraws final : public FamilyDraws {
public:
    explicit LinearEquationDraws(int level) : level_(level) {}

    void DrawSheet(RandomSource&, std::string_view, std::string& line) override {
        history_.Clear();
        Append(line, kInstruction);
    }

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const LinearEquation e = history_.DrawNew([&] { return Draw(random); });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kEquationOpen, LeadXPiece{e.a}, NextConstPiece{e.b},
               " = ");
        if (e.c != 0)
            Append(statement, LeadXPiece{e.c}, NextConstPiece{e.d}, kEquationClose);
        else
            Append(statement, e.d, kEquationClose);
        answer.append(statement, question);

        // x terms to the left, constants to the right, each moved term with
        // its sign changed; then both sides reduced; then the division.
        steps_.Start(answer);
        const int coefficient = e.a - e.c;
        const int constant = e.d - e.b;
        steps_.Step(LeadXPiece{e.a}, NextXPiece{-e.c}, " = ", e.d, NextConstPiece{-e.b});
        steps_.Step(LeadXPiece{coefficient}, " = ", constant);
        if (constant != 0 && coefficient != 1)
            steps_.Step(kEquationX, " = ", QuotientPiece{constant, coefficient});
        steps_.Result(kEquationX, " = ", FractionPiece{MakeFraction(constant, coefficient)});
    }

private:
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
            if (e.d != 0)
                return e;
        }
    }

    int level_;
    QuestionHistory<LinearEquation> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateLinearEquation(const SheetSettings& settings, int level, RandomSource& random) {
    if (level < 1 || level > 3)
        throw std::out_of_range("no level " + std::to_string(level) + " for equations");
    LinearEquationDraws family(level);
    return RunFrame({"EQ1_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
