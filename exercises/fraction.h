#pragma once

#include "exercises/markup_append.h"
#include "exercises/minus_sign.h"

#include <span>

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

// Append() piece writing a fraction as a sheet shows it: "−7/3" with the
// typeset minus, or the integer alone when the denominator is 1.
struct FractionPiece {
    Fraction value;
};

inline std::size_t PieceSize(FractionPiece) {
    return PieceSize(NumberPiece{}) + PieceSize(0LL) + 1;
}

inline void WritePiece(char*& at, FractionPiece f) {
    WritePiece(at, NumberPiece{f.value.num});
    if (f.value.den != 1) {
        *at++ = '/';
        WritePiece(at, f.value.den);
    }
}

// Append() piece writing a division not yet carried out, as the step before
// its result: "−6/(−2)". A negative divisor stands in parentheses.
struct QuotientPiece {
    int dividend;
    int divisor;
};

inline std::size_t PieceSize(QuotientPiece) {
    return 2 * PieceSize(NumberPiece{}) + 3;
}

inline void WritePiece(char*& at, QuotientPiece q) {
    WritePiece(at, NumberPiece{q.dividend});
    *at++ = '/';
    if (q.divisor < 0) {
        *at++ = '(';
        WritePiece(at, NumberPiece{q.divisor});
        *at++ = ')';
    } else {
        WritePiece(at, q.divisor);
    }
}

// Append() piece writing a solution set as French keys write it: "S = {−2/9 ;
// 5/3}", the values in the order given (the increasing one), or "S = ∅" for
// none. The braces are escaped: bare, they would be RTF groups.
struct SolutionSetPiece {
    std::span<const Fraction> values;
};

inline constexpr std::string_view kEmptySet = "S = \\u8709?";

inline std::size_t PieceSize(SolutionSetPiece set) {
    return kEmptySet.size() + 6 + set.values.size() * (3 + PieceSize(FractionPiece{}));
}

inline void WritePiece(char*& at, SolutionSetPiece set) {
    if (set.values.empty()) {
        WritePiece(at, kEmptySet);
        return;
    }
    WritePiece(at, "S = \\{");
    for (std::size_t i = 0; i < set.values.size(); ++i) {
        if (i > 0)
            WritePiece(at, " ; ");
        WritePiece(at, FractionPiece{set.values[i]});
    }
    WritePiece(at, "\\}");
}

} // namespace vorn
