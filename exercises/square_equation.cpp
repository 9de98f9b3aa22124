#include "exercises/families.h"
#include "exercises/fraction.h"
#include "exercises/frame.h"
#include "exercises/key_steps.h"
#include "exercises/kind_bag.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/root_stages.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <array>
#include <numeric>
#include <utility>

namespace vorn {

namespace {

// The pieces below would hide the general ones from this namespace.
using vorn::PieceSize;
using vorn::WritePiece;

constexpr std::string_view kInstruction = "R\xE9soudre les \xE9quations suivantes.";
constexpr std::string_view kZeroProductRule =
    "Un produit est nul si et seulement si l'un au moins de ses facteurs est nul.";
constexpr std::string_view kNoSquareBelowZero =
    "Un carr\xE9 n'est jamais n\xE9gatif : l'\xE9quation n'a pas de solution.";
// The square root sign, as RTF's Unicode escape (Windows-1252 has none).
constexpr std::string_view kRoot = "\\u8730?";

enum class Kind {
    Square,  // x² = k, or x² − k = 0
    XFactor, // a x² + b x = 0
    Bracket, // (a x + b)² = c²
};

struct Question {
    Kind kind = Kind::Square;
    int k = 0;         // x² = k
    bool zero = false; // written "x² − k = 0"
    int a = 0;
    int b = 0;
    int c = 0;

    bool operator==(const Question&) const = default;
};

// The square root of k when k is a perfect square, 0 otherwise.
int WholeRoot(int k) {
    for (int r = 1; r * r <= k; ++r)
        if (r * r == k)
            return r;
    return 0;
}

// No square above 1 divides k: √k admits no simpler form (not √24 = 2√6).
bool SquareFree(int k) {
    for (int r = 2; r * r <= k; ++r)
        if (k % (r * r) == 0)
            return false;
    return true;
}

// √k as a sheet writes it, the whole root when there is one: "√7", "5".
struct RootPiece {
    int k;
};

inline std::size_t PieceSize(const RootPiece&) {
    return kRoot.size() + PieceSize(0);
}

void WritePiece(char*& at, const RootPiece& piece) {
    if (const int r = WholeRoot(piece.k)) {
        WritePiece(at, r);
        return;
    }
    WritePieces(at, kRoot, piece.k);
}

// Level 1: x² = k, k a perfect square (1..400), a number in 2..50 that no
// square divides or
// a negative number (−1..−50), the three in a shuffled order, written x² = k or
// x² − k = 0 at random. Level 2: a x² + b x = 0, a in 1..9, b in ±1..9
// without a common divisor. Level 3: (a x + b)² = c², a in 1..5, b in ±1..9,
// c in 1..9, b ≠ ±c. Level 4: the three levels' kinds in a shuffled order.
// Each equation comes back to a product equal to 0: the difference of two
// squares, or x in common.
class SquareEquation final : public WorkedFamily {
public:
    // The rule's sentence and up to seven lines of working.
    static constexpr std::size_t kLongestAnswer = 760;

    explicit SquareEquation(int level) : WorkedFamily(kInstruction), level_(level) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const Kind kind =
            level_ == 4 ? static_cast<Kind>(kinds_.Next(random)) : static_cast<Kind>(level_ - 1);
        const int valueKind = kind == Kind::Square ? values_.Next(random) : 0;
        // x² = k and x² − k = 0 are one exercise: the key leaves the form out.
        Question q;
        history_.DrawNew([&] {
            q = Draw(kind, valueKind, random);
            Question key = q;
            key.zero = false;
            return key;
        });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen);
        switch (q.kind) {
        case Kind::Square:
            if (q.zero)
                Append(statement, PolynomialPiece{{{-q.k, 0, 1}}}, " = 0");
            else
                Append(statement, kItalicX, kSquare, " = ", NumberPiece{q.k});
            break;
        case Kind::XFactor:
            Append(statement, PolynomialPiece{{{0, q.b, q.a}}}, " = 0");
            break;
        case Kind::Bracket:
            Append(statement, '(', LinearPiece{q.a, q.b}, ')', kSquare, " = ", q.c * q.c);
            break;
        }
        Append(statement, kLineClose);
        answer.append(statement, question);

