#pragma once

#include "richtext/rich_text_pane.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vorn {
class CurrentPrinter;
}

namespace vorn {

// How a pane is written to a file: plain text when the file name's extension
// is "txt" in any letter case, RTF for every other extension and for none.
RichTextPane::StreamFormat FormatForFileName(const QString& fileName);

// Writes the pane's content, as the control serialises it, to `fileName`
// (see SaveStream for the guarantees and the errors, a SaveError naming the
// file). An RTF file states `page` when there is one.
void SavePane(const RichTextPane& pane, const QString& fileName,
              const std::optional<RtfPage>& page = std::nullopt);

// Writes the statement to `fileName` and then the answer key beside it under
// AnswerKeyFileName(fileName), the RTF files stating `page` when there is one.
// When the statement fails the answer key is not written at all.
void SaveSheet(const RichTextPane& statement, const RichTextPane& answerKey,
               const QString& fileName, const std::optional<RtfPage>& page = std::nullopt);

// Asks where to save, proposing `sheetReference` + ".rtf" ("feuille.rtf" while
// there is no reference) in the working directory, with the filters
// "rtf (*.rtf)" (first and chosen) and "Document PDF (*.pdf)", then, when the
// statement's or the answer key's file exists, whether to replace it; an empty
// string when the user cancels or refuses. The chosen folder becomes the
// working directory, where the preview then keeps its page files.
QString AskSaveFileName(QWidget* parent, const QString& sheetReference);

// The "Enregistrer" command: asks for the name, then saves both panes on
// `printer`'s paper (A4 without a printer): a ".pdf" name as PDF titled
// `sheetReference`, an RTF file stating that page (see SaveSheets). Returns
// the files written, none when the user cancels. Throws UserError.
QStringList SaveSheetCommand(QWidget* parent, RichTextPane& statement, RichTextPane& answerKey,
                             const QString& sheetReference, CurrentPrinter* printer = nullptr);

} // namespace vorn
