#pragma once

#include "exercises/markup_append.h"
#include "exercises/minus_sign.h"
#include "exercises/terms.h"

#include <array>
#include <span>
#include <string_view>

namespace vorn {

// A polynomial in x of degree at most 2 with integer coefficients.
struct Polynomial {
    std::array<int, 3> coefficients{}; // coefficients[p] multiplies x^p

    bool operator==(const Polynomial&) const = default;
};

Polynomial operator+(const Polynomial& p, const Polynomial& q);
Polynomial operator*(int factor, const Polynomial& p);
// (a x + b)(c x + d)
Polynomial LinearProduct(int a, int b, int c, int d);

// One term c·x^p of a sum, p in 0..2.
struct Term {
    int coefficient;
    int power;

    bool operator==(const Term&) const = default;
};

// x in italics. The lines that hold expressions set them in Times, so that a
// term switches no font.
inline constexpr std::string_view kItalicX = "<i>x</i>";
inline constexpr std::string_view kSquare = "<sup>2</sup>";
// The multiplication sign of a step, spaced.
inline constexpr std::string_view kTimes = " \xD7 ";

// Append() pieces writing polynomials and their terms, so that a whole line
// of working is one Append() call.

// c·x^p on its own: "3x", "x", "−x", "−5x²", "−7", with the typeset minus
// and no blank before x; a coefficient 1 or -1 is not written before x, only
// the minus sign.
struct MonomialPiece {
    Term term;
};
// A factor of a product written in a step: the monomial, in parentheses when
// it is negative ("(−4)", "(−2x)").
struct FactorPiece {
    Term term;
};
// The terms in their order: the first one as MonomialPiece writes it, every
// other one after a spaced sign ("+ 5", "− x²"), so that "+ −" never appears.
// Zero terms are left out; "0" stands for a sum with no term left.
struct SumPiece {
    std::span<const Term> terms;
};
// The reduced form: every non-zero term once, by decreasing power.
struct PolynomialPiece {
    Polynomial polynomial;
};

inline constexpr std::size_t kMaxMonomialSize =
    kMinus.size() + 11 + kItalicX.size() + kSquare.size();

inline std::size_t PieceSize(MonomialPiece) {
    return kMaxMonomialSize;
}

inline void WritePiece(char*& at, MonomialPiece piece) {
    const Term term = piece.term;
    if (term.power == 0) {
        WritePiece(at, NumberPiece{term.coefficient});
        return;
    }
    if (term.coefficient == -1)
        WritePiece(at, kMinus);
    else if (term.coefficient != 1)
        WritePiece(at, NumberPiece{term.coefficient});
    WritePiece(at, kItalicX);
    if (term.power == 2)
        WritePiece(at, kSquare);
}

inline std::size_t PieceSize(FactorPiece) {
    return kMaxMonomialSize + 2;
}

inline void WritePiece(char*& at, FactorPiece piece) {
    if (piece.term.coefficient >= 0) {
        WritePiece(at, MonomialPiece{piece.term});
        return;
    }
    *at++ = '(';
    WritePiece(at, MonomialPiece{piece.term});
    *at++ = ')';
}

inline std::size_t PieceSize(SumPiece sum) {
    return 1 + sum.terms.size() * (2 + kMinus.size() + kMaxMonomialSize);
}

void WritePiece(char*& at, SumPiece sum);

inline std::size_t PieceSize(const PolynomialPiece&) {
    return 1 + 3 * (2 + kMinus.size() + kMaxMonomialSize);
}

void WritePiece(char*& at, const PolynomialPiece& piece);

// a x + b as SumPiece writes it: "3x − 2", "−x + 7"; "5" when a is 0.
struct LinearPiece {
    int a;
    int b;
};

inline std::size_t PieceSize(LinearPiece) {
    return 1 + 2 * (2 + kMinus.size() + kMaxMonomialSize);
}

inline void WritePiece(char*& at, LinearPiece piece) {
    const std::array<Term, 2> terms{{{piece.a, 1}, {piece.b, 0}}};
    WritePiece(at, SumPiece{terms});
}

} // namespace vorn
