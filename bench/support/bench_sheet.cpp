#include "bench/support/bench_sheet.h"

#include "exercises/random_source.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorn::bench {
namespace {

constexpr Family kFamilies[] = {Family::VNdeg1, Family::VNdeg2, Family::Dev1, Family::Dev2,
                                Family::Ident};

void AddArguments(benchmark::internal::Benchmark* b, std::vector<std::int64_t> separators,
                  std::vector<std::int64_t> spacings) {
    b->ArgNames({"family", "separator", "spacing"});
    b->ArgsProduct({{0, 1, 2, 3, 4}, std::move(separators), std::move(spacings)});
}

} // namespace

void OverAllSettings(benchmark::internal::Benchmark* b) {
    AddArguments(b, {0, 120, 1000}, {0, 1, 5});
}

void OverDesignedSettings(benchmark::internal::Benchmark* b) {
    AddArguments(b, {120}, {1});
}

const char* FamilyName(Family family) {
    switch (family) {
    case Family::VNdeg1:
        return "VNdeg1";
    case Family::VNdeg2:
        return "VNdeg2";
    case Family::Dev1:
        return "Dev1";
    case Family::Dev2:
        return "Dev2";
    case Family::Ident:
        return "Ident";
    }
    return "?";
}

SheetCase CaseOf(benchmark::State& state) {
    SheetCase sheetCase;
    sheetCase.family = kFamilies[state.range(0)];
    sheetCase.separator = int(state.range(1));
    sheetCase.spacing = int(state.range(2));
    state.SetLabel(std::string(FamilyName(sheetCase.family)) + ", " +
                   std::to_string(kMaxQuestionCount) + " questions, separator " +
                   std::to_string(sheetCase.separator) + ", spacing " +
                   std::to_string(sheetCase.spacing));
    return sheetCase;
}

SheetSettings FortyQuestionSettings(const SheetCase& sheetCase) {
    SheetSettings settings;
    settings.questionCount = kMaxQuestionCount;
    settings.title = "Calculer (en d\xE9taillant)" + std::string(11, ' ') +
                     "Nom :" + std::string(29, ' ') + "Pr\xE9nom :";
    settings.separatorLength = sheetCase.separator;
    settings.spacingLines = sheetCase.spacing;
    return settings;
}

Sheet FortyQuestionSheet(const SheetCase& sheetCase) {
    LcgRandom random(4242);
    return GenerateSheet(sheetCase.family, FortyQuestionSettings(sheetCase), random);
}

} // namespace vorn::bench
