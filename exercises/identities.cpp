#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/terms.h"

#include <cstdlib>

namespace vorn {

namespace {

constexpr std::string_view kX = " <te=26><times><i>x<te=18><arial></i>";

// (f x + g)² or (f x + G)(f x - G), with f in 1..20, g in -15..20 but not 0,
// and G = |g|.
class Ident final : public FamilyDraws {
public:
    void DrawSheet(RandomSource&, std::string_view, std::string&) override {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const int f = 1 + random.Random(20);
        int g = 0;
        while (g == 0)
            g = 20 - random.Random(36);
        // Two draws in three give a square, the third a sum-times-difference.
        const bool square = random.Random(3) < 2;
        if (square)
            Square(number, f, g, statement, answer);
        else
            Product(number, f, g, statement, answer);
    }

private:
    static void Square(int number, int f, int g, std::string& statement, std::string& answer) {
        // The square, written once and copied into the answer key.
        const std::size_t base = statement.size();
        Append(statement, number, "\xB0/ (", CoefPiece{f}, kX, ' ', SignPiece{g}, ' ', std::abs(g),
               ")<sup>2</sup>");
        answer.append(statement, base);
        Append(statement, "<br>");
        Append(answer, TabRunPiece{3}, kHighlightOpen, CoefPiece{f * f}, kXSquared,
               XTermPiece{2 * f * g}, SignPiece{g * g}, ' ', g * g, kHighlightClose, "<br>");
    }

    static void Product(int number, int f, int g, std::string& statement, std::string& answer) {
        const int magnitude = std::abs(g);
        // The sum and the start of the difference, written once and copied
        // into the answer key.
        const std::size_t first = statement.size();
        Append(statement, number, "\xB0/ (", CoefPiece{f}, kX, " +  ", magnitude, ")(",
               CoefPiece{f}, kX);
        answer.append(statement, first);
        Append(statement, " -  ", magnitude, ")<br>");
        // The answer key's minus sign stands one blank further right.
        Append(answer, "  -  ", magnitude, ")", TabRunPiece{3}, kHighlightOpen, CoefPiece{f * f},
               kXSquared, " - ", g * g, kHighlightClose, "<br>");
    }
};

} // namespace

Sheet GenerateIdent(const SheetSettings& settings, RandomSource& random) {
    Ident family;
    return RunFrame({"DEV_ident_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