        steps_.Start(answer);
        switch (q.kind) {
        case Kind::Square:
            AppendSquare(q);
            return;
        case Kind::XFactor:
            steps_.Step(kItalicX, '(', LinearPiece{q.a, q.b}, ") = 0");
            AppendRoots({1, 0}, {q.a, q.b});
            return;
        case Kind::Bracket: {
            const BracketPiece bracket{q.a, q.b};
            steps_.Step(bracket, kSquare, ' ', kMinus, ' ', q.c, kSquare, " = 0");
            steps_.Step('[', bracket, ' ', kMinus, ' ', q.c, "][", bracket, " + ", q.c, "] = 0");
            steps_.Step('(', LinearPiece{q.a, q.b - q.c}, ")(", LinearPiece{q.a, q.b + q.c},
                        ") = 0");
            AppendRoots({q.a, q.b - q.c}, {q.a, q.b + q.c});
            return;
        }
        }
    }

private:
    // "(2x + 1)", the bracket that is squared.
    struct BracketPiece {
        int a;
        int b;
    };
    friend std::size_t PieceSize(const BracketPiece&) { return 2 + PieceSize(LinearPiece{}); }
    friend void WritePiece(char*& at, const BracketPiece& piece) {
        WritePieces(at, '(', LinearPiece{piece.a, piece.b}, ')');
    }

    // x² = k: no solution below 0; otherwise x² − (√k)² = 0, its two
    // factors, and the roots ±√k.
    void AppendSquare(const Question& q) {
        // The statement's own form is not written again.
        if (q.k < 0) {
            if (q.zero)
                steps_.Step(kItalicX, kSquare, " = ", NumberPiece{q.k});
            steps_.Sentence(kNoSquareBelowZero);
            steps_.Result(SolutionSetPiece{{}});
            return;
        }
        const bool whole = WholeRoot(q.k) != 0;
        if (!q.zero)
            steps_.Step(kItalicX, kSquare, ' ', kMinus, ' ', q.k, " = 0");
        if (whole)
            steps_.Step(kItalicX, kSquare, ' ', kMinus, ' ', RootPiece{q.k}, kSquare, " = 0");
        else
            steps_.Step(kItalicX, kSquare, ' ', kMinus, " (", RootPiece{q.k}, ')', kSquare, " = 0");
        steps_.Step('(', kItalicX, ' ', kMinus, ' ', RootPiece{q.k}, ")(", kItalicX, " + ",
                    RootPiece{q.k}, ") = 0");
        steps_.Sentence(kZeroProductRule);
        steps_.Step(kItalicX, ' ', kMinus, ' ', RootPiece{q.k}, " = 0 ou ", kItalicX, " + ",
                    RootPiece{q.k}, " = 0");
        steps_.Step(kItalicX, " = ", RootPiece{q.k}, " ou ", kItalicX, " = ", kMinus,
                    RootPiece{q.k});
        steps_.Result("S = \\{", kMinus, RootPiece{q.k}, " ; ", RootPiece{q.k}, "\\}");
    }

    // The rule, each factor solved stage by stage, the set.
    void AppendRoots(RootFactor f, RootFactor g) {
        steps_.Sentence(kZeroProductRule);
        for (int stage = 0; stage < 4; ++stage)
            steps_.Step(StagePiece{f, stage}, " ou ", StagePiece{g, stage});
        std::array<Fraction, 2> set{f.Root(), g.Root()};
        if (set[1] < set[0])
            std::swap(set[0], set[1]);
        steps_.Result(SolutionSetPiece{set});
    }

    static Question Draw(Kind kind, int valueKind, RandomSource& random) {
        for (;;) {
            Question q;
            q.kind = kind;
            switch (kind) {
            case Kind::Square:
                if (valueKind == 0) {
                    const int r = DrawBetween(random, 1, 20);
                    q.k = r * r;
                } else {
                    q.k = DrawBetween(random, 2, 50);
                    if (valueKind == 2)
                        q.k = -DrawBetween(random, 1, 50);
                }
                q.zero = random.Random(2) == 0;
                if (valueKind != 1 || SquareFree(q.k))
                    return q;
                break;
            case Kind::XFactor:
                q.a = DrawBetween(random, 1, 9);
                q.b = DrawSignedMagnitude(random, 1, 9);
                if (std::gcd(q.a, q.b) == 1)
                    return q;
                break;
            case Kind::Bracket:
                q.a = DrawBetween(random, 1, 5);
                q.b = DrawSignedMagnitude(random, 1, 9);
                q.c = DrawBetween(random, 1, 9);
                if (std::gcd(q.a, q.b) == 1 && q.b != q.c && q.b != -q.c)
                    return q;
                break;
            }
        }
    }

    int level_;
    QuestionHistory<Question> history_;
    KeySteps steps_;
    KindBag<3> kinds_;
    KindBag<3> values_;
};

} // namespace

Sheet GenerateSquareEquation(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<SquareEquation>("EQSQ", 4, settings, level, random);
}

} // namespace vorn
