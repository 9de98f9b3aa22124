#pragma once

#include <string_view>

namespace vorn {

// How the families whose answer key shows the working lay out their lines.
// The key repeats the question line, then writes each step on a line of its
// own, stood in from the question's number, and the highlighted result last.
// A line that holds an expression is set in Times from its start and goes
// back to Arial at its end, so that x is a plain italic x: a key with several
// lines of working per question stays light to convert.

// Opens the expression or the equation of a question line.
inline constexpr std::string_view kExpressionOpen = "<times>";
// The blanks that stand a step in from the question's number.
inline constexpr std::string_view kStepIndent = "      ";
// Opens a step line and the result line.
inline constexpr std::string_view kStepOpen = "      <times>";
// Opens a line that is highlighted as a whole: the highlight starts with a
// blank of its own, so that its text stands under the text of the steps.
inline constexpr std::string_view kResultOpen = "     <times>";
// Closes every line that kExpressionOpen or kStepOpen opened.
inline constexpr std::string_view kLineClose = "<arial><br>";

} // namespace vorn
