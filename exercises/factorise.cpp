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
        Append(statement, number, "\xB0/ ");
        AppendPolynomial(statement, Expanded(q));
        Append(statement, "<br>");
        answer.append(statement, question);

        Append(answer, kStepOpen);
        AppendStructure(answer, q);
        Append(answer, "<br>", kStepOpen, kHighlightOpen);
        AppendFactorised(answer, q);
        Append(answer, kHighlightClose, "<br>");
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
        if (f == 1) {
            Append(out, kItalicX, kSquare);
            return;
        }
        Append(out, '(');
        AppendMonomial(out, {f, 1});
        Append(out, ')', kSquare);
    }

    // The step that shows the common factor or the identity.
    static void AppendStructure(std::string& out, const Question& q) {
        switch (q.kind) {
        case Kind::CommonNumber:
            Append(out, q.k, kTimes);
            AppendMonomial(out, {q.n, 1});
            Append(out, ' ', SignPiece{q.sign}, ' ', q.k, kTimes, q.m);
            return;
        case Kind::CommonX:
            AppendMonomial(out, {q.k, 1});
            Append(out, kTimes);
            AppendMonomial(out, {q.n, 1});
            Append(out, ' ', SignPiece{q.sign}, ' ');
            AppendMonomial(out, {q.k, 1});
            Append(out, kTimes, q.m);
            return;
        case Kind::Difference:
            AppendSquaredX(out, q.n);
            Append(out, " - ", q.m, kSquare);
            return;
        case Kind::Square:
            AppendSquaredX(out, q.n);
            Append(out, ' ', SignPiece{q.sign}, " 2", kTimes);
            AppendMonomial(out, {q.n, 1});
            Append(out, kTimes, q.m, " + ", q.m, kSquare);
            return;
        }
    }

    static void AppendBracket(std::string& out, int f, int g) {
        Append(out, '(');
        AppendSum(out, std::array<Term, 2>{{{f, 1}, {g, 0}}});
        Append(out, ')');
    }

    static void AppendFactorised(std::string& out, const Question& q) {
        switch (q.kind) {
        case Kind::CommonNumber:
            Append(out, q.k);
            AppendBracket(out, q.n, q.sign * q.m);
            return;
        case Kind::CommonX:
            AppendMonomial(out, {q.k, 1});
            AppendBracket(out, q.n, q.sign * q.m);
            return;
        case Kind::Difference:
            AppendBracket(out, q.n, q.m);
            AppendBracket(out, q.n, -q.m);
            return;
        case Kind::Square:
            AppendBracket(out, q.n, q.sign * q.m);
            Append(out, kSquare);
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
