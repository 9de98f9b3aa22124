// What the settings file costs the user: closing the window (the settings
// written), and starting and closing with a 20 MB settings file of blank
// lines (the settings restored, then saved). Each benchmark reports the peak
// memory it added to the process, in MB. Run one benchmark per process
// (--benchmark_filter) for a fair memory figure.
#include "app/main_window.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

namespace {

// Resident memory of the process in kB: now ("VmRSS") or at its peak since
// the last ResetPeakMemory ("VmHWM").
long MemoryKb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The largest peak of the process's resident memory during the timed runs,
// over what it used before the benchmark began (memory that the allocator
// keeps after a run counts against the benchmark, never for it).
class PeakMemory {
public:
    PeakMemory() {
        malloc_trim(0);
        base_ = MemoryKb("VmRSS");
    }
    // Memory freed by earlier runs goes back to the system first, as in a
    // program that starts or closes once.
    void Begin() {
        malloc_trim(0);
        ResetPeakMemory();
    }
    void End() { largest_ = std::max(largest_, MemoryKb("VmHWM") - base_); }
    void Report(benchmark::State& state) const {
        state.counters["peak_MB"] = static_cast<double>(largest_) / 1024.0;
    }

private:
    long base_ = 0;
    long largest_ = 0;
};

std::unique_ptr<MainWindow> OpenWindow(const QString& iniFile) {
    auto form = std::make_unique<MainWindow>();
    form->removableDriveCheck = [] { return false; };
    form->formStorage.SetIniFileName(iniFile);
    form->show();
    return form;
}

// A window shown with its designed values, closed again and again: each close
// writes the settings file.
void BM_CloseWindow(benchmark::State& state) {
    PeakMemory peak;
    QTemporaryDir dir;
    auto form = OpenWindow(dir.filePath(QStringLiteral("vorn.ini")));
    for (auto _ : state) {
        state.PauseTiming();
        form->show();
        peak.Begin();
        state.ResumeTiming();
        form->close();
        state.PauseTiming();
        peak.End();
        state.ResumeTiming();
    }
    if (!QFile::exists(dir.filePath(QStringLiteral("vorn.ini"))))
        state.SkipWithError("no settings file was written");
    peak.Report(state);
}
BENCHMARK(BM_CloseWindow)->Unit(benchmark::kMillisecond)->Repetitions(5);

constexpr std::size_t kHugeFileBytes = 20 * 1024 * 1024;

// A settings file of 20 MB of blank lines (CR LF, as the program writes them,
// so that a save keeps its size), with the window's section after them.
QString WriteHugeFile(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("vorn.ini"));
    std::string blank;
    blank.reserve(kHugeFileBytes);
    for (std::size_t i = 0; i < kHugeFileBytes / 2; ++i)
        blank += "\r\n";
    std::ofstream(path.toStdString(), std::ios::binary) << blank;
    return path;
}

void BM_Restore20MB(benchmark::State& state) {
    PeakMemory peak;
    QTemporaryDir dir;
    const QString path = WriteHugeFile(dir);
    auto form = OpenWindow(path);
    form->formStorage.SaveFormPlacement(); // the section, after the blank lines
    for (auto _ : state) {
        peak.Begin();
        form->formStorage.RestoreFormPlacement();
        peak.End();
    }
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
    peak.Report(state);
}
BENCHMARK(BM_Restore20MB)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_Save20MB(benchmark::State& state) {
    PeakMemory peak;
    QTemporaryDir dir;
    const QString path = WriteHugeFile(dir);
    auto form = OpenWindow(path);
    for (auto _ : state) {
        peak.Begin();
        form->formStorage.SaveFormPlacement();
        peak.End();
    }
    state.counters["file_MB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
    peak.Report(state);
}
BENCHMARK(BM_Save20MB)->Unit(benchmark::kMillisecond)->Repetitions(3);

} // namespace
