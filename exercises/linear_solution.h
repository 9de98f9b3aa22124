#pragma once

#include "exercises/fraction.h"
#include "exercises/key_steps.h"
#include "exercises/polynomial_text.h"

#include <array>

namespace vorn {

// The working of a x + b = c x + d (a != c) from its first move on: x terms
// to the left, constants to the right, each moved term with its sign
// changed; then both sides reduced; then the division, left out when the
// coefficient is 1 or -1 (−x = 5 gives x = −5 at once); then the solution
// set, highlighted.
inline void AppendLinearSolution(KeySteps& steps, int a, int b, int c, int d) {
    const int coefficient = a - c;
    const int constant = d - b;
    const Fraction solution = MakeFraction(constant, coefficient);
    const std::array<Term, 2> xTerms{{{a, 1}, {-c, 1}}};
    const std::array<Term, 2> constants{{{d, 0}, {-b, 0}}};
    steps.Step(SumPiece{xTerms}, " = ", SumPiece{constants});
    steps.Step(MonomialPiece{{coefficient, 1}}, " = ", NumberPiece{constant});
    if (coefficient != 1 && coefficient != -1)
        steps.Step(kItalicX, " = ", QuotientPiece{constant, coefficient});
    steps.Step(kItalicX, " = ", FractionPiece{solution});
    steps.Result(SolutionSetPiece{{&solution, 1}});
}

} // namespace vorn
