#include "bench/support/bench_sheet.h"
#include "bench/support/paint_counter.h"

#include "output/preview/page_picture.h"
#include "output/preview/preview_box.h"
#include "output/preview/preview_command.h"
#include "output/print/current_printer.h"
#include "output/print/print_job.h"
#include "richtext/rich_text_pane.h"

#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using vorn::bench::CaseOf;
using vorn::bench::FortyQuestionSheet;

// The "A" button on a generated sheet (A4 paper): two pages drawn, written and
// loaded back, then both pictures drawn in the preview box.
void Preview(benchmark::State& state, bool answerKey) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    QTemporaryDir workingDir;
    QDir::setCurrent(workingDir.path());
    vorn::CurrentPrinter printer;
    printer.PrintToFile(workingDir.filePath(QStringLiteral("unused.pdf")));
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    QWidget window;
    vorn::PreviewBox box(&window);
    RichTextPane pane;
    MarkupToRtf(pane, answerKey ? sheet.answerKey : sheet.statement);
    vorn::bench::PaintCounter paints;
    paints.Watch(&box.Image1());
    paints.Watch(&box.Image2());
    for (auto _ : state) {
        vorn::PreviewCommand(box, pane, pane, printer, {});
        // What the box shows: each picture drawn at its size in the box.
        for (vorn::PagePicture* picture : {&box.Image1(), &box.Image2()})
            picture->grab();
    }
    if (box.Image2().IsEmpty())
        state.SkipWithError("the second page was not drawn");
    state.counters["paints"] = double(paints.Count()) / double(state.iterations());
    QDir::setCurrent(QDir::tempPath());
}

void BM_PreviewStatement(benchmark::State& state) {
    Preview(state, false);
}
void BM_PreviewAnswerKey(benchmark::State& state) {
    Preview(state, true);
}

// One job of a generated statement handed to the default printer's spooler.
void BM_PrintJob(benchmark::State& state) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    if (QPrinterInfo::defaultPrinter().isNull()) {
        state.SkipWithError("no default printer");
        return;
    }
    vorn::CurrentPrinter printer;
    RichTextPane statement;
    MarkupToRtf(statement, sheet.statement);
    for (auto _ : state)
        vorn::PrintPane(printer, statement, QStringLiteral("BENCH_40.rtf"));
}

BENCHMARK(BM_PreviewStatement)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewAnswerKey)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintJob)
    ->Apply(vorn::bench::OverDesignedSettings)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
