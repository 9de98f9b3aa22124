#pragma once

#include "output/save/write_files_together.h"
#include "richtext/rich_text_pane.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace vorn {

// AnswerKeyFileName for a name in Qt's strings.
QString AnswerKeyFileNameFor(const QString& statementFileName);

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
// A non-empty `recipe` is added to both RTF files (WithRecipeDestination).
void SaveSheet(const RichTextPane& statement, const RichTextPane& answerKey,
               const QString& fileName, const std::optional<RtfPage>& page = std::nullopt,
               const std::string& recipe = {});

// The RTF document with `recipe` added when there is one; other contents
// (plain text) and an empty recipe leave it as it is.
QByteArray WithRecipe(const QByteArray& content, RichTextPane::StreamFormat format,
                      const std::string& recipe);

} // namespace vorn
