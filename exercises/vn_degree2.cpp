#include "exercises/coefficient_draw.h"
#include "exercises/digit_grouping.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/no_repeat_draw.h"
#include "exercises/terms.h"

namespace vorn {

namespace {

constexpr const char* kQuestionX = "\xB0/ <i><te=26><times> x</i><te=18><arial> = ";
constexpr int kExpressionIndent = 100;
constexpr int kAnswerPadding = 77;

// a·x² + b·x + c, with a in -6..9 but not 0, and b and c anywhere in -6..9.
class VNdeg2 final : public FamilyDraws {
public:
    std::string DrawSheet(RandomSource& random, std::string_view separator) override {
        a_ = DrawNonZeroCoefficient(random);
        b_ = DrawCoefficient(random, [](int) { return false; });
        c_ = DrawCoefficient(random, [](int) { return false; });
        xs_.Clear();
        const std::string expression = CoefText(a_) +
                                       "<i> <te=26><times>x</i><te=18><arial><sup>2</sup> " +
                                       XTerm(b_) + ConstTerm(c_);
        return std::string(kExpressionIndent, ' ') + expression + "<ce=noir>    pour<br>" +
               std::string(separator);
    }

    QuestionLines DrawQuestion(int number, RandomSource& random) override {
        const int x = xs_.Next(random);
        const int v = a_ * x * x + b_ * x + c_;
        const std::string question =
            "<br>" + std::to_string(number) + kQuestionX + std::to_string(x);
        return {question + "<br>", question + std::string(kAnswerPadding, ' ') + TabRun(2) +
                                       Highlight(GroupNumber(std::to_string(v))) + "<br>"};
    }

private:
    int a_ = 0;
    int b_ = 0;
    int c_ = 0;
    NoRepeatDraw xs_;
};

} // namespace

Sheet GenerateVNdeg2(const SheetSettings& settings, RandomSource& random) {
    VNdeg2 family;
    return RunFrame({"VN2-", "</u></b><br><br><br>", ""}, family, settings, random);
}

} // namespace vorn
