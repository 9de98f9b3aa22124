#pragma once

#include <string>

namespace vorn {

// Appends the UTF-8 bytes of the code point `cp` (below 0x110000).
void AppendUtf8(std::string& out, char32_t cp);

} // namespace vorn
