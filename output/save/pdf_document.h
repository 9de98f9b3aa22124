#pragma once

#include "output/pages/page_loop.h"
#include "output/pages/pdf_page_setup.h"
#include "output/pages/progress_tick.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

class RichTextPane;

namespace vorn {

// The panes one after the other as one PDF document, each starting on a new
// page, laid out by the same page loop as a print job on `setup`'s paper. The
// text stays text (fonts embedded), highlights included; the document's title
// is `title`. `tick` is told of each pane laid out. A non-empty `recipe`
// goes into the document's metadata (RecipeXmp).
QByteArray PanesToPdf(const std::vector<RichTextPane*>& panes, const PdfPageSetup& setup,
                      const QString& title, const ProgressTick& tick = {},
                      const std::string& recipe = {}, PageEvents events = PageEvents::Process);

} // namespace vorn
