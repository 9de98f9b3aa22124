#pragma once

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

namespace vorn {

// Appends pieces of markup straight to the end of a sheet's text. A question
// line built with operator+ costs a temporary string per piece; here the text
// grows once per Append() call and every piece is copied into place.
//
// A piece type has two functions: PieceSize(), at least the length of its
// text, and WritePiece(), which writes the text at `at` and moves `at` past it.

inline std::size_t PieceSize(std::string_view text) {
    return text.size();
}

inline void WritePiece(char*& at, std::string_view text) {
    if (!text.empty())
        std::memcpy(at, text.data(), text.size());
    at += text.size();
}

// A string literal: its length is known when compiling, which turns its copy
// into a few moves.
template <std::size_t N> constexpr std::size_t PieceSize(const char (&)[N]) {
    return N - 1;
}

template <std::size_t N> void WritePiece(char*& at, const char (&text)[N]) {
    std::memcpy(at, text, N - 1);
    at += N - 1;
}

inline std::size_t PieceSize(char) {
    return 1;
}

inline void WritePiece(char*& at, char c) {
    *at++ = c;
}

// Integers give the decimal text std::to_string would give.
inline std::size_t PieceSize(long long) {
    return 20;
}

inline void WritePiece(char*& at, long long n) {
    at = std::to_chars(at, at + 20, n).ptr;
}

inline std::size_t PieceSize(int) {
    return 11;
}

inline void WritePiece(char*& at, int n) {
    // Most numbers of a sheet have a single digit: no call for them.
    if (n >= 0 && n < 10)
        *at++ = static_cast<char>('0' + n);
    else
        at = std::to_chars(at, at + 11, n).ptr;
}

// `count` spaces; none when count <= 0.
struct Blanks {
    int count;
};

inline std::size_t PieceSize(Blanks blanks) {
    return blanks.count > 0 ? static_cast<std::size_t>(blanks.count) : 0;
}

inline void WritePiece(char*& at, Blanks blanks) {
    const std::size_t size = PieceSize(blanks);
    std::memset(at, ' ', size);
    at += size;
}

// Writes every piece in order at `at`: a piece made of other pieces.
template <typename... Pieces> void WritePieces(char*& at, const Pieces&... pieces) {
    (WritePiece(at, pieces), ...);
}

// Appends every piece in order, as `out += a + b + ...` would. No piece may
// view the text of `out` itself.
template <typename... Pieces> void Append(std::string& out, const Pieces&... pieces) {
    const std::size_t start = out.size();
    out.resize(start + (PieceSize(pieces) + ... + 0));
    char* at = out.data() + start;
    (WritePiece(at, pieces), ...);
    out.resize(static_cast<std::size_t>(at - out.data()));
}

} // namespace vorn
