// From a click on an exercise button or menu entry to both panes filled and
// painted, for a 40-question sheet of each family and level in the adapted
// layout (larger type, one and a half line spacing, more blank lines), with
// boxed results, at the window's designed separator and spacing. The steps
// that lay out the rest of the sheet after the paint are run untimed between
// two clicks, as in app_click_bench.
#include "app/main_window.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "bench/support/bench_sheet.h"
#include "bench/support/paint_counter.h"
#include "richtext/rich_text_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

void BM_AdaptedClickToPanes(benchmark::State& state) {
    const vorn::bench::SheetCase sheetCase = vorn::bench::CaseOf(state);
    QTemporaryDir settingsDir;
    MainWindow form;
    form.removableDriveCheck = [] { return false; };
    form.formStorage.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
    form.show();
    form.questionCountSpin->SetValue(vorn::kMaxQuestionCount);
    form.separatorSpin->SetValue(sheetCase.separator);
    form.spacingSpin->SetValue(sheetCase.spacing);
    form.sheetLookButton->AdaptedAction()->trigger();
    form.sheetLookButton->BoxedResultsAction()->trigger();
    form.state.Random.SetState(12345);
    vorn::bench::PaintCounter paints;
    for (RichTextPane* pane : {form.statementPane, form.answerKeyPane})
        paints.Watch(pane->viewport());
    QCoreApplication::processEvents();
    const int paintsBefore = paints.Count();

    QPushButton* button = form.familyButton(*sheetCase.kind.family);
    QAction* action = form.familyAction(sheetCase.kind);
    for (auto _ : state) {
        if (button)
            button->click();
        else
            action->trigger();
        QCoreApplication::processEvents(); // the panes are painted
        state.PauseTiming();
        for (RichTextPane* pane : {form.statementPane, form.answerKeyPane}) {
            pane->ShowWholeContent();
            pane->document()->documentLayout()->documentSize();
        }
        state.ResumeTiming();
    }
    const QTextCharFormat first =
        form.statementPane->document()->begin().begin().fragment().charFormat();
    if (first.fontPointSize() < 14 || form.answerKeyPane->TextLength() < 100)
        state.SkipWithError("no adapted sheet in the panes");
    if (double(paints.Count() - paintsBefore) / double(state.iterations()) < 2)
        state.SkipWithError("the panes were not painted");
}

BENCHMARK(BM_AdaptedClickToPanes)
    ->Apply(vorn::bench::OverDesignedSettings)
    ->Unit(benchmark::kMillisecond);

} // namespace
