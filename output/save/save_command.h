#pragma once

#include "output/pages/pdf_page_setup.h"
#include "richtext/rich_text_pane.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace vorn {

// Asks where to save, proposing `sheetReference` + ".rtf" ("feuille.rtf" while
// there is no reference) in the working directory, with the filters
// "rtf (*.rtf)" (first and chosen) and "Document PDF (*.pdf)", then, when the
// statement's or the answer key's file exists, whether to replace it; an empty
// string when the user cancels or refuses. The chosen folder becomes the
// working directory, where the preview then keeps its page files.
QString AskSaveFileName(QWidget* parent, const QString& sheetReference);

// The "Enregistrer" command: asks for the name, then saves both panes on the
// paper `pageSetup` gives (the printer's): a ".pdf" name as PDF titled
// `sheetReference`, an RTF file stating that page (see SaveSheets). Returns
// the files written, none when the user cancels. Throws UserError.
QStringList SaveSheetCommand(QWidget* parent, RichTextPane& statement, RichTextPane& answerKey,
                             const QString& sheetReference,
                             const std::function<PdfPageSetup()>& pageSetup = LaserA4PageSetup);

} // namespace vorn
