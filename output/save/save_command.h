#pragma once

#include "output/pages/pdf_page_setup.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QWidget;

namespace vorn {

// Asks where to save, in `folder`, proposing `proposedName`, with the filters
// "rtf (*.rtf)" and "Document PDF (*.pdf)" (the one the proposed name ends
// with chosen); an empty string when the user cancels.
QString AskSaveFileName(QWidget* parent, const QString& folder, const QString& proposedName);

// The "Enregistrer" command: asks for the name, proposing `sheetReference` +
// ".rtf" ("feuille.rtf" while there is no reference) in SaveDialogFolder(),
// asks before replacing the statement's or the answer key's file, then saves
// both panes on the paper `pageSetup` gives (the printer's): a ".pdf" name as
// PDF titled `sheetReference`, an RTF file stating that page (see SaveSheets).
// After "Non" to the replacement, the dialog comes back in the folder and
// with the name chosen; so it does after a failed save when `reportError` is
// given, which is told of the failure first (without it, the UserError is
// thrown). The folder of a save that went through becomes the working
// directory; nothing else moves it. Returns the files written, none when the
// user cancels. Both files carry `recipe` when it is not empty.
QStringList SaveSheetCommand(QWidget* parent, RichTextPane& statement, RichTextPane& answerKey,
                             const QString& sheetReference,
                             const std::function<PdfPageSetup()>& pageSetup = LaserA4PageSetup,
                             const std::function<void(const UserError&)>& reportError = {},
                             const std::string& recipe = {});

} // namespace vorn
