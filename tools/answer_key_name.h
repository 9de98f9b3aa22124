#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The file the answer key is saved to, beside the statement file: the
// statement's name without the extension of its last path component (from the
// last "." of that component on; nothing when it has no "."), followed by
// "_Cor.rtf". "/", "\" and a drive's ":" all end a folder name, so a dot in a
// folder is never taken for an extension.
std::string AnswerKeyFileName(std::string_view statementPath);

} // namespace vorn
