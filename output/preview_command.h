#pragma once

#include <QString>

class TRxRichEdit;

namespace vorn {

class CurrentPrinter;
class PreviewBox;

// The probe file that tells whether the working directory can be written.
inline constexpr char kProbeFileName[] = "TWFile.txt";
// Prefix of the page files "Temp0.EMF" and "Temp1.EMF".
inline constexpr char kPagePrefix[] = "Temp";

// Creates, or empties, the probe file in the working directory; false on any
// failure, which is not reported.
bool CanWriteWorkingDir();

// Deletes the page files left in the working directory, under any letter case.
void DeletePreviewPages();

// The "A" command: draws the first two pages of the statement on the current
// printer's paper into the page files, loads them into the preview and shows
// it, scrolled to page 1. A working directory that cannot be written makes it
// do nothing. Throws the current printer's UserError, after the pictures have
// been emptied and without showing the preview. A click that arrives while it
// runs pending events is ignored.
void PreviewCommand(PreviewBox& preview, TRxRichEdit& statement, CurrentPrinter& printer);

} // namespace vorn
