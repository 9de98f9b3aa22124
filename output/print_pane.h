#pragma once

#include <QRect>
#include <QString>

class QPaintDevice;
class TRxRichEdit;

namespace vorn {

class CurrentPrinter;

// The printable area of `device` in twips, at (0, 0): each side in device
// pixels times 1440 divided by the pixels per inch of its direction, the
// fraction dropped. The program adds no margin of its own.
QRect PrintableAreaTwips(const QPaintDevice& device);

// Prints the pane's whole content as one job titled `title` on the current
// printer, laid out anew page by page by the control. Between pages the
// window repaints and timers run, but user input waits until the job has
// been handed to the spooler, so no command of the window can run inside it.
// Throws UserError: the current printer's errors, and "Impression en cours"
// when a job is already open.
void PrintPane(CurrentPrinter& printer, TRxRichEdit& pane, const QString& title);

} // namespace vorn
