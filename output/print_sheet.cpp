#include "output/print_sheet.h"

#include "output/current_printer.h"
#include "output/print_pane.h"

namespace vorn {

int CopyCount(const QString& text) {
    bool ok = false;
    const int count = text.trimmed().toInt(&ok, 10);
    return ok ? count : 0;
}

void PrintSheetCommand(CurrentPrinter& printer, TRxRichEdit& statement, TRxRichEdit& answerKey,
                       const QString& sheetReference, const QString& statementCopies,
                       const QString& answerKeyCopies) {
    const int statements = CopyCount(statementCopies);
    for (int copy = 0; copy < statements; ++copy)
        PrintPane(printer, statement, sheetReference + QStringLiteral(".rtf"));
    const int answerKeys = CopyCount(answerKeyCopies);
    for (int copy = 0; copy < answerKeys; ++copy)
        PrintPane(printer, answerKey, sheetReference + QStringLiteral("-Cor.rtf"));
}

void ChoosePrinterCommand(QWidget* parent, CurrentPrinter& printer) {
    printer.Choose(parent);
}

} // namespace vorn
