#pragma once

#include "output/pages/pdf_page_setup.h"
#include "output/save/write_files_together.h"
#include "richtext/rich_text_pane.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace vorn {

// How a pane is written to a file: plain text when the file name's extension
// is "txt" in any letter case, RTF for every other extension and for none.
RichTextPane::StreamFormat FormatForFileName(const QString& fileName);

// The pane's content as the control serialises it in `format`, an RTF
// document stating `page` when there is one. Throws SaveError "Erreur à
// l'enregistrement du flux", naming `fileName`, when the control fails.
QByteArray PaneContent(const RichTextPane& pane, RichTextPane::StreamFormat format,
                       const std::optional<RtfPage>& page, const QString& fileName);

// A file of a save: `bytes` must outlive it.
FileContent ContentOf(const QString& fileName, const QByteArray& bytes);

// Writes the statement to `fileName` and the answer key beside it under
// AnswerKeyFileName(fileName), the RTF files stating `page` when there is one:
// both or neither (see WriteFilesTogether for the guarantees and the errors).
void SaveSheet(const RichTextPane& statement, const RichTextPane& answerKey,
               const QString& fileName, const std::optional<RtfPage>& page = std::nullopt);

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
