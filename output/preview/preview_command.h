#pragma once

#include <QString>

#include <optional>

class RichTextPane;

namespace vorn {

class CurrentPrinter;
class OwnWorkingFiles;
class PreviewBox;

// The probe file that tells whether the preview's folder can be written.
inline constexpr char kProbeFileName[] = "TWFile.txt";
// Prefix of the page files "Temp0.EMF" and "Temp1.EMF".
inline constexpr char kPagePrefix[] = "Temp";

// Where the preview keeps its files: the working directory, as an absolute
// path, unless it holds an entry of the probe's or a page's name (any letter
// case) that `files` did not make; then this run's private folder. Nothing
// (the preview must do nothing) when one of those entries is a symbolic link,
// or when the private folder is needed and cannot be made. A working
// directory that cannot be named (it was removed) gives the private folder.
std::optional<QString> PreviewFolder(OwnWorkingFiles& files);

// Creates, or empties, the probe file of `files` in `folder`; false on any
// failure, whose error number goes to `*errorNumber` when given.
bool CanWriteWorkingDir(OwnWorkingFiles& files, const QString& folder, int* errorNumber = nullptr);

// Deletes the page files that `files` made, wherever they lie.
void DeletePreviewPages(OwnWorkingFiles& files);

// The "A" command: draws the first two pages of the document the preview is
// set to (the statement, or the answer key) on the current printer's paper
// into the page files, loads them into the preview and shows it, scrolled to
// page 1, titled after the sheet `sheetReference` and the document. A folder that cannot take the
// page files (no right to write, a full disk) sends them to this run's private folder; when that
// fails too, throws a UserError that says why, without showing the preview. A
// link in the place of one of the preview's files makes it do nothing. Throws
// the current printer's UserError, after the pictures have been emptied and
// without showing the preview. A click that arrives while it runs pending events is
// ignored.
void PreviewCommand(PreviewBox& preview, RichTextPane& statement, RichTextPane& answerKey,
                    CurrentPrinter& printer, const QString& sheetReference);

// The preview window's title: "Aperçu : VN1_071542, sujet" ("… corrigé").
QString PreviewTitle(const QString& sheetReference, bool answerKey);

} // namespace vorn
