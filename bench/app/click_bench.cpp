// From a click on an exercise button to both panes filled: the handler's
// whole run, for a 40-question sheet of each family.
#include "app/form1.h"
#include "app/spin_edit.h"
#include "richtext/trx_rich_edit.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <memory>

namespace {

TForm1& Window() {
    static std::unique_ptr<TForm1> form = [] {
        static QTemporaryDir settingsDir; // designed values, nothing stored
        auto f = std::make_unique<TForm1>();
        f->RemovableDriveCheck = [] { return false; };
        f->FormStorage1.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
        f->spedtQuestions->SetValue(40);
        f->show();
        return f;
    }();
    return *form;
}

void ClickToPanes(benchmark::State& state, QPushButton* TForm1::*button) {
    TForm1& form = Window();
    form.State.Random.SetState(12345);
    for (auto _ : state) {
        (form.*button)->click();
        benchmark::DoNotOptimize(form.RxRichEdit2->TextLength());
    }
    if (form.RxRichEdit1->TextLength() < 1000 || form.RxRichEdit2->TextLength() < 1000)
        state.SkipWithError("the panes were not filled");
}

BENCHMARK_CAPTURE(ClickToPanes, VNdeg1, &TForm1::btnVNdeg1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClickToPanes, VNdeg2, &TForm1::btnVNdeg2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClickToPanes, Dev1, &TForm1::btnDev1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClickToPanes, Dev2, &TForm1::btnDev2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ClickToPanes, Ident, &TForm1::btn_ident)->Unit(benchmark::kMillisecond);

} // namespace
