#include "exercises/composition_text.h"

#include "text/user_error.h"

#include <charconv>

namespace vorn {

namespace {

std::string Quoted(std::string_view item) {
    return "\xC2\xAB " + std::string(item) + " \xC2\xBB";
}

// A whole decimal number, nothing before or after it.
bool ReadNumber(std::string_view text, int& n) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

} // namespace

std::string ExerciseText(const ComposedExercise& exercise) {
    std::string text(exercise.family != nullptr ? exercise.family->shortName : "?");
    text += ':' + std::to_string(exercise.level) + ':' + std::to_string(exercise.questionCount);
    return text;
}

std::string CompositionText(const Composition& composition) {
    std::string text;
    for (const ComposedExercise& exercise : composition.exercises) {
        if (!text.empty())
            text += ' ';
        text += ExerciseText(exercise);
    }
    return text;
}

ComposedExercise ParseExercise(std::string_view item) {
    const std::size_t first = item.find(':');
    const std::size_t second = first == std::string_view::npos ? first : item.find(':', first + 1);
    if (second == std::string_view::npos)
        throw UserError(Quoted(item) + " : un exercice s'\xC3\xA9" +
                        "crit FAMILLE:NIVEAU:QUESTIONS, par exemple red:2:5.");
    ComposedExercise exercise;
    exercise.family = FindFamily(item.substr(0, first));
    if (exercise.family == nullptr)
        throw UserError(Quoted(item) + " : famille inconnue.");
    const int levels = exercise.family->LevelCount();
    if (!ReadNumber(item.substr(first + 1, second - first - 1), exercise.level) ||
        exercise.level < 1 || exercise.level > levels)
        throw UserError(Quoted(item) + " : le niveau va de 1 \xC3\xA0 " + std::to_string(levels) +
                        ".");
    if (!ReadNumber(item.substr(second + 1), exercise.questionCount) ||
        exercise.questionCount < 1 || exercise.questionCount > kMaxQuestionCount)
        throw UserError(Quoted(item) + " : de 1 \xC3\xA0 " + std::to_string(kMaxQuestionCount) +
                        " questions par exercice.");
    return exercise;
}

Composition ParseComposition(std::string_view text) {
    Composition composition;
    constexpr std::string_view kBlanks = " \t\r\n";
    for (std::size_t pos = text.find_first_not_of(kBlanks); pos != std::string_view::npos;) {
        const std::size_t end = std::min(text.find_first_of(kBlanks, pos), text.size());
        composition.exercises.push_back(ParseExercise(text.substr(pos, end - pos)));
        pos = text.find_first_not_of(kBlanks, end);
    }
    if (std::string problem = CompositionProblem(composition); !problem.empty())
        throw UserError(problem);
    return composition;
}

} // namespace vorn
