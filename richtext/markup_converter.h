#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The fixed beginning of every converted document (643 bytes). It opens the
// one group that the conversion's final "}" closes.
extern const std::string_view RtfHeader;

// Converts a markup string (Windows-1252 bytes, read up to its end or its
// first zero byte) into a complete RTF document, in one forward pass.
std::string ConvertMarkupToRtf(std::string_view markup);

} // namespace vorn
