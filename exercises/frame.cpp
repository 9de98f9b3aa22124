#include "exercises/frame.h"

#include "exercises/terms.h"

#include <stdexcept>

namespace vorn {

namespace {

std::string TwoDigits(std::int32_t n) {
    std::string digits = std::to_string(n);
    if (digits.size() < 2)
        digits.insert(0, "0");
    return digits;
}

} // namespace

std::string DrawSheetReference(std::string_view prefix, RandomSource& random) {
    std::string reference(prefix);
    for (int i = 0; i < 3; ++i)
        reference += TwoDigits(random.Random(100));
    return reference;
}

std::string Highlight(std::string_view result) {
    std::string out;
    out.reserve(result.size() + 21);
    out += "<cf=jaune> ";
    out += result;
    out += " <cf=auto>";
    return out;
}

Sheet RunFrame(const FrameLayout& layout, FamilyDraws& family, const SheetSettings& settings,
               RandomSource& random) {
    const int count = settings.questionCount;
    // The no-repeat draw of x has 50 candidates: refusing larger counts up
    // front keeps every generation finite.
    if (count > kMaxQuestionCount)
        throw std::out_of_range("question count " + std::to_string(count) + " is above " +
                                std::to_string(kMaxQuestionCount));

    const std::string separator = SeparatorLine(settings.separatorLength);
    const std::string spacing = SpacingLines(settings.spacingLines);

    Sheet sheet;
    sheet.reference = DrawSheetReference(layout.prefix, random);
    const std::string expressionLine = family.DrawSheet(random, separator);

    std::string& s = sheet.statement;
    std::string& k = sheet.answerKey;
    s = "<te=24>" + sheet.reference + " - <b><u>" + settings.title +
        std::string(layout.titleClose) + "<ce=noir><te=18>" + expressionLine;
    k = "<te=24>" + sheet.reference + " - <b><u>Corrig\xE9</u></b> - " + settings.title +
        "<br><br><br><ce=noir><te=18>" + expressionLine;

    // A question line is a few hundred bytes at most: one allocation each.
    if (count > 0) {
        const std::size_t perQuestion = 320 + separator.size() + layout.gapEnd.size();
        s.reserve(s.size() + static_cast<std::size_t>(count) * (perQuestion + spacing.size()));
        k.reserve(k.size() + static_cast<std::size_t>(count) * perQuestion);
    }
    for (int i = 1; i <= count; ++i) {
        const QuestionLines lines = family.DrawQuestion(i, random);
        s += lines.statement;
        if (i < count) {
            s += spacing;
            s += separator;
            s += layout.gapEnd;
        }
        k += lines.answer;
        if (i < count) {
            k += separator;
            k += layout.gapEnd;
        }
    }
    return sheet;
}

} // namespace vorn
