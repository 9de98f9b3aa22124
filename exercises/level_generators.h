#pragma once

#include "exercises/random_source.h"
#include "exercises/sheet.h"

namespace vorn {

// The levels of a family whose questions take a shape of their own, kept in
// a file of their own; the family's generator hands those levels over.

// "Réduire" level 3: products of two monomials.
Sheet GenerateReduceProducts(const SheetSettings& settings, RandomSource& random);
// "Factoriser" levels 4 (a common bracket) and 5 (a² − b² with brackets).
Sheet GenerateFactoriseBrackets(const SheetSettings& settings, int level, RandomSource& random);
// "Équation du premier degré" levels 4 (brackets) and 5 (fractions).
Sheet GenerateShapedLinearEquation(const SheetSettings& settings, int level, RandomSource& random);

} // namespace vorn
