#pragma once

#include <QString>

#include <string>

namespace vorn {

// What the CUPS scheduler says about a queue and about the job just handed to
// it, in French, for the message "Impression impossible sur « queue » :
// reason". Qt's CUPS backend spools a job when its painter ends and reports
// success whatever the scheduler answered, so the program asks CUPS itself.

// Why the queue would not print a job sent now: it refuses jobs
// ("cupsreject"), or it is stopped ("cupsdisable") and would only keep the job
// waiting. Empty when it would print, and when the scheduler cannot be asked:
// the job's own submission then tells what is wrong. `printerName` is the
// queue, with or without "/instance".
QString QueueRefusal(const QString& printerName);

// Why the scheduler refused the job that the CUPS backend last submitted on
// this thread; empty when it accepted it. Only meaningful right after a job
// to a queue (not to a PDF file) has ended.
QString SubmissionRefusal();

// "Impression impossible sur « printer » : reason", UTF-8.
std::string PrintRefusedMessage(const QString& printerName, const QString& reason);

} // namespace vorn
