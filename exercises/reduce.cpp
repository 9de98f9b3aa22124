#include "exercises/families.h"
#include "exercises/frame.h"
#include "exercises/markup_append.h"
#include "exercises/polynomial_text.h"
#include "exercises/question_history.h"
#include "exercises/signed_draw.h"
#include "exercises/step_lines.h"
#include "exercises/worked_family.h"

#include <algorithm>
#include <array>
#include <span>

namespace vorn {

namespace {

// The terms of one question, two of each power.
struct Question {
    std::array<Term, 6> terms{};
    std::size_t count = 0;

    std::span<const Term> Terms() const { return {terms.data(), count}; }
    bool operator==(const Question&) const = default;
};

// The same terms in another order make a near twin: a question is known by
// its terms sorted.
Question Sorted(Question q) {
    std::sort(q.terms.begin(), q.terms.begin() + q.count, [](const Term& a, const Term& b) {
        return a.power != b.power ? a.power > b.power : a.coefficient < b.coefficient;
    });
    return q;
}

bool HigherPower(const Term& a, const Term& b) {
    return a.power > b.power;
}

// Sums of two terms in each power of x up to 1 (level 1) or 2 (level 2), each
// coefficient in ±1..9, in a shuffled order.
class Reduce final : public WorkedFamily {
public:
    explicit Reduce(int highestPower)
        : WorkedFamily("R\xE9"
                       "duire les expressions suivantes."),
          highestPower_(highestPower) {}

    void DrawQuestion(int number, RandomSource& random, std::string& statement,
                      std::string& answer) override {
        Question q;
        history_.DrawNew([&] {
            q = Draw(random);
            return Sorted(q);
        });

        // The terms regrouped by power, each keeping its sign.
        Question grouped = q;
        std::stable_sort(grouped.terms.begin(), grouped.terms.begin() + q.count, HigherPower);
        Polynomial reduced;
        for (const Term& term : q.Terms())
            reduced.coefficients[static_cast<std::size_t>(term.power)] += term.coefficient;

        const std::size_t question = statement.size();
        Append(statement, number, "\xB0/ ", kExpressionOpen, SumPiece{q.Terms()}, kLineClose);
        answer.append(statement, question);
        Append(answer, kStepOpen, "= ", SumPiece{grouped.Terms()}, kLineClose, kStepOpen, '=',
               kHighlightOpen, PolynomialPiece{reduced}, kHighlightClose, kLineClose);
    }

private:
    Question Draw(RandomSource& random) const {
        Question q;
        for (int power = highestPower_; power >= 0; --power) {
            // Two coefficients that cancel would leave the power out of the
            // result.
            int first = 0;
            int second = 0;
            while (first + second == 0) {
                first = DrawSignedMagnitude(random, 1, 9);
                second = DrawSignedMagnitude(random, 1, 9);
            }
            q.terms[q.count++] = {first, power};
            q.terms[q.count++] = {second, power};
        }
        // Terms already grouped by power would leave nothing to regroup.
        const auto end = q.terms.begin() + q.count;
        while (std::is_sorted(q.terms.begin(), end, HigherPower)) {
            for (std::size_t i = q.count - 1; i > 0; --i) {
                const auto j = random.Random(static_cast<std::int32_t>(i + 1));
                std::swap(q.terms[i], q.terms[static_cast<std::size_t>(j)]);
            }
        }
        return q;
    }

    int highestPower_;
    QuestionHistory<Question> history_;
};

} // namespace

Sheet GenerateReduce(const SheetSettings& settings, int level, RandomSource& random) {
    return RunWorkedFamily<Reduce>("RED", 2, settings, level, random);
}

} // namespace vorn
