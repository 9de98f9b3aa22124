#pragma once

#include "exercises/markup_append.h"

namespace vorn {

// An exact rational number in lowest terms: the denominator is positive and
// the sign stands on the numerator.
struct Fraction {
    long long num = 0;
    long long den = 1;

    friend bool operator==(const Fraction&, const Fraction&) = default;
};

// num/den reduced. Throws std::domain_error when den is 0.
Fraction MakeFraction(long long num, long long den);

// Compares the cross products: exact as long as numerators and denominators
// stay below 2^31, as every number of a sheet does.
inline bool operator<(const Fraction& a, const Fraction& b) {
    return a.num * b.den < b.num * a.den;
}

// Append() piece writing a fraction as a sheet shows it: "-7/3", or the
// integer alone when the denominator is 1.
struct FractionPiece {
    Fraction value;
};

inline std::size_t PieceSize(FractionPiece) {
    return 2 * PieceSize(0LL) + 1;
}

inline void WritePiece(char*& at, FractionPiece f) {
    WritePiece(at, f.value.num);
    if (f.value.den != 1) {
        *at++ = '/';
        WritePiece(at, f.value.den);
    }
}

// Append() piece writing a division not yet carried out, as the step before
// its result: "-6/(-2)". A negative divisor stands in parentheses.
struct QuotientPiece {
    int dividend;
    int divisor;
};

inline std::size_t PieceSize(QuotientPiece) {
    return 2 * PieceSize(0) + 3;
}

inline void WritePiece(char*& at, QuotientPiece q) {
    WritePiece(at, q.dividend);
    *at++ = '/';
    if (q.divisor < 0) {
        *at++ = '(';
        WritePiece(at, q.divisor);
        *at++ = ')';
    } else {
        WritePiece(at, q.divisor);
    }
}

} // namespace vorn
