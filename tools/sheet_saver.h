#pragma once

#include <string>

namespace vorn::sheet_tool {

// Saves a sheet exactly as the window's Save command does: both documents are
// loaded into rich-text panes and written by the control, the statement to
// `path` (plain text when it ends in ".txt"), the answer key beside it. Runs
// without a display. Throws FileNameError, before writing anything, when
// `path` is not valid UTF-8 (Qt would write under another name), and
// SaveError naming the file that failed.
void SaveSheetFiles(const std::string& statementMarkup, const std::string& answerKeyMarkup,
                    const std::string& path);

} // namespace vorn::sheet_tool
