#include "exercises/digit_grouping.h"

#include <charconv>

namespace vorn {

namespace {

// Writes `s` cut into groups of three counted from the right; returns the
// end of what it wrote. Three characters or fewer come out unchanged.
char* WriteGroupedIntDigits(char* at, std::string_view s) {
    // The leading group takes what is left over, so it holds 1 to 3 characters.
    std::size_t head = s.size() % 3;
    if (head == 0)
        head = 3;
    for (std::size_t p = 0; p < s.size(); ++p) {
        if (p >= head && (p - head) % 3 == 0)
            *at++ = ' ';
        *at++ = s[p];
    }
    return at;
}

} // namespace

void AppendGroupedIntDigits(std::string& out, std::string_view s) {
    const std::size_t start = out.size();
    out.resize(start + s.size() + s.size() / 3);
    char* end = WriteGroupedIntDigits(out.data() + start, s);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

void AppendGroupedFracDigits(std::string& out, std::string_view s) {
    for (std::size_t p = 0; p < s.size(); p += 3) {
        if (p > 0)
            out += ' ';
        out.append(s.substr(p, 3));
    }
}

void AppendGroupedNumber(std::string& out, std::string_view s) {
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos) {
        AppendGroupedIntDigits(out, s);
        return;
    }
    AppendGroupedIntDigits(out, s.substr(0, point));
    out += '.';
    AppendGroupedFracDigits(out, s.substr(point + 1));
}

std::size_t PieceSize(GroupedIntPiece) {
    return 11 + 3; // ten digits and a sign, and three group breaks
}

void WritePiece(char*& at, GroupedIntPiece number) {
    char digits[11];
    const std::size_t size = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, number.n).ptr - digits);
    at = WriteGroupedIntDigits(at, std::string_view(digits, size));
}

std::string GroupIntDigits(std::string_view s) {
    std::string out;
    AppendGroupedIntDigits(out, s);
    return out;
}

std::string GroupFracDigits(std::string_view s) {
    std::string out;
    AppendGroupedFracDigits(out, s);
    return out;
}

std::string GroupNumber(std::string_view s) {
    std::string out;
    AppendGroupedNumber(out, s);
    return out;
}

} // namespace vorn
