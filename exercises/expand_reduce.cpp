#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/terms.h"
#include "exercises/worked_family.h"

#include <array>

namespace vorn {

namespace {

// The pieces below would hide the general ones from this namespace.
using vorn::PieceSize;
using vorn::WritePiece;

// a x + b; a = 0 stands for the constant factor b alone.
struct Factor {
    int a;
    int b;

    std::array<Term, 2> Terms() const { return {{{a, 1}, {b, 0}}}; }
    bool operator==(const Factor&) const = default;
};

struct Product {
    Factor left;
    Factor right;

    Polynomial Value() const { return LinearProduct(left.a, left.b, right.a, right.b); }
    bool operator==(const Product&) const = default;
};

// The product as the statement writes it: "(a x + b)(c x + d)" or "k(c x + d)".
struct ProductPiece {
    Product product;
};

inline std::size_t PieceSize(const ProductPiece&) {
    return 4 + PieceSize(NumberPiece{}) + 2 * PieceSize(LinearPiece{});
}

void WritePiece(char*& at, const ProductPiece& piece) {
    const Product& p = piece.product;
    if (p.left.a == 0) {
        WritePiece(at, NumberPiece{p.left.b});
    } else {
        *at++ = '(';
        WritePiece(at, SumPiece{p.left.Terms()});
        *at++ = ')';
    }
    *at++ = '(';
    WritePiece(at, SumPiece{p.right.Terms()});
    *at++ = ')';
}

// Every term of the left factor times every term of the right one, the
// partial products joined by "+" and their negative factors in brackets.
struct PartialProductsPiece {
    Product product;
};

inline std::size_t PieceSize(const PartialProductsPiece&) {
    return 4 * (3 + kTimes.size() + 2 * PieceSize(FactorPiece{}));
}

void WritePiece(char*& at, const PartialProductsPiece& piece) {
    bool first = true;
    for (const Term& u : piece.product.left.Terms()) {
        if (u.coefficient == 0)
            continue;
        for (const Term& v : piece.product.right.Terms()) {
            if (!first)
                WritePiece(at, " + ");
            first = false;
            WritePiece(at, FactorPiece{u});
            WritePiece(at, kTimes);
            WritePiece(at, FactorPiece{v});
        }
    }
}

// The value of every partial product, in the same order, not yet reduced:
// "2 x² + 10 x - 3 x - 15".
struct ProductValuesPiece {
    Product product;
};

inline std::size_t PieceSize(const ProductValuesPiece&) {
    return PieceSize(SumPiece{std::span<const Term>{}}) + 4 * (3 + kMaxMonomialSize);
}

void WritePiece(char*& at, const ProductValuesPiece& piece) {
    std::array<Term, 4> values{};
    std::size_t count = 0;
    for (const Term& u : piece.product.left.Terms()) {
        if (u.coefficient == 0)
            continue;
        for (const Term& v : piece.product.right.Terms())
            values[count++] = {u.coefficient * v.coefficient, u.power + v.power};
    }
    WritePiece(at, SumPiece{{values.data(), count}});
}

// first ± second
struct Question {
    Product first;
    int sign;
    Product second;

    bool operator==(const Question&) const = default;
};

// (a x + b)(c x + d) ± k(e x + f) at level 1, (a x + b)(c x + d) ± (e x + f)(g x + h)
// at level 2; every coefficient in ±1..9, k in 2..9.
class ExpandReduce final : public WorkedFamily {
public:
    // Five lines of working, the first one with eight partial products.
    static constexpr std::size_t kLongestAnswer = 900;

    explicit ExpandReduce(int level)
        : WorkedFamily("D\xE9"
                       "velopper et r\xE9"
                       "duire les expressions suivantes."),
          level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const Question q = history_.DrawNew([&] { return Draw(random); });
        const Polynomial first = q.first.Value();
        const Polynomial second = q.sign * q.second.Value();

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, ProductPiece{q.first}, ' ',
               OperatorPiece{q.sign}, ' ', ProductPiece{q.second}, kLineClose);
        answer.append(statement, question);
        // The partial products, their values, each product reduced, the
        // brackets removed: after a "-", every sign of the second product
        // changes.
        const std::array<Term, 6> unbracketed{{{first.coefficients[2], 2},
                                               {first.coefficients[1], 1},
                                               {first.coefficients[0], 0},
                                               {second.coefficients[2], 2},
                                               {second.coefficients[1], 1},
                                               {second.coefficients[0], 0}}};
        steps_.Start(answer);
        steps_.Step("= (", PartialProductsPiece{q.first}, ") ", OperatorPiece{q.sign}, " (",
                    PartialProductsPiece{q.second}, ')');
        steps_.Step("= ", ProductValuesPiece{q.first}, ' ', OperatorPiece{q.sign}, " (",
                    ProductValuesPiece{q.second}, ')');
        steps_.Step("= ", PolynomialPiece{q.first.Value()}, ' ', OperatorPiece{q.sign}, " (",
                    PolynomialPiece{q.second.Value()}, ')');
        steps_.Step("= ", SumPiece{unbracketed});
        steps_.EqualsResult(PolynomialPiece{first + second});
    }

private:
    static Factor DrawBinomial(RandomSource& random) {
        const int a = DrawSignedMagnitude(random, 1, 9);
        return {a, DrawSignedMagnitude(random, 1, 9)};
    }

    Question Draw(RandomSource& random) const {
        for (;;) {
            Question q;
            q.first.left = DrawBinomial(random);
            q.first.right = DrawBinomial(random);
            q.sign = DrawSign(random);
            if (level_ == 1)
                q.second.left = {0, DrawBetween(random, 2, 9)};
            else
                q.second.left = DrawBinomial(random);
            q.second.right = DrawBinomial(random);

            // Two equal products would cancel or merely double; a result
            // without x would reduce the exercise to adding constants.
            const Polynomial result = q.first.Value() + q.sign * q.second.Value();
            if (q.first.Value() != q.second.Value() &&
                (result.coefficients[2] != 0 || result.coefficients[1] != 0))
                return q;
        }
    }

    int level_;
    QuestionHistory<Question> history_;
    KeySteps steps_;
};

} // namespace

Sheet GenerateExpandReduce(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<ExpandReduce>("DEVRED", 2, settings, level, random);
}

} // namespace vorn
