// One click of a family button at the window's designed settings, with the
// question count at its maximum: generating the sheet and converting both
// documents to RTF.

#include "exercises/random_source.h"
#include "exercises/sheet.h"
#include "richtext/markup_converter.h"

#include <benchmark/benchmark.h>

namespace {

vorn::SheetSettings DesignedSettings() {
    vorn::SheetSettings settings;
    settings.questionCount = vorn::kMaxQuestionCount;
    settings.title = "Calculer (en d\xE9taillant)" + std::string(11, ' ') +
                     "Nom :" + std::string(29, ' ') + "Pr\xE9nom :";
    settings.separatorLength = 120;
    settings.spacingLines = 1;
    return settings;
}

void GenerateAndConvert(benchmark::State& state, vorn::Family family) {
    const vorn::SheetSettings settings = DesignedSettings();
    vorn::LcgRandom random(12345);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const vorn::Sheet sheet = vorn::GenerateSheet(family, settings, random);
        std::string statement = vorn::ConvertMarkupToRtf(sheet.statement);
        std::string answerKey = vorn::ConvertMarkupToRtf(sheet.answerKey);
        bytes += statement.size() + answerKey.size();
        benchmark::DoNotOptimize(statement.data());
        benchmark::DoNotOptimize(answerKey.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

// The two halves apart, to tell where the time goes.
void GenerateOnly(benchmark::State& state, vorn::Family family) {
    const vorn::SheetSettings settings = DesignedSettings();
    vorn::LcgRandom random(12345);
    for (auto _ : state) {
        vorn::Sheet sheet = vorn::GenerateSheet(family, settings, random);
        benchmark::DoNotOptimize(sheet.statement.data());
        benchmark::DoNotOptimize(sheet.answerKey.data());
    }
}

void ConvertOnly(benchmark::State& state, vorn::Family family) {
    vorn::LcgRandom random(12345);
    const vorn::Sheet sheet = vorn::GenerateSheet(family, DesignedSettings(), random);
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

BENCHMARK_CAPTURE(GenerateAndConvert, vn1, vorn::Family::VNdeg1);
BENCHMARK_CAPTURE(GenerateAndConvert, vn2, vorn::Family::VNdeg2);
BENCHMARK_CAPTURE(GenerateAndConvert, dev1, vorn::Family::Dev1);
BENCHMARK_CAPTURE(GenerateAndConvert, dev2, vorn::Family::Dev2);
BENCHMARK_CAPTURE(GenerateAndConvert, ident, vorn::Family::Ident);

BENCHMARK_CAPTURE(GenerateOnly, vn1, vorn::Family::VNdeg1);
BENCHMARK_CAPTURE(GenerateOnly, dev2, vorn::Family::Dev2);
BENCHMARK_CAPTURE(ConvertOnly, vn1, vorn::Family::VNdeg1);
BENCHMARK_CAPTURE(ConvertOnly, dev2, vorn::Family::Dev2);

} // namespace
