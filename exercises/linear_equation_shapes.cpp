#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/kind_bag.h"
#include "exercises/level_generators.h"
#include "exercises/linear_solution.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <array>
#include <numeric>

namespace vorn {

namespace {

// The pieces below would hide the general ones from this namespace.
using vorn::PieceSize;
using vorn::WritePiece;

enum class Kind {
    Distribute, // k(a x + b) = c x + d
    Brackets,   // k(a x + b) ± (c x + d) = r
    XOver,      // x/p + b = r
    OneSide,    // (a x + b)/p = r
    TwoSides,   // (a x + b)/p = (c x + d)/q
};

struct Equation {
    Kind kind = Kind::Distribute;
    int k = 0;
    int a = 0;
    int b = 0;
    int sign = 1;
    int c = 0;
    int d = 0;
    int p = 0;
    int q = 0;
    int r = 0;

    bool operator==(const Equation&) const = default;
};

// (a x + b)/p as the statement writes it: "x/3", "3x/2", "(2x − 1)/3".
struct OverPiece {
    int a;
    int b;
    int p;
};

inline std::size_t PieceSize(const OverPiece&) {
    return 3 + PieceSize(LinearPiece{}) + PieceSize(0);
}

void WritePiece(char*& at, const OverPiece& piece) {
    if (piece.b == 0) {
        WritePieces(at, MonomialPiece{{piece.a, 1}}, '/', piece.p);
        return;
    }
    WritePieces(at, '(', LinearPiece{piece.a, piece.b}, ")/", piece.p);
}

// A numerator or a bracket with a common factor, (4x + 8)/9, would hide a
// simpler exercise; so would 4x/8.
bool Prime(int a, int b) {
    return std::gcd(a, b) == 1;
}

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations suivantes.";

// Level 4, brackets: k(a x + b) = c x + d (k in ±2..6), or k(a x + b) ±
// (c x + d) = r (k in 2..6, c in 1..5), a in 1..3, with an integer solution
// in ±1..10; the key opens the brackets first.
// Level 5, fractions, three kinds from a bag: x/p + b = r with a solution a
// multiple of p; (a x + b)/p = r with an integer solution; (a x + b)/p =
// (c x + d)/q, p != q, whose solution may be a fraction, solved by the cross
// products. No solution is 0.
class ShapedLinearEquation final : public WorkedFamily {
public:
    static constexpr std::size_t kLongestAnswer = 720;

    explicit ShapedLinearEquation(int level) : WorkedFamily(kInstruction), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const Kind kind = level_ == 4 ? static_cast<Kind>(random.Random(2))
                                      : static_cast<Kind>(2 + kinds_.Next(random));
        const Equation e = history_.DrawNew([&] { return Draw(kind, random); });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen);
        switch (e.kind) {
        case Kind::Distribute:
            Append(statement, NumberPiece{e.k}, '(', LinearPiece{e.a, e.b},
                   ") = ", LinearPiece{e.c, e.d});
            break;
        case Kind::Brackets:
            Append(statement, NumberPiece{e.k}, '(', LinearPiece{e.a, e.b}, ") ",
                   OperatorPiece{e.sign}, " (", LinearPiece{e.c, e.d}, ") = ", NumberPiece{e.r});
            break;
        case Kind::XOver:
            Append(statement, kItalicX, '/', e.p, ' ', OperatorPiece{e.b}, ' ',
                   NumberPiece{e.b < 0 ? -e.b : e.b}, " = ", NumberPiece{e.r});
            break;
        case Kind::OneSide:
            Append(statement, OverPiece{e.a, e.b, e.p}, " = ", NumberPiece{e.r});
            break;
        case Kind::TwoSides:
            Append(statement, OverPiece{e.a, e.b, e.p}, " = ", OverPiece{e.c, e.d, e.q});
            break;
        }
        Append(statement, kLineClose);
        answer.append(statement, question);

