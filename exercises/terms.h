#pragma once

#include <string>

namespace vorn {

// Pieces of the expressions and of the layout of a sheet. Every function
// returns a new string (Windows-1252 markup) and touches nothing else.

// x² as the expansion results write it, the space after it included.
inline constexpr const char* kXSquared = "<i> <te=26><times>x</i><te=18><arial><sup>2</sup> ";

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

} // namespace vorn
