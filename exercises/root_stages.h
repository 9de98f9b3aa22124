#pragma once

#include "exercises/fraction.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"

namespace vorn {

// a x + b, with a != 0, a factor of a product equal to 0; the factor x alone
// is a = 1, b = 0.
struct RootFactor {
    int a = 0;
    int b = 0;

    Fraction Root() const { return MakeFraction(-b, a); }
};

// One factor at one stage of its resolution: "a x + b = 0", "a x = -b",
// "x = -b/a", "x = r". The division is left out when a is 1 or -1, and the
// factor x is "x = 0" throughout.
struct StagePiece {
    RootFactor factor;
    int stage;
};

inline std::size_t PieceSize(const StagePiece&) {
    // More than the longest of the four stages.
    return 4 + kItalicX.size() + PieceSize(LinearPiece{}) + PieceSize(QuotientPiece{});
}

inline void WritePiece(char*& at, const StagePiece& piece) {
    const RootFactor& f = piece.factor;
    const bool divides = f.a != 1 && f.a != -1;
    if (piece.stage == 0 && f.b != 0)
        WritePieces(at, LinearPiece{f.a, f.b}, " = 0");
    else if (piece.stage == 1 && f.b != 0 && f.a != 1)
        WritePieces(at, MonomialPiece{{f.a, 1}}, " = ", NumberPiece{-f.b});
    else if (piece.stage == 2 && divides)
        WritePieces(at, kItalicX, " = ", QuotientPiece{-f.b, f.a});
    else
        WritePieces(at, kItalicX, " = ", FractionPiece{f.Root()});
}

} // namespace vorn
