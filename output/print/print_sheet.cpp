#include "output/print/print_sheet.h"

#include "output/print/current_printer.h"
#include "output/print/print_file_name.h"
#include "output/print/print_job.h"

namespace vorn {

int CopyCount(const QString& text) {
    bool ok = false;
    const int count = text.trimmed().toInt(&ok, 10);
    return ok ? count : 0;
}

CopyFiles::CopyFiles(CurrentPrinter& printer, const QString& sheetReference)
    : printer_(printer), chosen_(printer.OutputFile()), reference_(sheetReference) {}

CopyFiles::~CopyFiles() {
    if (!chosen_.isEmpty())
        printer_.PrintToFile(chosen_);
}

void CopyFiles::Next(bool answerKey, int copy) {
    if (!chosen_.isEmpty())
        printer_.PrintToFile(PdfFileForCopy(chosen_, reference_, answerKey, copy));
}

void PrintSheetCommand(CurrentPrinter& printer, RichTextPane& statement, RichTextPane& answerKey,
                       const QString& sheetReference, const QString& statementCopies,
                       const QString& answerKeyCopies, const std::string& recipe) {
    CopyFiles files(printer, sheetReference);
    const int statements = CopyCount(statementCopies);
    for (int copy = 1; copy <= statements; ++copy) {
        files.Next(false, copy);
        PrintPane(printer, statement, sheetReference + QStringLiteral(".rtf"), recipe);
    }
    const int answerKeys = CopyCount(answerKeyCopies);
    for (int copy = 1; copy <= answerKeys; ++copy) {
        files.Next(true, copy);
        PrintPane(printer, answerKey, sheetReference + QStringLiteral("-Cor.rtf"), recipe);
    }
}

void ChoosePrinterCommand(QWidget* parent, CurrentPrinter& printer, const QString& sheetReference) {
    printer.Choose(parent, sheetReference);
}

} // namespace vorn
