#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/kind_bag.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/terms.h"
#include "exercises/worked_family.h"

#include <array>
#include <cstdlib>
#include <numeric>

namespace vorn {

namespace {

enum class Kind {
    CommonNumber, // kn x ± km = k(n x ± m)
    CommonX,      // kn x² ± km x = kx(n x ± m)
    Difference,   // f² x² - g² = (f x + g)(f x - g)
    Square,       // f² x² ± 2fg x + g² = (f x ± g)²
};

struct Question {
    Kind kind;
    int k;    // the common factor's number, with its sign; 1 for the identities
    int n;    // n, or f
    int m;    // m, or g
    int sign; // the sign between the terms of the factorised bracket

    bool operator==(const Question&) const = default;
};

// What makes two questions near twins: the same coefficients whatever their
// signs, as 5 x + 10 and 5 x - 10.
struct Magnitudes {
    std::array<int, 3> coefficients;

    explicit Magnitudes(const Polynomial& p) {
        for (std::size_t i = 0; i < coefficients.size(); ++i)
            coefficients[i] = std::abs(p.coefficients[i]);
    }
    bool operator==(const Magnitudes&) const = default;
};

// Coefficients of a statement stay below this, whatever the common factor.
constexpr int kLargestCoefficient = 72;

// Level 1 draws between the common factors, level 2 between the identities,
// level 3 mixes the four kinds in a shuffled order.
class Factorise final : public WorkedFamily {
public:
    explicit Factorise(int level)
        : WorkedFamily("Factoriser les expressions suivantes."), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const Kind kind = level_ == 3   ? static_cast<Kind>(kinds_.Next(random))
                          : level_ == 1 ? static_cast<Kind>(random.Random(2))
                                        : static_cast<Kind>(2 + random.Random(2));
        Question q;
        history_.DrawNew([&] {
            q = Draw(kind, random);
            return Magnitudes(Expanded(q));
        });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, PolynomialPiece{Expanded(q)},
               kLineClose);
        answer.append(statement, question);
        Append(answer, kStepOpen, "= ");
        AppendStructure(answer, q);
        Append(answer, kLineClose, kStepOpen, '=', kHighlightOpen);
        AppendFactorised(answer, q);
        Append(answer, kHighlightClose, kLineClose);
    }

private:
    static Polynomial Expanded(const Question& q) {
        switch (q.kind) {
        case Kind::CommonNumber:
            return {{q.sign * q.k * q.m, q.k * q.n, 0}};
        case Kind::CommonX:
            return {{0, q.sign * q.k * q.m, q.k * q.n}};
        case Kind::Difference:
            return LinearProduct(q.n, q.m, q.n, -q.m);
        case Kind::Square:
            break;
        }
        return LinearProduct(q.n, q.sign * q.m, q.n, q.sign * q.m);
    }

    // (f x)², or x² alone when f is 1.
    static void AppendSquaredX(std::string& out, int f) {
        if (f == 1)
            Append(out, kItalicX, kSquare);
        else
            Append(out, '(', MonomialPiece{{f, 1}}, ')', kSquare);
    }

    // The step that shows the common factor or the identity. A negative
    // common factor stands in brackets, and so does the bracket's constant
    // then: the product is written as it is, with a "+" between.
    static void AppendStructure(std::string& out, const Question& q) {
        const MonomialPiece nx{{q.n, 1}};
        const OperatorPiece sign{q.sign};
        const int power = q.kind == Kind::CommonX ? 1 : 0;
        switch (q.kind) {
        case Kind::CommonNumber:
        case Kind::CommonX:
            if (q.k > 0)
                Append(out, MonomialPiece{{q.k, power}}, kTimes, nx, ' ', sign, ' ',
                       MonomialPiece{{q.k, power}}, kTimes, q.m);
            else
                Append(out, FactorPiece{{q.k, power}}, kTimes, nx, " + ", FactorPiece{{q.k, power}},
                       kTimes, FactorPiece{{q.sign * q.m, 0}});
            return;
        case Kind::Difference:
            AppendSquaredX(out, q.n);
            Append(out, ' ', kMinus, ' ', q.m, kSquare);
            return;
        case Kind::Square:
            AppendSquaredX(out, q.n);
            Append(out, ' ', sign, " 2", kTimes, nx, kTimes, q.m, " + ", q.m, kSquare);
            return;
        }
    }

    static void AppendFactorised(std::string& out, const Question& q) {
        const std::array<Term, 2> bracket{{{q.n, 1}, {q.sign * q.m, 0}}};
        switch (q.kind) {
        case Kind::CommonNumber:
            Append(out, NumberPiece{q.k}, '(', SumPiece{bracket}, ')');
            return;
        case Kind::CommonX:
            Append(out, MonomialPiece{{q.k, 1}}, '(', SumPiece{bracket}, ')');
            return;
        case Kind::Difference: {
            const std::array<Term, 2> sum{{{q.n, 1}, {q.m, 0}}};
            Append(out, '(', SumPiece{sum}, ")(", SumPiece{bracket}, ')');
            return;
        }
        case Kind::Square:
            Append(out, '(', SumPiece{bracket}, ')', kSquare);
            return;
        }
    }

    // Two numbers in 1..9 without a common divisor, so that the bracket
    // cannot be factorised further, neither above `largest`.
    static void DrawCoprime(RandomSource& random, int largest, int& first, int& second) {
        do {
            first = DrawBetween(random, 1, 9);
            second = DrawBetween(random, 1, 9);
        } while (std::gcd(first, second) != 1 || first > largest || second > largest);
    }

    // The common factor is a number in 2..12, or x alone, or a number in
    // 2..12 times x; one time in four it is negative. The bracket left
    // admits no further factor, so that the factor is the greatest one.
    static Question Draw(Kind kind, RandomSource& random) {
        Question q{kind, 1, 0, 0, -1};
        if (kind == Kind::CommonNumber || kind == Kind::CommonX) {
            q.k = DrawBetween(random, kind == Kind::CommonNumber ? 2 : 1, 12);
            if (random.Random(4) == 0)
                q.k = -q.k;
        }
        DrawCoprime(random, kLargestCoefficient / std::abs(q.k), q.n, q.m);
        if (kind != Kind::Difference)
            q.sign = DrawSign(random);
        return q;
    }

    int level_;
    QuestionHistory<Magnitudes> history_;
    KindBag<4> kinds_;
};

} // namespace

Sheet GenerateFactorise(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<Factorise>("FACT", 3, settings, level, random);
}

} // namespace vorn
