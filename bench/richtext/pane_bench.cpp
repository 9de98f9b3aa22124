#include "exercises/random_source.h"
#include "exercises/sheet.h"
#include "richtext/trx_rich_edit.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr vorn::Family kFamilies[] = {vorn::Family::VNdeg1, vorn::Family::VNdeg2,
                                      vorn::Family::Dev1, vorn::Family::Dev2, vorn::Family::Ident};
const char* kFamilyNames[] = {"VNdeg1", "VNdeg2", "Dev1", "Dev2", "Ident"};

vorn::Sheet FortyQuestions(const benchmark::State& state) {
    vorn::SheetSettings settings;
    settings.questionCount = 40;
    settings.title = "Contr\xF4le";
    vorn::LcgRandom random(4242);
    const int family = int(state.range(0));
    return vorn::GenerateSheet(kFamilies[family], settings, random);
}

void SetLabel(benchmark::State& state) {
    state.SetLabel(kFamilyNames[state.range(0)]);
}

// A generation's last step: both documents converted and loaded; with
// visible panes the on-screen layout of both documents is part of it.
void LoadBothPanes(benchmark::State& state, bool visible) {
    const vorn::Sheet sheet = FortyQuestions(state);
    TRxRichEdit statement, answers;
    if (visible) {
        for (TRxRichEdit* pane : {&statement, &answers}) {
            pane->resize(900, 300);
            pane->show();
        }
    }
    for (auto _ : state) {
        MarkupToRtf(statement, sheet.statement);
        MarkupToRtf(answers, sheet.answerKey);
    }
    state.counters["statementChars"] = statement.TextLength();
    state.counters["answerChars"] = answers.TextLength();
    SetLabel(state);
}

void BM_LoadBothPanes(benchmark::State& state) {
    LoadBothPanes(state, false);
}
void BM_LoadBothVisiblePanes(benchmark::State& state) {
    LoadBothPanes(state, true);
}

// Saving: both panes streamed out as RTF.
void BM_StreamOutRtf(benchmark::State& state) {
    const vorn::Sheet sheet = FortyQuestions(state);
    TRxRichEdit statement, answers;
    MarkupToRtf(statement, sheet.statement);
    MarkupToRtf(answers, sheet.answerKey);
    qint64 bytes = 0;
    const auto sink = [&](const char*, qint64 n) {
        bytes += n;
        return 0;
    };
    for (auto _ : state) {
        statement.StreamOut(TRxRichEdit::StreamFormat::Rtf, sink);
        answers.StreamOut(TRxRichEdit::StreamFormat::Rtf, sink);
    }
    benchmark::DoNotOptimize(bytes);
    SetLabel(state);
}

// Printing one pane: every page laid out and drawn on an A4 PDF at 1200 dpi.
void Paginate(benchmark::State& state, bool answerKey) {
    const vorn::Sheet sheet = FortyQuestions(state);
    TRxRichEdit pane;
    MarkupToRtf(pane, answerKey ? sheet.answerKey : sheet.statement);
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        auto writer = std::make_unique<QPdfWriter>(&buffer);
        writer->setPageSize(QPageSize(QPageSize::A4));
        writer->setResolution(1200);
        auto painter = std::make_unique<QPainter>(writer.get());
        const QRect twips(0, 0, writer->width() * 1440 / writer->logicalDpiX(),
                          writer->height() * 1440 / writer->logicalDpiY());
        state.ResumeTiming();

        pane.FormatRangeRelease();
        const int length = pane.TextLength();
        int next = 0;
        pages = 0;
        for (;;) {
            const int from = next;
            next = pane.FormatRange(*painter, twips, twips, from, true);
            ++pages;
            if (next <= from || next >= length)
                break;
            writer->newPage();
        }
        pane.FormatRangeRelease();

        state.PauseTiming();
        painter.reset(); // finishes the PDF, outside the measure
        writer.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    SetLabel(state);
}

void BM_PaginateStatementA4(benchmark::State& state) {
    Paginate(state, false);
}
void BM_PaginateAnswerKeyA4(benchmark::State& state) {
    Paginate(state, true);
}

BENCHMARK(BM_LoadBothPanes)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBothVisiblePanes)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamOutRtf)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateStatementA4)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaginateAnswerKeyA4)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace
