#pragma once

#include "exercises/random_source.h"
#include "exercises/sheet.h"

namespace vorn {

// One generation of each family; the family table picks among them.
Sheet GenerateVNdeg1(const SheetSettings& settings, RandomSource& random);
Sheet GenerateVNdeg2(const SheetSettings& settings, RandomSource& random);
Sheet GenerateDev1(const SheetSettings& settings, RandomSource& random);
Sheet GenerateDev2(const SheetSettings& settings, RandomSource& random);
Sheet GenerateIdent(const SheetSettings& settings, RandomSource& random);

// Families with several levels, counted from 1; a level out of range throws
// std::out_of_range before any draw.
Sheet GenerateReduce(const SheetSettings& settings, int level, RandomSource& random);       // 1-3
Sheet GenerateExpandReduce(const SheetSettings& settings, int level, RandomSource& random); // 1-3
Sheet GenerateFactorise(const SheetSettings& settings, int level, RandomSource& random);    // 1-5
// a x + b = c (level 1), a x + b = c x + d (levels 2 and 3), with brackets
// (level 4) or fractions (level 5).
Sheet GenerateLinearEquation(const SheetSettings& settings, int level, RandomSource& random);
// (a x + b)(c x + d) = 0, levels 1 to 3.
Sheet GenerateProductEquation(const SheetSettings& settings, int level, RandomSource& random);
// x² = k, a x² + b x = 0, (a x + b)² = c², levels 1 to 4.
Sheet GenerateSquareEquation(const SheetSettings& settings, int level, RandomSource& random);

} // namespace vorn
