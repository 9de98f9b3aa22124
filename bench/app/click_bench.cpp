// From a click on an exercise button to both panes filled, laid out and
// painted: the handler's whole run and the paint that follows it, for a
// 40-question sheet of each family.
#include "app/form1.h"
#include "app/spin_edit.h"
#include "bench/support/bench_sheet.h"
#include "bench/support/paint_counter.h"
#include "richtext/trx_rich_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

QPushButton* ButtonOf(TForm1& form, vorn::Family family) {
    switch (family) {
    case vorn::Family::VNdeg1:
        return form.btnVNdeg1;
    case vorn::Family::VNdeg2:
        return form.btnVNdeg2;
    case vorn::Family::Dev1:
        return form.btnDev1;
    case vorn::Family::Dev2:
        return form.btnDev2;
    case vorn::Family::Ident:
        return form.btn_ident;
    }
    return nullptr;
}

void BM_ClickToPanes(benchmark::State& state) {
    const vorn::bench::SheetCase sheetCase = vorn::bench::CaseOf(state);
    // A window of its own, gone before the application is: one kept for the
    // whole run would be destroyed after QApplication and crash the exit.
    QTemporaryDir settingsDir; // designed values, nothing stored
    TForm1 form;
    form.RemovableDriveCheck = [] { return false; };
    form.FormStorage1.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
    form.show();
    form.spedtQuestions->SetValue(vorn::kMaxQuestionCount);
    form.spSepar->SetValue(sheetCase.separator);
    form.spInterL->SetValue(sheetCase.spacing);
    form.State.Random.SetState(12345);
    vorn::bench::PaintCounter paints;
    for (TRxRichEdit* pane : {form.RxRichEdit1, form.RxRichEdit2})
        paints.Watch(pane->viewport());
    QCoreApplication::processEvents();
    const int paintsBefore = paints.Count();

    QPushButton* button = ButtonOf(form, sheetCase.family);
    for (auto _ : state) {
        button->click();
        QCoreApplication::processEvents(); // the panes are painted
        // Qt lays the rest of a long document out in steps on a timer; the
        // wait ends when the whole of both is laid out.
        form.RxRichEdit1->document()->documentLayout()->documentSize();
        form.RxRichEdit2->document()->documentLayout()->documentSize();
    }
    // The window starts with one space in each pane; a 40-question sheet has
    // well over a hundred characters in each.
    if (form.RxRichEdit1->TextLength() < 100 || form.RxRichEdit2->TextLength() < 100)
        state.SkipWithError("the panes were not filled");
    const double paintsPerClick =
        double(paints.Count() - paintsBefore) / double(state.iterations());
    if (paintsPerClick < 2)
        state.SkipWithError("the panes were not painted");
    state.counters["paints"] = paintsPerClick;
}

BENCHMARK(BM_ClickToPanes)->Apply(vorn::bench::OverAllSettings)->Unit(benchmark::kMillisecond);

} // namespace
