#include "bench/support/bench_sheet.h"
#include "bench/support/paint_counter.h"
#include "richtext/rich_text_pane.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using vorn::bench::CaseOf;
using vorn::bench::FortyQuestionSheet;

// The panes at about their size in the window at its designed size.
constexpr QSize kPaneSize(794, 180);

// A generation's last step as the user sees it: both documents converted,
// loaded, laid out to their end and painted on screen.
void BM_LoadBothPanes(benchmark::State& state) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    RichTextPane statement, answers;
    vorn::bench::PaintCounter paints;
    for (RichTextPane* pane : {&statement, &answers}) {
        pane->resize(kPaneSize);
        pane->show();
        paints.Watch(pane->viewport());
    }
    QCoreApplication::processEvents();
    const int paintsBefore = paints.Count();
    for (auto _ : state) {
        MarkupToRtf(statement, sheet.statement);
        MarkupToRtf(answers, sheet.answerKey);
        QCoreApplication::processEvents(); // the panes are painted
        // A pane reads the rest of a long document after its first paint, and
        // lays it out in steps on a timer; the wait ends when both are read
        // whole and what they show is laid out.
        for (RichTextPane* pane : {&statement, &answers})
            pane->Content().documentLayout()->documentSize();
    }
    const double paintsPerLoad = double(paints.Count() - paintsBefore) / double(state.iterations());
    if (paintsPerLoad < 2)
        state.SkipWithError("the panes were not painted");
    state.counters["paints"] = paintsPerLoad;
    state.counters["statementChars"] = statement.TextLength();
    state.counters["answerChars"] = answers.TextLength();
}

// Saving: both panes streamed out as RTF.
void BM_StreamOutRtf(benchmark::State& state) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    RichTextPane statement, answers;
    MarkupToRtf(statement, sheet.statement);
    MarkupToRtf(answers, sheet.answerKey);
    qint64 bytes = 0;
    const auto sink = [&](const char*, qint64 n) {
        bytes += n;
        return 0;
    };
    for (auto _ : state) {
        statement.StreamOut(RichTextPane::StreamFormat::Rtf, sink);
        answers.StreamOut(RichTextPane::StreamFormat::Rtf, sink);
    }
    benchmark::DoNotOptimize(bytes);
}

// Printing one pane, the whole job: from the pane's content to a finished
// A4 PDF at 1200 dpi, every page laid out and drawn and the fonts embedded.
void Paginate(benchmark::State& state, bool answerKey) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    RichTextPane pane;
    MarkupToRtf(pane, answerKey ? sheet.answerKey : sheet.statement);
    int pages = 0;
    qint64 pdfBytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(1200);
        QPainter painter(&writer);
        const QRect twips(0, 0, writer.width() * 1440 / writer.logicalDpiX(),
                          writer.height() * 1440 / writer.logicalDpiY());
        pane.FormatRangeRelease();
        const int length = pane.TextLength();
        int next = 0;
        pages = 0;
        for (;;) {
            const int from = next;
            next = pane.FormatRange(painter, twips, twips, from, true);
            ++pages;
            if (next <= from || next >= length)
                break;
            writer.newPage();
        }
        pane.FormatRangeRelease();
        painter.end(); // the PDF is finished here
        pdfBytes = buffer.size();
    }
    state.counters["pages"] = pages;
    state.counters["pdfBytes"] = double(pdfBytes);
}

void BM_PaginateStatementA4(benchmark::State& state) {
    Paginate(state, false);
}
void BM_PaginateAnswerKeyA4(benchmark::State& state) {
    Paginate(state, true);
}

BENCHMARK(BM_LoadBothPanes)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamOutRtf)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateStatementA4)
    ->Apply(vorn::bench::OverAllSettings)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateAnswerKeyA4)
    ->Apply(vorn::bench::OverAllSettings)
    ->Unit(benchmark::kMillisecond);

} // namespace
