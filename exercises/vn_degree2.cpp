#include "exercises/coefficient_draw.h"
#include "exercises/digit_grouping.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/no_repeat_draw.h"
#include "exercises/terms.h"

namespace vorn {

namespace {

constexpr std::string_view kQuestionX = "\xB0/ <i><te=26><times> x</i><te=18><arial> = ";
constexpr int kExpressionIndent = 100;
constexpr int kAnswerPadding = 77;

// a·x² + b·x + c, with a in -6..9 but not 0, and b and c anywhere in -6..9.
class VNdeg2 final : public FamilyDraws {
public:
    void DrawSheet(RandomSource& random, std::string_view separator, std::string& line) override {
        a_ = DrawNonZeroCoefficient(random);
        b_ = DrawCoefficient(random, [](int) { return false; });
        c_ = DrawCoefficient(random, [](int) { return false; });
        xs_.Clear();
        Append(line, Blanks{kExpressionIndent}, CoefPiece{a_},
               "<i> <te=26><times>x</i><te=18><arial><sup>2</sup> ", XTermPiece{b_},
               ConstTermPiece{c_}, "<ce=noir>    pour<br>", separator);
    }

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const int x = xs_.Next(random);
        const int v = a_ * x * x + b_ * x + c_;
        // The question, then the statement's line break or the answer's result.
        const std::size_t question = statement.size();
        Append(statement, "<br>", number, kQuestionX, x);
        answer.append(statement, question);
        Append(statement, "<br>");
        Append(answer, Blanks{kAnswerPadding}, TabRunPiece{2}, kHighlightOpen, GroupedIntPiece{v},
               kHighlightClose, "<br>");
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
