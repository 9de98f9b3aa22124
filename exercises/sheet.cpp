#include "exercises/sheet.h"

#include "exercises/families.h"

#include <stdexcept>

namespace vorn {

Sheet GenerateSheet(Family family, const SheetSettings& settings, RandomSource& random) {
    switch (family) {
    case Family::VNdeg1:
        return GenerateVNdeg1(settings, random);
    case Family::VNdeg2:
        return GenerateVNdeg2(settings, random);
    case Family::Dev1:
        return GenerateDev1(settings, random);
    case Family::Dev2:
        return GenerateDev2(settings, random);
    case Family::Ident:
        return GenerateIdent(settings, random);
    }
    throw std::invalid_argument("unknown exercise family");
}

} // namespace vorn
