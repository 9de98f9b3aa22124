#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/kind_bag.h"
#include "exercises/level_generators.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <array>
#include <cstdlib>
#include <numeric>
#include <utility>

namespace vorn {

namespace {

// The pieces below would hide the general ones from this namespace.
using vorn::PieceSize;
using vorn::WritePiece;

// a x + b
struct Binomial {
    int a = 0;
    int b = 0;

    bool operator==(const Binomial&) const = default;
    bool operator<(const Binomial& o) const { return std::pair(a, b) < std::pair(o.a, o.b); }
};

// The binomial in round brackets, or in square ones: "(2x − 3)", "[x + 1]".
struct BracketPiece {
    Binomial value;
    char open = '(';
};

inline std::size_t PieceSize(const BracketPiece&) {
    return 2 + PieceSize(LinearPiece{});
}

void WritePiece(char*& at, const BracketPiece& piece) {
    *at++ = piece.open;
    WritePiece(at, LinearPiece{piece.value.a, piece.value.b});
    *at++ = piece.open == '(' ? ')' : ']';
}

// first + sign · second with its brackets removed, every sign of the second
// binomial changed after a minus: "x + 2 − 3x + 1".
struct UnbracketedPiece {
    Binomial first;
    int sign;
    Binomial second;
};

inline std::size_t PieceSize(const UnbracketedPiece&) {
    return 2 * PieceSize(LinearPiece{});
}

void WritePiece(char*& at, const UnbracketedPiece& piece) {
    const std::array<Term, 4> terms{{{piece.first.a, 1},
                                     {piece.first.b, 0},
                                     {piece.sign * piece.second.a, 1},
                                     {piece.sign * piece.second.b, 0}}};
    WritePiece(at, SumPiece{terms});
}

// (d x)², or x² alone when d is 1.
struct SquaredXPiece {
    int d;
};

inline std::size_t PieceSize(const SquaredXPiece&) {
    return 2 + kMaxMonomialSize + kSquare.size();
}

void WritePiece(char*& at, const SquaredXPiece& piece) {
    if (piece.d == 1) {
        WritePieces(at, kItalicX, kSquare);
        return;
    }
    WritePieces(at, '(', MonomialPiece{{piece.d, 1}}, ')', kSquare);
}

enum class Kind {
    CommonProduct,     // (A)(B) ± (A)(C) = (A)(B ± C)
    CommonSquare,      // (A)² ± (A)(C) = (A)(A ± C)
    SquareMinusNumber, // (A)² − c² = (A + c)(A − c)
    NumberMinusSquare, // c² − (d x)² = (c + d x)(c − d x)
    TwoSquares,        // (A)² − (C)² = (A + C)(A − C)
};

// Level 4 uses common, other and sign; the common bracket of the second
// product stands on its right when `commonRight`. Level 5 uses common (A),
// other (C), or c and d.
struct Question {
    Kind kind = Kind::CommonProduct;
    Binomial common;
    Binomial first; // B, or A again for a square
    int sign = 1;
    Binomial other;
    bool commonRight = false;
    int c = 0;
    int d = 0;

    bool operator==(const Question&) const = default;
};

// What makes two questions the same exercise: the second product's bracket
// on either side, or the two products of a sum swapped.
Question Key(Question q) {
    q.commonRight = false;
    if (q.kind == Kind::CommonProduct && q.sign > 0 && q.other < q.first)
        std::swap(q.first, q.other);
    return q;
}

bool IsPrime(Binomial f) {
    return f.a != 0 && f.b != 0 && std::gcd(f.a, f.b) == 1;
}

Binomial Combined(Binomial f, int sign, Binomial g) {
    return {f.a + sign * g.a, f.b + sign * g.b};
}

// Level 4, a common bracket: (2x + 1)(x − 3) + (2x + 1)(4x + 5),
// (x + 2)² − (x + 2)(3x − 1), the one kind or the other at random. Level 5,
// a² − b² with bracketed terms: (x + 1)² − 9, 16 − 9x², (2x − 3)² − (x + 5)²,
// the three kinds in a shuffled order. The common bracket has a in 1..5,
// every other a in ±1..5, every b in ±1..9; the brackets of the result admit
// no further factor and hold both an x term and a constant, as every bracket
// of the statement does.
class FactoriseBrackets final : public WorkedFamily {
public:
    explicit FactoriseBrackets(int level)
        : WorkedFamily("Factoriser les expressions suivantes."), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        // The kind first, so that a question drawn again keeps it.
        const Kind kind = level_ == 4 ? static_cast<Kind>(random.Random(2))
                                      : static_cast<Kind>(2 + kinds_.Next(random));
        Question q;
        history_.DrawNew([&] {
            q = Draw(kind, random);
            return Key(q);
        });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen);
        AppendStatement(statement, q);
        Append(statement, kLineClose);
        answer.append(statement, question);
        steps_.Start(answer);
        AppendWorking(q);
    }

private:
    static void AppendStatement(std::string& out, const Question& q) {
        const BracketPiece a{q.common};
        switch (q.kind) {
        case Kind::CommonProduct:
        case Kind::CommonSquare:
            if (q.kind == Kind::CommonSquare)
                Append(out, a, kSquare);
            else
                Append(out, a, BracketPiece{q.first});
            Append(out, ' ', OperatorPiece{q.sign}, ' ');
            if (q.commonRight)
                Append(out, BracketPiece{q.other}, a);
            else
                Append(out, a, BracketPiece{q.other});
            return;
        case Kind::SquareMinusNumber:
            Append(out, a, kSquare, ' ', kMinus, ' ', q.c * q.c);
            return;
        case Kind::NumberMinusSquare:
            Append(out, q.c * q.c, ' ', kMinus, ' ', MonomialPiece{{q.d * q.d, 2}});
            return;
        case Kind::TwoSquares:
            Append(out, a, kSquare, ' ', kMinus, ' ', BracketPiece{q.other}, kSquare);
            return;
        }
    }

