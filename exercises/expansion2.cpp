#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// (a x + b)(c x + d), with a, b, c and d in -6..9 and never 0.
class Dev2 final : public FamilyDraws {
public:
    void DrawSheet(RandomSource&, std::string_view, std::string&) override {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const int a = DrawNonZeroCoefficient(random);
        const int b = DrawNonZeroCoefficient(random);
        const int c = DrawNonZeroCoefficient(random);
        const int d = DrawNonZeroCoefficient(random);

        // The product, written once and copied into the answer key.
        const std::size_t product = statement.size();
        Append(statement, number, "\xB0/ (", CoefPiece{a}, " <te=26><times><i>x<te=18><arial></i> ",
               SignPiece{b}, ' ', std::abs(b), ")(", CoefPiece{c},
               " <te=26><times><i>x<te=18><arial></i>  ", SignPiece{d}, ' ', std::abs(d), ')');
        answer.append(statement, product);
        Append(statement, "<br>");
        Append(answer, TabRunPiece{3}, kHighlightOpen, CoefPiece{a * c}, kXSquared,
               XTermPiece{a * d + b * c}, SignPiece{b * d}, ' ', std::abs(b * d), kHighlightClose,
               "<br>");
    }
};

} // namespace

Sheet GenerateDev2(const SheetSettings& settings, RandomSource& random) {
    Dev2 family;
    return RunFrame({"DEV2_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
