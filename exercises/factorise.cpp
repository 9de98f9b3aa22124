#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/stepped_family.h"
#include "exercises/terms.h"

#include <array>
#include <numeric>
#include <vector>

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
    int k;    // the common factor's number, 1 for the identities
    int n;    // n, or f
    int m;    // m, or g
    int sign; // the sign between the terms of the factorised bracket

    bool operator==(const Question&) const = default;
};

constexpr std::array<int, 4> kCommonNumbers{2, 3, 5, 7};

// Level 1 draws between the common factors, level 2 between the identities,
// level 3 takes the four kinds in turn.
class Factorise final : public FamilyDraws {
public:
    explicit Factorise(int level) : level_(level) {}

    void DrawSheet(RandomSource&, std::string_view, std::string& line) override {
        Append(line, "Factoriser les expressions suivantes.<br><br>");
    }

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const Kind kind = level_ == 3   ? static_cast<Kind>((number - 1) % 4)
                          : level_ == 1 ? static_cast<Kind>(random.Random(2))
                                        : static_cast<Kind>(2 + random.Random(2));
        const Question q = DrawDistinct(questions_, [&] { return Draw(kind, random); });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, PolynomialPiece{Expanded(q)},
               kLineClose);
        answer.append(statement, question);
        Append(answer, kStepOpen);
        AppendStructure(answer, q);
        Append(answer, kLineClose, kStepOpen, kHighlightOpen);
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

    // The step that shows the common factor or the identity.
    static void AppendStructure(std::string& out, const Question& q) {
        const MonomialPiece nx{{q.n, 1}};
        const MonomialPiece kx{{q.k, 1}};
        const SignPiece sign{q.sign};
        switch (q.kind) {
        case Kind::CommonNumber:
            Append(out, q.k, kTimes, nx, ' ', sign, ' ', q.k, kTimes, q.m);
            return;
        case Kind::CommonX:
            Append(out, kx, kTimes, nx, ' ', sign, ' ', kx, kTimes, q.m);
            return;
        case Kind::Difference:
            AppendSquaredX(out, q.n);
            Append(out, " - ", q.m, kSquare);
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
            Append(out, q.k, '(', SumPiece{bracket}, ')');
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
    // cannot be factorised further.
    static void DrawCoprime(RandomSource& random, int& first, int& second) {
        do {
            first = 1 + random.Random(9);
            second = 1 + random.Random(9);
        } while (std::gcd(first, second) != 1);
    }

    static Question Draw(Kind kind, RandomSource& random) {
        Question q{kind, 1, 0, 0, -1};
        if (kind == Kind::CommonNumber || kind == Kind::CommonX)
            q.k = kCommonNumbers[static_cast<std::size_t>(random.Random(4))];
        DrawCoprime(random, q.n, q.m);
        if (kind != Kind::Difference)
            q.sign = DrawSign(random);
        return q;
    }

    int level_;
    std::vector<Question> questions_;
};

} // namespace

Sheet GenerateFactorise(const SheetSettings& settings, int level, RandomSource& random) {
    CheckLevel(level, 3);
    Factorise family(level);
    return RunFrame({"FACT_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
