#pragma once

#include "exercises/sheet.h"

#include <string>
#include <vector>

namespace vorn::sheet_tool {

// Saves sheets exactly as the window's Save command does: every document is
// loaded into a rich-text pane and written by the control, the statements to
// `path` (PDF when it ends in ".pdf", plain text when it ends in ".txt"), the
// answer keys beside it, each sheet on a new page. A PDF is laid out on the
// default printer's paper, A4 without one. Runs without a display. Throws
// FileNameError, before writing anything, when `path` is not valid UTF-8 (Qt
// would write under another name), and UserError (a SaveError naming the file
// that failed when it knows it).
// Both files carry `recipe` (see SaveSheets).
void SaveSheetFiles(const std::vector<Sheet>& sheets, const std::string& path,
                    const std::string& recipe = {});

} // namespace vorn::sheet_tool
