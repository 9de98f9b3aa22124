#pragma once

#include "exercises/sheet.h"

#include <benchmark/benchmark.h>

#include <string>

// The settings every sheet benchmark runs over: each family at the largest
// question count, with short, designed and longest separator lines and no,
// one and five spacing lines.
namespace vorn::bench {

struct SheetCase {
    Family family = Family::VNdeg1;
    int separator = 120;
    int spacing = 1;
};

// Adds the arguments family (0..4), separator and spacing to a benchmark.
void OverAllSettings(benchmark::internal::Benchmark* b);
// Only the window's designed separator and spacing, for every family.
void OverDesignedSettings(benchmark::internal::Benchmark* b);

// The case a benchmark runs; its label names the family and settings.
SheetCase CaseOf(benchmark::State& state);

// 40 questions, the window's designed title, and the case's separator and
// spacing.
SheetSettings FortyQuestionSettings(const SheetCase& sheetCase);
// A sheet with those settings, always the same one for a given case.
Sheet FortyQuestionSheet(const SheetCase& sheetCase);

const char* FamilyName(Family family);

} // namespace vorn::bench
