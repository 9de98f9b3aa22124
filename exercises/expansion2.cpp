#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// (a x + b)(c x + d), with a, b, c and d in -6..9 and never 0.
class Dev2 final : public FamilyDraws {
public:
    std::string DrawSheet(RandomSource&, std::string_view) override { return {}; }

    QuestionLines DrawQuestion(int number, RandomSource& random) override {
        const int a = DrawNonZeroCoefficient(random);
        const int b = DrawNonZeroCoefficient(random);
        const int c = DrawNonZeroCoefficient(random);
        const int d = DrawNonZeroCoefficient(random);

        const std::string result = CoefText(a * c) + kXSquared + XTerm(a * d + b * c) +
                                   SignText(b * d) + " " + std::to_string(std::abs(b * d));
        const std::string product = std::to_string(number) + "\xB0/ (" + CoefText(a) +
                                    " <te=26><times><i>x<te=18><arial></i> " + SignText(b) + " " +
                                    std::to_string(std::abs(b)) + ")(" + CoefText(c) +
                                    " <te=26><times><i>x<te=18><arial></i>  " + SignText(d) + " " +
                                    std::to_string(std::abs(d));
        return {product + ")<br>", product + ")" + TabRun(3) + Highlight(result) + "<br>"};
    }
};

} // namespace

Sheet GenerateDev2(const SheetSettings& settings, RandomSource& random) {
    Dev2 family;
    return RunFrame({"DEV2_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
