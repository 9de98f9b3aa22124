#include "sheet_fixture.h"

#include "output/current_printer.h"
#include "output/page_picture.h"
#include "output/preview_box.h"
#include "output/preview_command.h"
#include "output/print_pane.h"
#include "richtext/trx_rich_edit.h"

#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <benchmark/benchmark.h>

// A 40-question statement with 5 spacing lines: two pages drawn, written and
// loaded back, as the "A" button does (A4 paper).
static void BM_Preview40Questions(benchmark::State& state) {
    QDir::setCurrent(FreshFolder());
    vorn::CurrentPrinter printer;
    printer.PrintToFile(FreshFolder() + "/unused.pdf");
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    QWidget window;
    vorn::PreviewBox box(&window);
    TRxRichEdit statement;
    statement.SetText(StatementRtf(40, 5));
    for (auto _ : state) {
        vorn::PreviewCommand(box, statement, printer);
        if (box.Image2().IsEmpty())
            state.SkipWithError("the second page was not drawn");
    }
}
BENCHMARK(BM_Preview40Questions)->Unit(benchmark::kMillisecond);

// One job of the same statement handed to the default printer's spooler.
static void BM_PrintJob40Questions(benchmark::State& state) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        state.SkipWithError("no default printer");
        return;
    }
    vorn::CurrentPrinter printer;
    TRxRichEdit statement;
    statement.SetText(StatementRtf(40, 5));
    for (auto _ : state)
        vorn::PrintPane(printer, statement, QStringLiteral("BENCH_40.rtf"));
}
BENCHMARK(BM_PrintJob40Questions)->Unit(benchmark::kMillisecond)->Iterations(5);
