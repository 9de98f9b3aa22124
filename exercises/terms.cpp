#include "exercises/terms.h"

#include "exercises/sheet.h"

#include <algorithm>
#include <cstdlib>

namespace vorn {

namespace {

std::string Repeat(std::string_view piece, int count) {
    std::string out;
    if (count <= 0)
        return out;
    out.reserve(piece.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

// abs() of the most negative int is undefined; the magnitude is computed in
// 64 bits so that every int has its digits.
std::string Magnitude(int n) {
    return std::to_string(std::llabs(static_cast<long long>(n)));
}

} // namespace

std::string SignText(int n) {
    return n > 0 ? "+" : "-";
}

std::string CoefText(int n) {
    if (n == 1)
        return {};
    if (n == -1)
        return "-";
    return std::to_string(n);
}

std::string XTerm(int n) {
    if (n == 0)
        return " ";
    const long long magnitude = std::llabs(static_cast<long long>(n));
    const std::string coefficient = magnitude == 1 ? std::string{} : std::to_string(magnitude);
    return SignText(n) + " " + coefficient + "<i> <te=26><times>x</i><te=18><arial> ";
}

std::string ConstTerm(int n) {
    if (n == 0)
        return " ";
    return SignText(n) + " " + Magnitude(n);
}

std::string TabRun(int n) {
    return Repeat("<tab>", n);
}

std::string SeparatorLine(int length) {
    if (length <= 0)
        return {};
    return std::string(static_cast<std::size_t>(std::min(length, kMaxSeparatorLength)), '-');
}

std::string SpacingLines(int count) {
    return Repeat("<br>", count);
}

} // namespace vorn
