#include "exercises/coefficient_draw.h"
#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/no_repeat_draw.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

// The x of the question lines; the expression's x orders its tags otherwise.
constexpr std::string_view kQuestionX = "\xB0/ <i><te=26><times>x</i><te=18><arial> = ";
constexpr int kExpressionIndent = 100;
constexpr int kAnswerPadding = 77;

// a·x + b, with a and b in -6..9 and never 0, 1 or -1.
class VNdeg1 final : public FamilyDraws {
public:
    void DrawSheet(RandomSource& random, std::string_view separator, std::string& line) override {
        const auto smallMagnitude = [](int v) { return v >= -1 && v <= 1; };
        a_ = DrawCoefficient(random, smallMagnitude);
        b_ = DrawCoefficient(random, smallMagnitude);
        xs_.Clear();
        Append(line, Blanks{kExpressionIndent}, a_, " <times><te=26><i>x<arial></i><te=18>  ",
               SignPiece{b_}, ' ', std::abs(b_), "    pour<br>", separator);
    }

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const int x = xs_.Next(random);
        const int v = a_ * x + b_;
        // The question, then the statement's line break or the answer's result.
        const std::size_t question = statement.size();
        Append(statement, "<br>", number, kQuestionX, x);
        answer.append(statement, question);
        Append(statement, "<br>");
        Append(answer, Blanks{kAnswerPadding}, TabRunPiece{2}, kHighlightOpen, v, kHighlightClose,
               "<br>");
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
