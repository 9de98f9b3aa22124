#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The file the answer key is saved to, beside the statement file: the
// statement's name without the extension of its last path component (from the
// last "." of that component on; nothing when it has no "."), followed by
// "_Cor.pdf" for a PDF statement (IsPdfFileName) and "_Cor.rtf" for any other.
// "/", "\" and a drive's ":" all end a folder name, so a dot in a folder is
// never taken for an extension.
std::string AnswerKeyFileName(std::string_view statementPath);

// True when the statement's name ends in ".pdf", in any letter case: both
// documents are then saved as PDF.
bool IsPdfFileName(std::string_view statementPath);

} // namespace vorn
