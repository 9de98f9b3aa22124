#pragma once

#include "exercises/saved_recipe.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace vorn {

// The largest file "Ouvrir…" reads: a set of 200 sheets of 40 questions is a
// few megabytes, so anything larger is not a sheet.
inline constexpr std::size_t kMaxOpenedFileBytes = 20 * 1024 * 1024;

// What a file opened with "Ouvrir…" puts on screen.
struct OpenedSheet {
    QByteArray statement; // an RTF document for the statement pane
    QByteArray answerKey; // the answer key's; empty when there is none
    // What the sheet was drawn from, when the file says so.
    std::optional<SavedRecipe> recipe;
    // The reference of the sheet (Windows-1252): the first sheet's, drawn
    // again from the recipe, or the file's name without its extension.
    std::string reference;
    // One French sentence to show once the panes hold the sheet; empty when
    // both files opened as saved.
    QString note;
};

// Reads a statement saved by VORN and its answer key beside it
// (AnswerKeyFileNameFor), or a PDF or an answer-key-less RTF, whose sheets
// are drawn again from their recipe. An RTF from elsewhere comes back as the
// statement alone. Throws UserError, with a French message naming the file,
// for a file that is missing, not a regular file (a folder, a FIFO, a link
// to one), larger than kMaxOpenedFileBytes, unreadable, neither RTF nor PDF,
// damaged, or whose recipe cannot be read. Never touches the panes. An RTF
// answer key chosen in place of its statement opens the statement's pair.
OpenedSheet ReadSavedSheet(const QString& fileName);

} // namespace vorn
