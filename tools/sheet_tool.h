#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vorn::sheet_tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The seed the program takes at start-up: the time of day in UTC, in
// milliseconds since midnight.
std::uint32_t ClockSeed();

// Runs vorn-sheet on the arguments that follow the program name: generates
// the sheet, writes it to out or to files, reports problems on err. Returns
// the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vorn::sheet_tool
