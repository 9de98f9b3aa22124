#include "output/print/current_printer.h"

#include "output/print/print_file_name.h"
#include "text/user_error.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace vorn {
namespace {

const char kNoDefaultPrinter[] = "Aucune imprimante par défaut sélectionnée";
const char kBadPrinter[] = "Imprimante sélectionnée incorrecte";

bool Reachable(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    // The queue may have gone since it was chosen: ask the system again.
    return printer.isValid() && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
}

} // namespace

CurrentPrinter::CurrentPrinter() = default;
CurrentPrinter::~CurrentPrinter() = default;

QPrinter& CurrentPrinter::Printer() {
    if (!printer_) {
        // Qt would fall back on any printer, or on a PDF file, where the
        // program must say that there is no default printer.
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull())
            throw UserError(kNoDefaultPrinter);
        printer_ = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    }
    if (!Reachable(*printer_))
        throw UserError(kBadPrinter);
    return *printer_;
}

QString CurrentPrinter::ChosenQueue() const {
    if (!printer_ || printer_->outputFormat() == QPrinter::PdfFormat)
        return {};
    const QString name = printer_->printerName();
    return name == QPrinterInfo::defaultPrinterName() ? QString() : name;
}

bool CurrentPrinter::UseQueue(const QString& name) {
    const QPrinterInfo queue = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || queue.isNull() || jobOpen_)
        return false;
    printer_ = std::make_unique<QPrinter>(queue, QPrinter::HighResolution);
    return true;
}

bool CurrentPrinter::Choose(QWidget* parent, const QString& sheetReference) {
    if (jobOpen_)
        throw UserError("Impression en cours");
    std::unique_ptr<QPrinter> candidate;
    QPrinter* target = printer_.get();
    if (!target) {
        QPrinterInfo start = QPrinterInfo::defaultPrinter();
        if (start.isNull()) {
            const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
            if (all.isEmpty())
                throw UserError(kNoDefaultPrinter);
            start = all.first();
        }
        candidate = std::make_unique<QPrinter>(start, QPrinter::HighResolution);
        target = candidate.get();
    }
    // The dialog proposes the file chosen last time, or a name made from the
    // job title when none was: both would be an earlier sheet's.
    const QPrinter::OutputFormat previousFormat = target->outputFormat();
    const QString previousFile = target->outputFileName();
    const QString previousTitle = target->docName();
    target->setDocName(sheetReference + QStringLiteral(".rtf"));
    if (previousFormat == QPrinter::PdfFormat && !previousFile.isEmpty())
        target->setOutputFileName(ProposedPdfFile(previousFile, sheetReference));
    QPrintDialog dialog(target, parent);
    // The dialog only chooses: nothing is printed when it closes, and a
    // button called "Imprimer" would say otherwise.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("Choisir"));
    if (dialog.exec() != QDialog::Accepted) {
        // Qt's dialog points the printer at a queue as soon as it opens, even
        // when the printer wrote to a file and the dialog is then cancelled.
        target->setDocName(previousTitle);
        if (previousFormat == QPrinter::PdfFormat) {
            target->setOutputFormat(QPrinter::PdfFormat);
            target->setOutputFileName(previousFile);
        }
        return false;
    }
    if (candidate)
        printer_ = std::move(candidate);
    return true;
}

QString CurrentPrinter::OutputFile() const {
    if (!printer_ || printer_->outputFormat() != QPrinter::PdfFormat)
        return {};
    return printer_->outputFileName();
}

void CurrentPrinter::PrintToFile(const QString& pdfFile) {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfFile);
}

CurrentPrinter::Job::Job(CurrentPrinter& printer) : printer_(printer) {
    if (printer_.jobOpen_)
        throw UserError("Impression en cours");
    printer_.jobOpen_ = true;
}

CurrentPrinter::Job::~Job() {
    printer_.jobOpen_ = false;
}

PdfPageSetup PageSetupOf(CurrentPrinter& printer) {
    try {
        const QPrinter& device = printer.Printer();
        return {device.pageLayout(), device.resolution()};
    } catch (const UserError&) {
        return LaserA4PageSetup();
    }
}

} // namespace vorn
