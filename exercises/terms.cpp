#include "exercises/terms.h"

#include "exercises/sheet.h"

#include <algorithm>

namespace vorn {

namespace {

template <typename Piece> std::string Text(Piece piece) {
    std::string out;
    Append(out, piece);
    return out;
}

} // namespace

std::string SignText(int n) {
    return Text(SignPiece{n});
}

std::string CoefText(int n) {
    return Text(CoefPiece{n});
}

std::string XTerm(int n) {
    return Text(XTermPiece{n});
}

std::string ConstTerm(int n) {
    return Text(ConstTermPiece{n});
}

std::string TabRun(int n) {
    std::string out;
    if (n > 0)
        out.reserve(5 * static_cast<std::size_t>(n));
    Append(out, TabRunPiece{n});
    return out;
}

std::string SeparatorLine(int length) {
    if (length <= 0)
        return {};
    return std::string(static_cast<std::size_t>(std::min(length, kMaxSeparatorLength)), '-');
}

std::string SpacingLines(int count) {
    std::string out;
    if (count > 0)
        out.reserve(4 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out.append("<br>");
    return out;
}

} // namespace vorn
