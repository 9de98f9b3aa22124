#pragma once

#include "exercises/markup_append.h"

#include <string_view>

namespace vorn {

// The minus sign as it is typeset (U+2212), written as RTF's own Unicode
// escape: the markup hands it over unchanged, Windows-1252 has no such
// character, and the markup of the first families, which write the hyphen,
// never holds it. The families that show their working write every minus so.
inline constexpr std::string_view kMinus = "\\u8722?";

// Append() piece writing an integer with the typeset minus: "−7", "12".
struct NumberPiece {
    long long n;
};

inline std::size_t PieceSize(NumberPiece) {
    return kMinus.size() + PieceSize(0LL);
}

inline void WritePiece(char*& at, NumberPiece number) {
    if (number.n < 0) {
        WritePiece(at, kMinus);
        // The most negative value has no positive counterpart: written as
        // an unsigned magnitude.
        at = std::to_chars(at, at + 20, 0ULL - static_cast<unsigned long long>(number.n)).ptr;
        return;
    }
    WritePiece(at, number.n);
}

// Append() piece writing the sign between two terms: "+" for a positive n,
// the typeset minus otherwise.
struct OperatorPiece {
    int n;
};

inline std::size_t PieceSize(OperatorPiece) {
    return kMinus.size();
}

inline void WritePiece(char*& at, OperatorPiece sign) {
    if (sign.n > 0)
        *at++ = '+';
    else
        WritePiece(at, kMinus);
}

} // namespace vorn
