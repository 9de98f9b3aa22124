// The first click of a session, with and without the warm-up the window starts
// after its first paint. A program of its own: its counters are not those of
// the other clicks, and each case needs a process of its own anyway.
#include "app/first_click_warm_up.h"
#include "app/main_window.h"
#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

// The first click of a session: a window just shown and left idle for a
// second, as a teacher looks at it before clicking, with the warm-up it starts
// after its first paint (warm:1) or without it (warm:0), then a 40-question
// sheet until both panes are painted. Fonts, shaping and glyphs are cached for
// the whole process, so a case measures the first click only in a process of
// its own: run each alone, e.g. --benchmark_filter=BM_FirstClick/warm:1. The
// counters "next_ms" and "next_cpu_ms" are the same click made once more,
// for comparison, in time and in this thread's processor time.
void BM_FirstClick(benchmark::State& state) {
    const bool warm = state.range(0) != 0;
    QTemporaryDir settingsDir;
    MainWindow form;
    form.removableDriveCheck = [] { return false; };
    form.formStorage.SetIniFileName(settingsDir.filePath(QStringLiteral("vorn.ini")));
    if (!warm)
        delete form.findChild<FirstClickWarmUp*>();
    form.questionCountSpin->SetValue(vorn::kMaxQuestionCount);
    form.state.Random.SetState(12345);
    form.show();
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (warm && !form.findChild<FirstClickWarmUp*>()->Done())
        state.SkipWithError("the warm-up did not finish");

    for (auto _ : state) {
        form.valueDegree1Button->click();
        QCoreApplication::processEvents();
    }
    QElapsedTimer next;
    timespec cpuBefore{};
    timespec cpuAfter{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuBefore);
    next.start();
    form.valueDegree1Button->click();
    QCoreApplication::processEvents();
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuAfter);
    state.counters["next_ms"] = double(next.nsecsElapsed()) / 1e6;
    state.counters["next_cpu_ms"] = double(cpuAfter.tv_sec - cpuBefore.tv_sec) * 1e3 +
                                    double(cpuAfter.tv_nsec - cpuBefore.tv_nsec) / 1e6;
    if (form.statementPane->TextLength() < 100)
        state.SkipWithError("the panes were not filled");
}

BENCHMARK(BM_FirstClick)
    ->ArgName("warm")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
