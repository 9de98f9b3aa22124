#pragma once

#include <string_view>

namespace vorn {

class RtfReaderContext;
struct RtfToken;

// What a control word does to the reader's state.
using RtfControlWordHandler = void (*)(RtfReaderContext& context, const RtfToken& token);

// The handler of a control word, or nullptr for a word the reader ignores.
RtfControlWordHandler FindControlWordHandler(std::string_view word);

// Applies a control symbol ("\\" followed by one non-letter byte).
void HandleControlSymbol(RtfReaderContext& context, unsigned char symbol);

} // namespace vorn
