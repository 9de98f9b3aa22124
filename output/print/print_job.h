#pragma once

#include "output/pages/progress_tick.h"

#include <QString>

#include <string>
#include <vector>

class RichTextPane;

namespace vorn {

class CurrentPrinter;

// Prints the panes one after the other as one job titled `title`, each pane
// starting on a new page; errors as PrintPane's. `tick` is told of each pane
// laid out; its answer is not heeded, as a job once opened goes out whole
// (the spooler would take a stopped job as it stands).
// A job printed to a PDF file carries a non-empty `recipe` (RecipeText) in
// its metadata, as a saved PDF does.
void PrintPanes(CurrentPrinter& printer, const std::vector<RichTextPane*>& panes,
                const QString& title, const ProgressTick& tick = {},
                const std::string& recipe = {});

// Prints the pane's whole content as one job titled `title` on the current
// printer, laid out anew page by page by the control. Between pages the
// window repaints and timers run, but user input waits until the job has
// been handed to the spooler, so no command of the window can run inside it.
// Throws UserError: the current printer's errors, "Impression en cours"
// when a job is already open, and, printing to a file, "Impossible d'imprimer
// dans le fichier <file> : <cause>" when the file cannot be created or
// written whole; then no file of the job is left.
void PrintPane(CurrentPrinter& printer, RichTextPane& pane, const QString& title,
               const std::string& recipe = {});

} // namespace vorn
