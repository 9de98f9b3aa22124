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
// when the working directory cannot be named, or when the private folder
// cannot be made.
std::optional<QString> PreviewFolder(OwnWorkingFiles& files);

// Creates, or empties, the probe file of `files` in `folder`; false on any
// failure, which is not reported.
bool CanWriteWorkingDir(OwnWorkingFiles& files, const QString& folder);

// Deletes the page files that `files` made, wherever they lie.
void DeletePreviewPages(OwnWorkingFiles& files);

// The "A" command: draws the first two pages of the statement on the current
// printer's paper into the page files, loads them into the preview and shows
// it, scrolled to page 1. A folder that cannot be written, or a link in the
// place of one of the preview's files, makes it do nothing. Throws the current
// printer's UserError, after the pictures have been emptied and without
// showing the preview. A click that arrives while it runs pending events is
// ignored.
void PreviewCommand(PreviewBox& preview, RichTextPane& statement, CurrentPrinter& printer);

} // namespace vorn
