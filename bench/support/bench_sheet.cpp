#include "bench/support/bench_sheet.h"

#include "exercises/random_source.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorn::bench {
namespace {

void AddArguments(benchmark::internal::Benchmark* b, std::vector<std::int64_t> separators,
                  std::vector<std::int64_t> spacings) {
    std::vector<std::int64_t> kinds(AllSheetKinds().size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = static_cast<std::int64_t>(i);
    b->ArgNames({"family", "separator", "spacing"});
    b->ArgsProduct({std::move(kinds), std::move(separators), std::move(spacings)});
}

} // namespace

void OverAllSettings(benchmark::internal::Benchmark* b) {
    AddArguments(b, {0, 120, 1000}, {0, 1, 5});
}

void OverDesignedSettings(benchmark::internal::Benchmark* b) {
    AddArguments(b, {120}, {1});
}

std::string KindName(const SheetKind& kind) {
    std::string name(kind.family->shortName);
    if (kind.family->LevelCount() > 1)
        name += " level " + std::to_string(kind.level);
    return name;
}

SheetCase CaseOf(benchmark::State& state) {
    SheetCase sheetCase;
    sheetCase.kind = AllSheetKinds().at(static_cast<std::size_t>(state.range(0)));
    sheetCase.separator = int(state.range(1));
    sheetCase.spacing = int(state.range(2));
    state.SetLabel(KindName(sheetCase.kind) + ", " + std::to_string(kMaxQuestionCount) +
                   " questions, separator " + std::to_string(sheetCase.separator) + ", spacing " +
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
    return GenerateSheet(sheetCase.kind, FortyQuestionSettings(sheetCase), random);
}

} // namespace vorn::bench
