#pragma once

#include <QString>

namespace vorn {

// Names of the PDF files that printing writes when the print dialog's
// "print to file" is chosen.
//
// Each copy is a job of its own, as on a printer, so each goes to a file of its
// own rather than all into one PDF: the page loop stays one job per copy, and
// files named after the sheet mean that a later sheet, printed without opening
// the dialog again, never replaces an earlier sheet's PDF. The dialog's file
// gives the folder; its name is used only before any sheet has a reference.

// The file of copy `copy` (from 1) of the statement or the answer key, next to
// `chosenFile`: "VN1_071542.pdf", "VN1_071542-2.pdf", "VN1_071542-Cor.pdf",
// "VN1_071542-Cor-2.pdf" for the reference "VN1_071542".
QString PdfFileForCopy(const QString& chosenFile, const QString& sheetReference, bool answerKey,
                       int copy);

// The file the print dialog proposes for the current sheet: the reference plus
// ".pdf" in the folder of the file chosen before; that file itself when there
// is no reference yet.
QString ProposedPdfFile(const QString& chosenFile, const QString& sheetReference);

// The `n`th name (from 1) tried for `path` while the names before it are
// taken: `path` itself, then "VN1_071542-Cor (2).pdf", "VN1_071542-Cor (3).pdf"
// and so on, the number before the last extension.
QString NumberedFileName(const QString& path, int n);

} // namespace vorn
