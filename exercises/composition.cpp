#include "exercises/composition.h"

#include "exercises/composition_text.h"
#include "exercises/frame.h"
#include "text/cp1252.h"

#include <stdexcept>

namespace vorn {

namespace {

std::string Quoted(const ComposedExercise& exercise) {
    return "\xC2\xAB " + ExerciseText(exercise) + " \xC2\xBB";
}

bool SameKind(const ComposedExercise& a, const ComposedExercise& b) {
    return a.family == b.family && a.level == b.level;
}

// One family at one level, and where its exercises stand on the sheet.
struct KindDraw {
    SheetKind kind;
    std::vector<std::size_t> exercises;
    FrameParts parts;
};

} // namespace

int Composition::QuestionCount() const {
    int total = 0;
    for (const ComposedExercise& exercise : exercises)
        total += exercise.questionCount;
    return total;
}

Composition DefaultComposition() {
    return {{{&FamilyNamed("red"), 1, 6},
             {&FamilyNamed("devred"), 1, 4},
             {&FamilyNamed("fact"), 1, 4},
             {&FamilyNamed("eq1"), 2, 4}}};
}

std::string CompositionProblem(const Composition& composition) {
    const auto& exercises = composition.exercises;
    if (exercises.empty())
        return "Aucun exercice : une feuille compos\xC3\xA9"
               "e en a de 1 \xC3\xA0 " +
               std::to_string(kMaxComposedExercises) + ".";
    int total = 0;
    for (std::size_t i = 0; i < exercises.size(); ++i) {
        const ComposedExercise& e = exercises[i];
        if (static_cast<int>(i) == kMaxComposedExercises)
            return Quoted(e) + " : une feuille compos\xC3\xA9" + "e a au plus " +
                   std::to_string(kMaxComposedExercises) + " exercices.";
        if (e.family == nullptr)
            return Quoted(e) + " : famille inconnue.";
        if (e.level < 1 || e.level > e.family->LevelCount())
            return Quoted(e) + " : la famille " + std::string(e.family->shortName) +
                   (e.family->LevelCount() == 1 ? std::string(" n'a que le niveau 1.")
                                                : " a les niveaux 1 \xC3\xA0 " +
                                                      std::to_string(e.family->LevelCount()) + ".");
        if (e.questionCount < 1 || e.questionCount > kMaxQuestionCount)
            return Quoted(e) + " : de 1 \xC3\xA0 " + std::to_string(kMaxQuestionCount) +
                   " questions par exercice.";
        total += e.questionCount;
        if (total > kMaxComposedQuestions)
            return Quoted(e) + " : plus de " + std::to_string(kMaxComposedQuestions) +
                   " questions sur la feuille.";
        int sameKind = 0;
        for (std::size_t j = 0; j <= i; ++j)
            if (SameKind(exercises[j], e))
                sameKind += exercises[j].questionCount;
        if (sameKind > kMaxQuestionCount)
            return Quoted(e) + " : plus de " + std::to_string(kMaxQuestionCount) +
                   " questions de " + std::string(e.family->shortName) + " au niveau " +
                   std::to_string(e.level) + " sur la feuille.";
    }
    return {};
}

Sheet GenerateComposedSheet(const Composition& composition, const SheetSettings& settings,
                            RandomSource& random) {
    if (const std::string problem = CompositionProblem(composition); !problem.empty())
        throw std::invalid_argument(problem);

    std::vector<KindDraw> draws;
    for (std::size_t i = 0; i < composition.exercises.size(); ++i) {
        const ComposedExercise& e = composition.exercises[i];
        auto draw = draws.begin();
        while (draw != draws.end() &&
               !(draw->kind.family == e.family && draw->kind.level == e.level))
            ++draw;
        if (draw == draws.end())
            draw = draws.insert(draws.end(), KindDraw{{e.family, e.level}, {}, {}});
        draw->exercises.push_back(i);
        draw->parts.exerciseCounts.push_back(e.questionCount);
    }

    std::string reference = DrawSheetReference(kComposedPrefix, random);
    for (KindDraw& draw : draws) {
        SheetSettings kindSettings = settings;
        kindSettings.questionCount = 0;
        for (const int n : draw.parts.exerciseCounts)
            kindSettings.questionCount += n;
        kindSettings.parts = &draw.parts;
        GenerateSheet(draw.kind, kindSettings, random);
    }

    std::vector<std::string> instructions;
    instructions.reserve(draws.size());
    std::vector<ExercisePart> parts(composition.exercises.size());
    for (const KindDraw& draw : draws) {
        instructions.push_back(Utf8ToCp1252(draw.kind.family->instruction));
        for (std::size_t n = 0; n < draw.exercises.size(); ++n)
            parts[draw.exercises[n]] = {instructions.back(), draw.parts.line,
                                        draw.parts.statements[n], draw.parts.answers[n]};
    }
    return ComposeFrame(std::move(reference), settings, parts);
}

} // namespace vorn