        steps_.Start(answer);
        switch (e.kind) {
        case Kind::Distribute:
            steps_.Step(LinearPiece{e.k * e.a, e.k * e.b}, " = ", LinearPiece{e.c, e.d});
            AppendLinearSolution(steps_, e.k * e.a, e.k * e.b, e.c, e.d);
            return;
        case Kind::Brackets: {
            // After a minus, every sign of the bracket changes.
            const std::array<Term, 4> opened{
                {{e.k * e.a, 1}, {e.k * e.b, 0}, {e.sign * e.c, 1}, {e.sign * e.d, 0}}};
            const int a = e.k * e.a + e.sign * e.c;
            const int b = e.k * e.b + e.sign * e.d;
            steps_.Step(SumPiece{opened}, " = ", NumberPiece{e.r});
            steps_.Step(LinearPiece{a, b}, " = ", NumberPiece{e.r});
            AppendLinearSolution(steps_, a, b, 0, e.r);
            return;
        }
        case Kind::XOver: {
            // The constant moved, then both sides multiplied by p.
            const std::array<Term, 2> constants{{{e.r, 0}, {-e.b, 0}}};
            const Fraction solution = MakeFraction((e.r - e.b) * e.p, 1);
            steps_.Step(kItalicX, '/', e.p, " = ", SumPiece{constants});
            steps_.Step(kItalicX, '/', e.p, " = ", NumberPiece{e.r - e.b});
            steps_.Step(kItalicX, " = ", NumberPiece{e.r - e.b}, kTimes, e.p);
            steps_.Step(kItalicX, " = ", FractionPiece{solution});
            steps_.Result(SolutionSetPiece{{&solution, 1}});
            return;
        }
        case Kind::OneSide:
            steps_.Step(LinearPiece{e.a, e.b}, " = ", NumberPiece{e.r}, kTimes, e.p);
            steps_.Step(LinearPiece{e.a, e.b}, " = ", NumberPiece{e.r * e.p});
            AppendLinearSolution(steps_, e.a, e.b, 0, e.r * e.p);
            return;
        case Kind::TwoSides:
            // The cross products: q(a x + b) = p(c x + d), "3x" for p × x.
            Append(answer, kStepOpen, e.q, '(', LinearPiece{e.a, e.b}, ") = ");
            if (e.d == 0)
                Append(answer, MonomialPiece{{e.p * e.c, 1}}, kLineClose);
            else
                Append(answer, e.p, '(', LinearPiece{e.c, e.d}, ')', kLineClose);
            steps_.Start(answer);
            steps_.Step(LinearPiece{e.q * e.a, e.q * e.b}, " = ",
                        LinearPiece{e.p * e.c, e.p * e.d});
            AppendLinearSolution(steps_, e.q * e.a, e.q * e.b, e.p * e.c, e.p * e.d);
            return;
        }
    }

private:
    static Equation Draw(Kind kind, RandomSource& random) {
        for (;;) {
            Equation e;
            e.kind = kind;
            const int solution = DrawSignedMagnitude(random, 1, 10);
            switch (kind) {
            case Kind::Distribute:
                e.k = DrawSignedMagnitude(random, 2, 6);
                e.a = DrawBetween(random, 1, 3);
                e.b = DrawSignedMagnitude(random, 1, 9);
                e.c = DrawSignedMagnitude(random, 1, 9);
                e.d = (e.k * e.a - e.c) * solution + e.k * e.b;
                if (Prime(e.a, e.b) && e.c != e.k * e.a && e.d != 0)
                    return e;
                break;
            case Kind::Brackets:
                e.k = DrawBetween(random, 2, 6);
                e.a = DrawBetween(random, 1, 3);
                e.b = DrawSignedMagnitude(random, 1, 9);
                e.sign = DrawSign(random);
                e.c = DrawBetween(random, 1, 5);
                e.d = DrawSignedMagnitude(random, 1, 9);
                e.r = (e.k * e.a + e.sign * e.c) * solution + e.k * e.b + e.sign * e.d;
                if (Prime(e.a, e.b) && Prime(e.c, e.d) && e.k * e.a + e.sign * e.c != 0 && e.r != 0)
                    return e;
                break;
            case Kind::XOver:
                e.p = DrawBetween(random, 2, 9);
                e.b = DrawSignedMagnitude(random, 1, 9);
                e.r = solution + e.b; // x/p = solution: x is p times it
                if (e.r != 0)
                    return e;
                break;
            case Kind::OneSide:
                e.a = DrawBetween(random, 1, 9);
                e.b = DrawSignedMagnitude(random, 1, 9);
                e.p = DrawBetween(random, 2, 9);
                if (Prime(e.a, e.b) && (e.a * solution + e.b) % e.p == 0 &&
                    e.a * solution + e.b != 0) {
                    e.r = (e.a * solution + e.b) / e.p;
                    return e;
                }
                break;
            case Kind::TwoSides:
                e.a = DrawBetween(random, 1, 9);
                e.b = DrawSignedMagnitude(random, 1, 9);
                e.p = DrawBetween(random, 2, 9);
                e.c = DrawSignedMagnitude(random, 1, 9);
                e.d = random.Random(3) == 0 ? 0 : DrawSignedMagnitude(random, 1, 9);
                e.q = DrawBetween(random, 2, 9);
                // One solution, not 0 (the same constant on both sides).
                if (Prime(e.a, e.b) && Prime(e.c, e.d == 0 ? e.q : e.d) && e.p != e.q &&
                    e.q * e.a != e.p * e.c && e.q * e.b != e.p * e.d)
                    return e;
                break;
            }
        }
    }

    int level_;
    QuestionHistory<Equation> history_;
    KeySteps steps_;
    KindBag<3> kinds_;
};

} // namespace

Sheet GenerateShapedLinearEquation(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<ShapedLinearEquation>("EQ1-", 5, settings, level, random);
}

} // namespace vorn
