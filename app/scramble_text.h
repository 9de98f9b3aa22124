#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Rotates the 8 bits of c: right by n % 8 places, or left when that remainder
// is negative (the remainder keeps the sign of n).
unsigned char RotateByte(unsigned char c, int n);

// Light obfuscation of a byte string with a key. The same key with the
// opposite reverse flag gives the original text back.
std::string ScrambleText(std::string_view text, std::string_view key, bool reverse);

} // namespace vorn
