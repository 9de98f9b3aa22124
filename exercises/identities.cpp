#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

constexpr const char* kX = " <te=26><times><i>x<te=18><arial></i>";

// (f x + g)² or (f x + G)(f x - G), with f in 1..20, g in -15..20 but not 0,
// and G = |g|.
class Ident final : public FamilyDraws {
public:
    std::string DrawSheet(RandomSource&, std::string_view) override { return {}; }

    QuestionLines DrawQuestion(int number, RandomSource& random) override {
        const int f = 1 + random.Random(20);
        int g = 0;
        while (g == 0)
            g = 20 - random.Random(36);
        // Two draws in three give a square, the third a sum-times-difference.
        const bool square = random.Random(3) < 2;
        return square ? Square(number, f, g) : Product(number, f, g);
    }

private:
    static QuestionLines Square(int number, int f, int g) {
        const std::string result = CoefText(f * f) + kXSquared + XTerm(2 * f * g) +
                                   SignText(g * g) + " " + std::to_string(g * g);
        const std::string base = std::to_string(number) + "\xB0/ (" + CoefText(f) + kX + " " +
                                 SignText(g) + " " + std::to_string(std::abs(g));
        return {base + ")<sup>2</sup><br>",
                base + ")<sup>2</sup>" + TabRun(3) + Highlight(result) + "<br>"};
    }

    static QuestionLines Product(int number, int f, int g) {
        const std::string magnitude = std::to_string(std::abs(g));
        const std::string result = CoefText(f * f) + kXSquared + " - " + std::to_string(g * g);
        const std::string first = std::to_string(number) + "\xB0/ (" + CoefText(f) + kX + " +  " +
                                  magnitude + ")(" + CoefText(f) + kX;
        // The answer key's minus sign stands one blank further right.
        return {first + " -  " + magnitude + ")<br>",
                first + "  -  " + magnitude + ")" + TabRun(3) + Highlight(result) + "<br>"};
    }
};

} // namespace

Sheet GenerateIdent(const SheetSettings& settings, RandomSource& random) {
    Ident family;
    return RunFrame({"DEV_ident_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
