#pragma once

#include "exercises/markup_append.h"

#include <string>
#include <string_view>

namespace vorn {

// Pieces of the expressions and of the layout of a sheet (Windows-1252
// markup). The functions return a new string; the *Piece types write the
// same text through Append().

// x² as the expansion results write it, the space after it included.
inline constexpr std::string_view kXSquared = "<i> <te=26><times>x</i><te=18><arial><sup>2</sup> ";

// "+" for a positive n, "-" otherwise (0 included).
std::string SignText(int n);
// A coefficient written in front of x: nothing for 1, "-" for -1, the decimal
// text otherwise.
std::string CoefText(int n);
// A signed x term ("- 4" followed by the x markup), or one blank when n is 0.
std::string XTerm(int n);
// A signed constant ("- 7"), or one blank when n is 0.
std::string ConstTerm(int n);
// n tab tags; empty when n <= 0.
std::string TabRun(int n);
// A line of `length` hyphens, at most kMaxSeparatorLength; empty when <= 0.
std::string SeparatorLine(int length);
// `count` line breaks; empty when count <= 0.
std::string SpacingLines(int count);

// Append() pieces writing SignText(n), CoefText(n), XTerm(n), ConstTerm(n)
// and TabRun(n).
struct SignPiece {
    int n;
};
struct CoefPiece {
    int n;
};
struct XTermPiece {
    int n;
};
struct ConstTermPiece {
    int n;
};
struct TabRunPiece {
    int n;
};

inline std::size_t PieceSize(SignPiece) {
    return 1;
}

inline void WritePiece(char*& at, SignPiece sign) {
    *at++ = sign.n > 0 ? '+' : '-';
}

inline std::size_t PieceSize(CoefPiece coef) {
    return PieceSize(coef.n);
}

inline void WritePiece(char*& at, CoefPiece coef) {
    if (coef.n == -1)
        *at++ = '-';
    else if (coef.n != 1)
        WritePiece(at, coef.n);
}

// The magnitudes are taken in 64 bits: the most negative int has no int one.
inline long long Magnitude(int n) {
    return n < 0 ? -static_cast<long long>(n) : n;
}

inline constexpr std::string_view kXTermX = "<i> <te=26><times>x</i><te=18><arial> ";

inline std::size_t PieceSize(XTermPiece) {
    return 2 + PieceSize(0LL) + kXTermX.size();
}

inline void WritePiece(char*& at, XTermPiece term) {
    if (term.n == 0) {
        *at++ = ' ';
        return;
    }
    WritePiece(at, SignPiece{term.n});
    *at++ = ' ';
    if (Magnitude(term.n) != 1)
        WritePiece(at, Magnitude(term.n));
    WritePiece(at, kXTermX);
}

inline std::size_t PieceSize(ConstTermPiece) {
    return 2 + PieceSize(0LL);
}

inline void WritePiece(char*& at, ConstTermPiece term) {
    if (term.n == 0) {
        *at++ = ' ';
        return;
    }
    WritePiece(at, SignPiece{term.n});
    *at++ = ' ';
    WritePiece(at, Magnitude(term.n));
}

inline constexpr std::string_view kTab = "<tab>";

inline std::size_t PieceSize(TabRunPiece tabs) {
    return tabs.n > 0 ? kTab.size() * static_cast<std::size_t>(tabs.n) : 0;
}

inline void WritePiece(char*& at, TabRunPiece tabs) {
    for (int i = 0; i < tabs.n; ++i)
        WritePiece(at, kTab);
}

} // namespace vorn
