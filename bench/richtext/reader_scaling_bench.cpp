// How the pane's RTF reading, layout and saving grow with the input. Each
// benchmark runs over sizes ten times apart; linear means ten times the input
// costs about ten times the time (the goal is at most twelve).
#include "richtext/rich_text_pane.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

const QByteArray kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}";

// Runs whose text and background colours differ from run to run while the
// sum of the two colours' values stays the same.
QByteArray CollidingColourRuns(int runs) {
    QByteArray rtf = kHeader + "{\\colortbl ;";
    for (int i = 0; i < runs; ++i)
        rtf += "\\red0\\green" + QByteArray::number((i >> 8) & 0xFF) + "\\blue" +
               QByteArray::number(i & 0xFF) + ";";
    rtf += "}\\pard ";
    for (int i = 0; i < runs; ++i)
        rtf += "\\cf" + QByteArray::number(i + 1) + "\\highlight" + QByteArray::number(runs - i) +
               " ab";
    return rtf + "}";
}

// A 200 KB font name, switched to and from `switches` times.
QByteArray LongFontNameSwitches(int switches) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman " +
                     QByteArray(200 * 1024, 'N') + ";}}\\pard ";
    for (int i = 0; i < switches; ++i)
        rtf += "\\f1 x\\f0 y";
    return rtf + "}";
}

// One word of `chars` letters, no space anywhere.
QByteArray OneWord(int chars) {
    return kHeader + "\\pard " + QByteArray(chars, 'm') + "}";
}

// `chars` letters without spaces, alternating bold and italic every letter.
QByteArray AlternatingBoldItalic(int chars) {
    QByteArray rtf = kHeader + "\\pard ";
    for (int i = 0; i < chars; ++i)
        rtf += (i % 2 ? "\\b0\\i m" : "\\i0\\b m");
    return rtf + "}";
}

QByteArray Paragraphs(int count) {
    QByteArray rtf = kHeader + "\\pard\\fs20 ";
    for (int i = 0; i < count; ++i)
        rtf += "ligne\\par ";
    return rtf + "}";
}

void SetSizes(benchmark::State& state, const QByteArray& rtf) {
    state.counters["inputBytes"] = double(rtf.size());
    state.SetBytesProcessed(int64_t(state.iterations()) * rtf.size());
}

// Reading into a document, as a paste does.
void Read(benchmark::State& state, const QByteArray& rtf) {
    for (auto _ : state) {
        QTextDocument doc;
        vorn::ReadRtf(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    SetSizes(state, rtf);
}

// Writing the document read from it back, as a save does.
void Write(benchmark::State& state, const QByteArray& rtf) {
    QTextDocument doc;
    vorn::ReadRtf(rtf, doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(vorn::WriteRtf(doc));
    SetSizes(state, rtf);
}

// Loading a shown pane, laying the whole text out on screen, and laying out
// and drawing the first page at a printer's 1200 dpi.
void LoadLayOutAndPrint(benchmark::State& state, const QByteArray& rtf) {
    RichTextPane pane;
    pane.resize(900, 300);
    pane.show();
    QImage page(QSize(8, 1) * 150, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(1200 / 0.0254));
    page.setDotsPerMeterY(qRound(1200 / 0.0254));
    const QRect rect(0, 0, 6 * 1440, 9 * 1440);
    for (auto _ : state) {
        pane.SetText(rtf);
        benchmark::DoNotOptimize(pane.document()->size());
        QPainter painter(&page);
        benchmark::DoNotOptimize(pane.FormatRange(painter, rect, rect, 0, true));
    }
    SetSizes(state, rtf);
}

// A teacher's paste: the RTF on the clipboard pasted into a shown pane in
// edit mode, until the pane is painted with the caret at the end of the paste.
void PasteInPane(benchmark::State& state, const QByteArray& rtf) {
    RichTextPane pane;
    pane.resize(900, 300);
    pane.show();
    pane.SetReadOnly(false);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), rtf);
    QApplication::clipboard()->setMimeData(mime);
    for (auto _ : state) {
        state.PauseTiming();
        pane.SetText("{\\rtf1 }");
        QCoreApplication::processEvents();
        state.ResumeTiming();
        pane.paste();
        QCoreApplication::processEvents();
    }
    if (pane.TextLength() < 1000)
        state.SkipWithError("nothing was pasted");
    SetSizes(state, rtf);
}

void BM_CollidingColourRunsRead(benchmark::State& state) {
    Read(state, CollidingColourRuns(int(state.range(0))));
}
void BM_CollidingColourRunsWrite(benchmark::State& state) {
    Write(state, CollidingColourRuns(int(state.range(0))));
}
void BM_LongFontNameSwitchesRead(benchmark::State& state) {
    Read(state, LongFontNameSwitches(int(state.range(0))));
}
void BM_LongFontNameSwitchesWrite(benchmark::State& state) {
    Write(state, LongFontNameSwitches(int(state.range(0))));
}
void BM_ParagraphsRead(benchmark::State& state) {
    Read(state, Paragraphs(int(state.range(0))));
}
void BM_ParagraphsWrite(benchmark::State& state) {
    Write(state, Paragraphs(int(state.range(0))));
}
void BM_OneWordInPane(benchmark::State& state) {
    LoadLayOutAndPrint(state, OneWord(int(state.range(0))));
}
void BM_AlternatingBoldItalicInPane(benchmark::State& state) {
    LoadLayOutAndPrint(state, AlternatingBoldItalic(int(state.range(0))));
}
void BM_ParagraphsInPane(benchmark::State& state) {
    LoadLayOutAndPrint(state, Paragraphs(int(state.range(0))));
}
void BM_OneWordPasted(benchmark::State& state) {
    PasteInPane(state, OneWord(int(state.range(0))));
}
void BM_AlternatingBoldItalicPasted(benchmark::State& state) {
    PasteInPane(state, AlternatingBoldItalic(int(state.range(0))));
}
void BM_ParagraphsPasted(benchmark::State& state) {
    PasteInPane(state, Paragraphs(int(state.range(0))));
}

} // namespace

#define VORN_SIZES(name, small)                                                                    \
    BENCHMARK(name)->Arg(small)->Arg(small * 10)->Arg(small * 100)->Unit(benchmark::kMillisecond)
VORN_SIZES(BM_CollidingColourRunsRead, 1600);
VORN_SIZES(BM_CollidingColourRunsWrite, 1600);
VORN_SIZES(BM_LongFontNameSwitchesRead, 500);
VORN_SIZES(BM_LongFontNameSwitchesWrite, 500);
VORN_SIZES(BM_ParagraphsRead, 10000);
VORN_SIZES(BM_ParagraphsWrite, 10000);
VORN_SIZES(BM_OneWordInPane, 10000);
VORN_SIZES(BM_AlternatingBoldItalicInPane, 10000);
VORN_SIZES(BM_ParagraphsInPane, 10000);
VORN_SIZES(BM_OneWordPasted, 10000);
VORN_SIZES(BM_AlternatingBoldItalicPasted, 10000);
VORN_SIZES(BM_ParagraphsPasted, 10000);
