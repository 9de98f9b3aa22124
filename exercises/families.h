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

} // namespace vorn
