#pragma once

#include <QString>

#include <string>

class QWidget;
class RichTextPane;

namespace vorn {

class CurrentPrinter;

// A copy count typed in a spin edit: the text read as a whole decimal number,
// spaces around it ignored; a text that is not a number counts as 0.
int CopyCount(const QString& text);

// While the printer writes to a file, points each job at a file of its own
// named after the sheet, beside the file chosen in the print dialog (see
// print_file_name.h), and gives the dialog's choice back at the end, whatever
// happened. While it prints to a queue, does nothing.
class CopyFiles {
public:
    CopyFiles(CurrentPrinter& printer, const QString& sheetReference);
    ~CopyFiles();
    CopyFiles(const CopyFiles&) = delete;
    CopyFiles& operator=(const CopyFiles&) = delete;

    // The next job is copy `copy` (from 1) of the statement or the answer key.
    void Next(bool answerKey, int copy);

private:
    CurrentPrinter& printer_;
    const QString chosen_;
    const QString reference_;
};

// The "Imprimer" command: `statementCopies` jobs of the statement titled
// `sheetReference` + ".rtf", then `answerKeyCopies` jobs of the answer key
// titled `sheetReference` + "-Cor.rtf", one job per copy. A count of 0 or less
// prints nothing of that document. The first error stops the command. While
// the printer writes to a file, each copy goes to its own file beside the
// chosen one (see CopyFiles), never in the place of an existing entry, and
// carries a non-empty `recipe` as a saved PDF does.
void PrintSheetCommand(CurrentPrinter& printer, RichTextPane& statement, RichTextPane& answerKey,
                       const QString& sheetReference, const QString& statementCopies,
                       const QString& answerKeyCopies, const std::string& recipe = {});

// The "CI" command: the print dialog on the current printer, proposing a PDF
// file named after the current sheet.
void ChoosePrinterCommand(QWidget* parent, CurrentPrinter& printer, const QString& sheetReference);

} // namespace vorn
