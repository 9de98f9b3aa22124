// One click of a family button without the panes: generating a 40-question
// sheet and converting both documents to RTF.

#include "bench/support/bench_sheet.h"
#include "exercises/random_source.h"
#include "exercises/sheet.h"
#include "richtext/markup_converter.h"

#include <benchmark/benchmark.h>

namespace {

using vorn::bench::CaseOf;
using vorn::bench::FortyQuestionSheet;

void BM_GenerateAndConvert(benchmark::State& state) {
    const vorn::bench::SheetCase sheetCase = CaseOf(state);
    const vorn::SheetSettings settings = vorn::bench::FortyQuestionSettings(sheetCase);
    vorn::LcgRandom random(12345);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const vorn::Sheet sheet = vorn::GenerateSheet(sheetCase.kind, settings, random);
        std::string statement = vorn::ConvertMarkupToRtf(sheet.statement);
        std::string answerKey = vorn::ConvertMarkupToRtf(sheet.answerKey);
        bytes += statement.size() + answerKey.size();
        benchmark::DoNotOptimize(statement.data());
        benchmark::DoNotOptimize(answerKey.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The two halves apart, to tell where the time goes.
void BM_GenerateOnly(benchmark::State& state) {
    const vorn::bench::SheetCase sheetCase = CaseOf(state);
    const vorn::SheetSettings settings = vorn::bench::FortyQuestionSettings(sheetCase);
    vorn::LcgRandom random(12345);
    for (auto _ : state) {
        vorn::Sheet sheet = vorn::GenerateSheet(sheetCase.kind, settings, random);
        benchmark::DoNotOptimize(sheet.statement.data());
        benchmark::DoNotOptimize(sheet.answerKey.data());
    }
}

void BM_ConvertOnly(benchmark::State& state) {
    const vorn::Sheet sheet = FortyQuestionSheet(CaseOf(state));
    for (auto _ : state) {
        std::string statement = vorn::ConvertMarkupToRtf(sheet.statement);
        std::string answerKey = vorn::ConvertMarkupToRtf(sheet.answerKey);
        benchmark::DoNotOptimize(statement.data());
        benchmark::DoNotOptimize(answerKey.data());
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations()) *
        static_cast<std::int64_t>(sheet.statement.size() + sheet.answerKey.size()));
}

BENCHMARK(BM_GenerateAndConvert)->Apply(vorn::bench::OverAllSettings);
BENCHMARK(BM_GenerateOnly)->Apply(vorn::bench::OverAllSettings);
BENCHMARK(BM_ConvertOnly)->Apply(vorn::bench::OverAllSettings);

} // namespace
