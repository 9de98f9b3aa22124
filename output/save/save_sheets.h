#pragma once

#include "output/pages/pdf_page_setup.h"
#include "output/pages/progress_tick.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class RichTextPane;

namespace vorn {

// Saves one or more sheets given as statement and answer-key panes in the same
// order, the statements to `fileName` and the answer keys (when there are any)
// to AnswerKeyFileNameFor(fileName), every sheet starting on a new page:
// - a ".pdf" name gives two PDF documents laid out as printing lays them out
//   on the paper `pageSetup` gives, the statements titled `title`, the answer
//   keys AnswerKeyTitle(title);
// - otherwise one sheet is saved exactly as SaveSheet does, and several
//   sheets as joined RTF documents (plain texts separated by a form feed for a
//   ".txt" statement); the RTF documents state the page of `pageSetup`.
// Both files are replaced together or not at all (see WriteFilesTogether for
// the guarantees and the errors). Both documents are made before either file
// is written, `tick` being told of each sheet done: a stop (WorkCancelled)
// leaves every file as it was. A non-empty `recipe` (RecipeText) travels in
// both files, PDF or RTF, but not in a plain-text statement.
void SaveSheets(const std::vector<RichTextPane*>& statements,
                const std::vector<RichTextPane*>& answerKeys, const QString& fileName,
                const std::function<PdfPageSetup()>& pageSetup, const QString& title,
                const ProgressTick& tick = {}, const std::string& recipe = {});

} // namespace vorn
