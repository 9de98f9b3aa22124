// From a click on an exercise button or menu entry to both panes filled, laid
// out and painted: the handler's whole run and the paint that follows it, for
// a 40-question sheet of each family and level. The panes lay out what they show before
// painting it and the rest of a long sheet in short steps afterwards, so two
// waits are timed: until the sheet is on the screen, and until the last step.
// Every case reports the same counters, so that any output format (CSV too)
// takes them; the first click of a session is app_first_click_bench. The
// adapted layout (larger type, one and a half line spacing, more blank
// lines) with boxed results is timed the same way, at the designed settings.
#include "app/first_click_warm_up.h"
#include "app/main_window.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "bench/support/bench_sheet.h"
#include "bench/support/paint_counter.h"
#include "richtext/rich_text_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// What the teacher clicks for that family and level: its designed button, or
// its entry in the families menu.
std::function<void()> ClickOf(MainWindow& form, const vorn::SheetKind& kind) {
    if (QPushButton* button = form.familyButton(*kind.family))
        return [button] { button->click(); };
    QAction* action = form.familyAction(kind);
    return [action] { action->trigger(); };
}

enum class Wait { Paint, LayoutEnd };

// The steps that bring the rest of a long sheet into both panes' layout, run
// at once instead of on their timer. What they change on the screen (the
// scroll bars' length) is painted as they run, not at the next click.
void RunLayoutSteps(MainWindow& form) {
    for (RichTextPane* pane : {form.statementPane, form.answerKeyPane}) {
        pane->ShowWholeContent();
        pane->document()->documentLayout()->documentSize();
    }
    QCoreApplication::processEvents();
}

// A new window draws a sample sheet of each family just after it appears,
// while the teacher reads it, one per turn of the event loop: timed here, it
// would fall into the first few clicks of each case (app_first_click_bench
// times a click made during it). The clicks are timed once it is over.
bool LetWarmUpFinish(MainWindow& form) {
    const auto* warmUp = form.findChild<FirstClickWarmUp*>();
    QElapsedTimer waited;
    waited.start();
    while (warmUp && !warmUp->Done() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return warmUp && warmUp->Done();
}

void ClickToPanes(benchmark::State& state, Wait wait, bool adapted = false) {
    const bool toLayoutEnd = wait == Wait::LayoutEnd;
    const vorn::bench::SheetCase sheetCase = vorn::bench::CaseOf(state);
    // A window of its own, gone before the application is: one kept for the
    // whole run would be destroyed after QApplication and crash the exit.
    QTemporaryDir settingsDir; // designed values, nothing stored
    MainWindow form;
    form.removableDriveCheck = [] { return false; };
    form.formStorage.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
    form.show();
    form.questionCountSpin->SetValue(vorn::kMaxQuestionCount);
    form.separatorSpin->SetValue(sheetCase.separator);
    form.spacingSpin->SetValue(sheetCase.spacing);
    if (adapted) {
        form.sheetLookButton->AdaptedAction()->trigger();
        form.sheetLookButton->BoxedResultsAction()->trigger();
    }
    form.state.Random.SetState(12345);
    vorn::bench::PaintCounter paints;
    for (RichTextPane* pane : {form.statementPane, form.answerKeyPane})
        paints.Watch(pane->viewport());
    if (!LetWarmUpFinish(form))
        state.SkipWithError("the window's warm-up did not finish");
    const int paintsBefore = paints.Count();

    const std::function<void()> click = ClickOf(form, sheetCase.kind);
    for (auto _ : state) {
        click();
        QCoreApplication::processEvents(); // the panes are painted
        // The steps left, run at once instead of on their timer: timed for the
        // layout's end, and otherwise done before the next click, as a teacher
        // who reads the sheet lets them run, so that none falls into its time.
        if (!toLayoutEnd)
            state.PauseTiming();
        RunLayoutSteps(form);
        if (!toLayoutEnd)
            state.ResumeTiming();
    }
    // The window starts with one space in each pane; a 40-question sheet has
    // well over a hundred characters in each.
    if (form.statementPane->TextLength() < 100 || form.answerKeyPane->TextLength() < 100)
        state.SkipWithError("the panes were not filled");
    const QTextCharFormat first =
        form.statementPane->document()->begin().begin().fragment().charFormat();
    if (adapted && first.fontPointSize() < 14)
        state.SkipWithError("no adapted sheet in the panes");
    const double paintsPerClick =
        double(paints.Count() - paintsBefore) / double(state.iterations());
    if (paintsPerClick < 2)
        state.SkipWithError("the panes were not painted");
    state.counters["paints"] = paintsPerClick;
}

void BM_ClickToPanes(benchmark::State& state) {
    ClickToPanes(state, Wait::Paint);
}

void BM_ClickToLayoutEnd(benchmark::State& state) {
    ClickToPanes(state, Wait::LayoutEnd);
}

void BM_AdaptedClickToPanes(benchmark::State& state) {
    ClickToPanes(state, Wait::Paint, true);
}

// "Créer" in "Feuille composée…": from the dialog's close to both panes
// painted, for ten exercises of ten questions, one of each family (level 1),
// separator 120 and spacing 1. What "Créer" runs after the dialog is the
// generation of the sheet into the panes (the settings file's one write
// before it is left out, as the file system's time is not the program's).
void BM_ComposedClickToPanes(benchmark::State& state) {
    QTemporaryDir settingsDir;
    MainWindow form;
    form.removableDriveCheck = [] { return false; };
    form.formStorage.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
    form.show();
    form.separatorSpin->SetValue(120);
    form.spacingSpin->SetValue(1);
    form.state.Random.SetState(12345);
    vorn::Composition composition;
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies())
        if (composition.exercises.size() < vorn::kMaxComposedExercises)
            composition.exercises.push_back({&family, 1, 10});
    const vorn::SheetRecipe recipe = composition;
    vorn::bench::PaintCounter paints;
    for (RichTextPane* pane : {form.statementPane, form.answerKeyPane})
        paints.Watch(pane->viewport());
    if (!LetWarmUpFinish(form))
        state.SkipWithError("the window's warm-up did not finish");
    const int paintsBefore = paints.Count();
    for (auto _ : state) {
        form.generateSheet(recipe);
        QCoreApplication::processEvents(); // the panes are painted
        state.PauseTiming();
        RunLayoutSteps(form);
        state.ResumeTiming();
    }
    if (composition.QuestionCount() != vorn::kMaxComposedQuestions ||
        form.answerKeyPane->TextLength() < 1000)
        state.SkipWithError("not a full composed sheet");
    if (double(paints.Count() - paintsBefore) / double(state.iterations()) < 2)
        state.SkipWithError("the panes were not painted");
}

BENCHMARK(BM_ComposedClickToPanes)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_ClickToPanes)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickToLayoutEnd)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdaptedClickToPanes)
    ->Apply(vorn::bench::OverDesignedSettings)
    ->Unit(benchmark::kMillisecond);

} // namespace
