#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Thousands grouping of decimal texts with single spaces. Every character
// counts as a digit, a leading minus sign included ("-123" gives "- 123").

// Groups of three counted from the right.
std::string GroupIntDigits(std::string_view s);
// Groups of three counted from the left.
std::string GroupFracDigits(std::string_view s);
// The integer part grouped from the right and, after the first ".", the
// fractional part grouped from the left.
std::string GroupNumber(std::string_view s);

// The same groupings appended to `out`.
void AppendGroupedIntDigits(std::string& out, std::string_view s);
void AppendGroupedFracDigits(std::string& out, std::string_view s);
void AppendGroupedNumber(std::string& out, std::string_view s);

// An integer written as GroupNumber(std::to_string(n)) writes it, for Append().
struct GroupedIntPiece {
    int n;
};
std::size_t PieceSize(GroupedIntPiece number);
void WritePiece(char*& at, GroupedIntPiece number);

} // namespace vorn
