#pragma once

#include "exercises/family_table.h"

#include <benchmark/benchmark.h>

#include <string>

// The settings every sheet benchmark runs over: each family at each of its
// levels at the largest question count, with short, designed and longest separator lines and no,
// one and five spacing lines.
namespace vorn::bench {

struct SheetCase {
    SheetKind kind;
    int separator = 120;
    int spacing = 1;
};

// Adds the arguments family (an index into AllSheetKinds()), separator and
// spacing to a benchmark.
void OverAllSettings(benchmark::internal::Benchmark* b);
// Only the window's designed separator and spacing, for every family and level.
void OverDesignedSettings(benchmark::internal::Benchmark* b);

// The case a benchmark runs; its label names the family and settings.
SheetCase CaseOf(benchmark::State& state);

// 40 questions, the window's designed title, and the case's separator and
// spacing.
SheetSettings FortyQuestionSettings(const SheetCase& sheetCase);
// A sheet with those settings, always the same one for a given case.
Sheet FortyQuestionSheet(const SheetCase& sheetCase);

// The family's short name, followed by the level when it has several.
std::string KindName(const SheetKind& kind);

} // namespace vorn::bench
