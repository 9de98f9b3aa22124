#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/stepped_family.h"

#include <algorithm>
#include <vector>

namespace vorn {

namespace {

// Sums of two terms in each power of x up to 1 (level 1) or 2 (level 2), each
// coefficient in ±1..9, in a shuffled order.
class Reduce final : public FamilyDraws {
public:
    explicit Reduce(int highestPower) : highestPower_(highestPower) {}

    void DrawSheet(RandomSource&, std::string_view, std::string& line) override {
        Append(line, "R\xE9"
                     "duire les expressions suivantes.<br><br>");
    }

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        const std::vector<Term> terms = DrawDistinct(questions_, [&] { return Draw(random); });

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ");
        AppendSum(statement, terms);
        Append(statement, "<br>");
        answer.append(statement, question);

        // The terms regrouped by power, each keeping its sign.
        std::vector<Term> grouped = terms;
        std::stable_sort(grouped.begin(), grouped.end(), HigherPower);
        Append(answer, kStepOpen);
        AppendSum(answer, grouped);

        Polynomial reduced;
        for (const Term& term : terms)
            reduced.coefficients[static_cast<std::size_t>(term.power)] += term.coefficient;
        Append(answer, "<br>", kStepOpen, kHighlightOpen);
        AppendPolynomial(answer, reduced);
        Append(answer, kHighlightClose, "<br>");
    }

private:
    static bool HigherPower(const Term& a, const Term& b) { return a.power > b.power; }

    std::vector<Term> Draw(RandomSource& random) const {
        std::vector<Term> terms;
        for (int power = highestPower_; power >= 0; --power) {
            // Two coefficients that cancel would leave the power out of the
            // result.
            int first = 0;
            int second = 0;
            while (first + second == 0) {
                first = DrawSignedDigit(random);
                second = DrawSignedDigit(random);
            }
            terms.push_back({first, power});
            terms.push_back({second, power});
        }
        // Terms already grouped by power would leave nothing to regroup.
        while (std::is_sorted(terms.begin(), terms.end(), HigherPower)) {
            for (std::size_t i = terms.size() - 1; i > 0; --i) {
                const auto j = random.Random(static_cast<std::int32_t>(i + 1));
                std::swap(terms[i], terms[static_cast<std::size_t>(j)]);
            }
        }
        return terms;
    }

    int highestPower_;
    std::vector<std::vector<Term>> questions_;
};

} // namespace

Sheet GenerateReduce(const SheetSettings& settings, int level, RandomSource& random) {
    CheckLevel(level, 2);
    Reduce family(level);
    return RunFrame({"RED_", "</u></b><br><br><br>", "<br>"}, family, settings, random);
}

} // namespace vorn