    void AppendWorking(const Question& q) {
        const BracketPiece a{q.common};
        switch (q.kind) {
        case Kind::CommonProduct:
        case Kind::CommonSquare: {
            // The common bracket in front, what is left of each product in
            // a square bracket; then that bracket opened.
            steps_.Step("= ", a, '[', BracketPiece{q.first}, ' ', OperatorPiece{q.sign}, ' ',
                        BracketPiece{q.other}, ']');
            steps_.Step("= ", a, '(', UnbracketedPiece{q.first, q.sign, q.other}, ')');
            steps_.EqualsResult(a, BracketPiece{Combined(q.first, q.sign, q.other)});
            return;
        }
        case Kind::SquareMinusNumber: {
            // a² − b² = (a + b)(a − b), a being the bracket.
            const Binomial c{0, q.c};
            steps_.Step("= ", a, kSquare, ' ', kMinus, ' ', q.c, kSquare);
            steps_.Step("= [", a, " + ", q.c, "][", a, ' ', kMinus, ' ', q.c, ']');
            steps_.Step("= (", UnbracketedPiece{q.common, 1, c}, ")(",
                        UnbracketedPiece{q.common, -1, c}, ')');
            steps_.EqualsResult(BracketPiece{Combined(q.common, 1, c)},
                                BracketPiece{Combined(q.common, -1, c)});
            return;
        }
        case Kind::NumberMinusSquare: {
            const std::array<Term, 2> sum{{{q.c, 0}, {q.d, 1}}};
            const std::array<Term, 2> difference{{{q.c, 0}, {-q.d, 1}}};
            steps_.Step("= ", q.c, kSquare, ' ', kMinus, ' ', SquaredXPiece{q.d});
            steps_.EqualsResult('(', SumPiece{sum}, ")(", SumPiece{difference}, ')');
            return;
        }
        case Kind::TwoSquares:
            steps_.Step("= [", a, " + ", BracketPiece{q.other}, "][", a, ' ', kMinus, ' ',
                        BracketPiece{q.other}, ']');
            steps_.Step("= (", UnbracketedPiece{q.common, 1, q.other}, ")(",
                        UnbracketedPiece{q.common, -1, q.other}, ')');
            steps_.EqualsResult(BracketPiece{Combined(q.common, 1, q.other)},
                                BracketPiece{Combined(q.common, -1, q.other)});
            return;
        }
    }

    static Binomial DrawBinomial(RandomSource& random, int lowA) {
        const int a = lowA > 0 ? DrawBetween(random, 1, 5) : DrawSignedMagnitude(random, 1, 5);
        return {a, DrawSignedMagnitude(random, 1, 9)};
    }

    static Question Draw(Kind kind, RandomSource& random) {
        for (;;) {
            Question q;
            q.kind = kind;
            switch (kind) {
            case Kind::CommonProduct:
            case Kind::CommonSquare: {
                q.common = DrawBinomial(random, 1);
                q.first = kind == Kind::CommonSquare ? q.common : DrawBinomial(random, 0);
                q.sign = DrawSign(random);
                q.other = DrawBinomial(random, 0);
                q.commonRight = random.Random(4) == 0;
                const Binomial left = Combined(q.first, q.sign, q.other);
                // No bracket twice, and a result that is not a square.
                if (IsPrime(q.common) && IsPrime(q.first) && IsPrime(q.other) &&
                    (kind == Kind::CommonSquare || q.first != q.common) && q.first != q.other &&
                    q.other != q.common && IsPrime(left) &&
                    left.a * q.common.b != left.b * q.common.a)
                    return q;
                break;
            }
            case Kind::SquareMinusNumber:
                q.common = DrawBinomial(random, 1);
                q.c = DrawBetween(random, 1, 9);
                if (IsPrime(q.common) && IsPrime(Combined(q.common, 1, {0, q.c})) &&
                    IsPrime(Combined(q.common, -1, {0, q.c})))
                    return q;
                break;
            case Kind::NumberMinusSquare:
                q.c = DrawBetween(random, 1, 9);
                q.d = DrawBetween(random, 1, 9);
                if (std::gcd(q.c, q.d) == 1)
                    return q;
                break;
            case Kind::TwoSquares:
                q.common = DrawBinomial(random, 1);
                q.other = DrawBinomial(random, 1);
                if (IsPrime(q.common) && IsPrime(q.other) && q.common != q.other &&
                    IsPrime(Combined(q.common, 1, q.other)) &&
                    IsPrime(Combined(q.common, -1, q.other)))
                    return q;
                break;
            }
        }
    }

    int level_;
    QuestionHistory<Question> history_;
    KeySteps steps_;
    KindBag<3> kinds_;
};

} // namespace

Sheet GenerateFactoriseBrackets(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<FactoriseBrackets>("FACT", 5, settings, level, random);
}

} // namespace vorn
