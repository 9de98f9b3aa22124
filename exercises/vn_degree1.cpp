#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/no_repeat_draw.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// The x of the question lines; the expression's x orders its tags otherwise.
constexpr const char* kQuestionX = "\xB0/ <i><te=26><times>x</i><te=18><arial> = ";
constexpr int kExpressionIndent = 100;
constexpr int kAnswerPadding = 77;

// a·x + b, with a and b in -6..9 and never 0, 1 or -1.
class VNdeg1 final : public FamilyDraws {
public:
    std::string DrawSheet(RandomSource& random, std::string_view separator) override {
        const auto smallMagnitude = [](int v) { return v >= -1 && v <= 1; };
        a_ = DrawCoefficient(random, smallMagnitude);
        b_ = DrawCoefficient(random, smallMagnitude);
        xs_.Clear();
        const std::string expression = std::to_string(a_) +
                                       " <times><te=26><i>x<arial></i><te=18>  " + SignText(b_) +
                                       " " + std::to_string(std::abs(b_));
        return std::string(kExpressionIndent, ' ') + expression + "    pour<br>" +
               std::string(separator);
    }

    QuestionLines DrawQuestion(int number, RandomSource& random) override {
        const int x = xs_.Next(random);
        const int v = a_ * x + b_;
        const std::string question =
            "<br>" + std::to_string(number) + kQuestionX + std::to_string(x);
        return {question + "<br>", question + std::string(kAnswerPadding, ' ') + TabRun(2) +
                                       Highlight(std::to_string(v)) + "<br>"};
    }

private:
    int a_ = 0;
    int b_ = 0;
    NoRepeatDraw xs_;
};

} // namespace

Sheet GenerateVNdeg1(const SheetSettings& settings, RandomSource& random) {
    VNdeg1 family;
    return RunFrame({"VN1_", " </u></b><br><br><br>", ""}, family, settings, random);
}

} // namespace vorn
