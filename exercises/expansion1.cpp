#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// a x (b x + c), with a, b and c in -6..9 and never 0.
class Dev1 final : public FamilyDraws {
public:
    void DrawSheet(RandomSource&, std::string_view, std::string&) override {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const int a = DrawNonZeroCoefficient(random);
        const int b = DrawNonZeroCoefficient(random);
        const int c = DrawNonZeroCoefficient(random);

        // Both lines write the same product, with their x tags in another order.
        Append(statement, number, "\xB0/ ", CoefPiece{a}, " <te=26><times><i>x<arial></i><te=18>(",
               CoefPiece{b}, "<te=26><times><i> x<te=18><arial></i>  ", SignPiece{c}, ' ',
               std::abs(c), ")<br>");
        Append(answer, number, "\xB0/ ", CoefPiece{a}, " <te=26><times><i>x<te=18><arial></i>(",
               CoefPiece{b}, " <te=26><times><i>x<te=18><arial></i>  ", SignPiece{c}, ' ',
               std::abs(c), ")", TabRunPiece{3}, kHighlightOpen);
        // The result. The x coefficient keeps its digit even at 1: only the x²
        // one is a CoefPiece.
        Append(answer, CoefPiece{a * b}, kXSquared, SignPiece{a * c}, ' ', std::abs(a * c),
               "<i> <te=26><times> x</i><te=18><arial>", kHighlightClose, "<br>");
    }
};

} // namespace

Sheet GenerateDev1(const SheetSettings& settings, RandomSource& random) {
    Dev1 family;
    return RunFrame({"DEV1_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
