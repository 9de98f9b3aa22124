#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Reads from the descriptor's position to the end; false (errno set) on a
// read error.
bool ReadToEnd(int fd, std::string& content);

// Writes all of `bytes` at the descriptor's position, going on after short
// writes; false (errno set) when the system refuses a block.
bool WriteAll(int fd, std::string_view bytes);

// Makes the file hold exactly `bytes`, written from its start, and waits for
// them to reach the disk; false (errno set) on any failure.
bool RewriteWhole(int fd, std::string_view bytes);

} // namespace vorn
