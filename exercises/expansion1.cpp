#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// a x (b x + c), with a, b and c in -6..9 and never 0.
class Dev1 final : public FamilyDraws {
public:
    std::string DrawSheet(RandomSource&, std::string_view) override { return {}; }

    QuestionLines DrawQuestion(int number, RandomSource& random) override {
        const int a = DrawNonZeroCoefficient(random);
        const int b = DrawNonZeroCoefficient(random);
        const int c = DrawNonZeroCoefficient(random);

        // The x coefficient keeps its digit even at 1: only the x² one goes
        // through CoefText.
        const std::string result = CoefText(a * b) + kXSquared + SignText(a * c) + " " +
                                   std::to_string(std::abs(a * c)) +
                                   "<i> <te=26><times> x</i><te=18><arial>";
        const std::string head = std::to_string(number) + "\xB0/ " + CoefText(a);
        const std::string constant = SignText(c) + " " + std::to_string(std::abs(c)) + ")";

        // Both lines write the same product, with their x tags in another order.
        QuestionLines lines;
        lines.statement = head + " <te=26><times><i>x<arial></i><te=18>(" + CoefText(b) +
                          "<te=26><times><i> x<te=18><arial></i>  " + constant + "<br>";
        lines.answer = head + " <te=26><times><i>x<te=18><arial></i>(" + CoefText(b) +
                       " <te=26><times><i>x<te=18><arial></i>  " + constant + TabRun(3) +
                       Highlight(result) + "<br>";
        return lines;
    }
};

} // namespace

Sheet GenerateDev1(const SheetSettings& settings, RandomSource& random) {
    Dev1 family;
    return RunFrame({"DEV1_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
