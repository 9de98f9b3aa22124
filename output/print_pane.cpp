#include "output/print_pane.h"

#include "exercises/user_error.h"
#include "output/current_printer.h"
#include "output/new_output_file.h"
#include "output/pdf_text_layer.h"
#include "output/print_queue_refusal.h"
#include "richtext/rich_text_pane.h"

#include <QCoreApplication>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <optional>

namespace vorn {
namespace {

// Drops the control's cached layout on every way out of a job.
class LayoutRelease {
public:
    explicit LayoutRelease(RichTextPane& pane) : pane_(pane) { pane_.FormatRangeRelease(); }
    ~LayoutRelease() { pane_.FormatRangeRelease(); }
    LayoutRelease(const LayoutRelease&) = delete;
    LayoutRelease& operator=(const LayoutRelease&) = delete;

private:
    RichTextPane& pane_;
};

// Gives the printer back the file name it was told to write to, once the job
// has gone to the file actually created for it.
class OutputNameBack {
public:
    explicit OutputNameBack(QPrinter& printer)
        : printer_(printer), name_(printer.outputFileName()) {}
    ~OutputNameBack() { printer_.setOutputFileName(name_); }
    OutputNameBack(const OutputNameBack&) = delete;
    OutputNameBack& operator=(const OutputNameBack&) = delete;

private:
    QPrinter& printer_;
    const QString name_;
};

// Appends to the PDF just written the character maps of the characters that
// Qt's writer leaves out. The update only adds bytes at the end, through the
// name the writer used (the created file itself when printing to a file); a
// file that cannot be read back or extended stays as Qt wrote it, complete
// but for those characters.
void CompleteTextLayer(const QString& writtenFile, const std::vector<CharacterProbe>& probes) {
    QFile pdfFile(writtenFile);
    if (!pdfFile.open(QIODevice::ReadWrite))
        return;
    const QByteArray pdf = pdfFile.readAll();
    const QByteArray completed = WithProbedCharacters(pdf, probes);
    if (completed.size() <= pdf.size() || !completed.startsWith(pdf))
        return;
    const QByteArray update = completed.mid(pdf.size());
    if (pdfFile.write(update) != update.size() || !pdfFile.flush())
        pdfFile.resize(pdf.size());
}

void LetWindowBreathe() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QRect PrintableAreaTwips(const QPaintDevice& device) {
    const int width = device.width() * 1440 / device.logicalDpiX();
    const int height = device.height() * 1440 / device.logicalDpiY();
    return QRect(0, 0, width, height);
}

void LayOutPanePages(RichTextPane& pane, QPainter& painter, QPagedPaintDevice& device) {
    const QRect pageTwips = PrintableAreaTwips(device);
    const int length = pane.TextLength();
    LayoutRelease release(pane);
    int start = 0;
    for (;;) {
        const int next = pane.FormatRange(painter, pageTwips, pageTwips, start, true);
        LetWindowBreathe();
        // A page on which nothing was placed would repeat forever.
        if (next >= length || next == -1 || next <= start)
            break;
        device.newPage();
        start = next;
    }
}

void PrintPanes(CurrentPrinter& current, const std::vector<RichTextPane*>& panes,
                const QString& title, const ProgressTick& tick) {
    CurrentPrinter::Job job(current);
    QPrinter& printer = current.Printer();
    printer.setDocName(title);
    // A queue that refuses jobs or is stopped is reported before anything is
    // laid out; a refusal that comes later shows when the job is handed over.
    const bool spooled = printer.outputFormat() == QPrinter::NativeFormat;
    if (spooled) {
        const QString refusal = QueueRefusal(printer.printerName());
        if (!refusal.isEmpty())
            throw UserError(PrintRefusedMessage(printer.printerName(), refusal));
    }
    // Printing to a file never replaces anything: the job goes to a file it
    // creates, under the next free name when the one asked for is taken.
    std::optional<OutputNameBack> nameBack;
    std::optional<NewOutputFile> file;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        nameBack.emplace(printer);
        file.emplace(printer.outputFileName(), "Imprimante sélectionnée incorrecte");
        printer.setOutputFileName(file->WriterPath());
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw UserError("Imprimante sélectionnée incorrecte");

    // A PDF file is Qt's own: its text layer can be completed afterwards.
    const bool pdfFile = printer.outputFormat() == QPrinter::PdfFormat;
    std::vector<CharacterProbe> probes;
    try {
        if (pdfFile) {
            std::vector<const QTextDocument*> documents;
            for (const RichTextPane* pane : panes)
                documents.push_back(pane->document());
            probes = DrawCharacterProbes(painter, printer, documents);
        }
        for (std::size_t i = 0; i < panes.size(); ++i) {
            if (i > 0)
                printer.newPage();
            LayOutPanePages(*panes[i], painter, printer);
            if (tick)
                tick();
        }
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    // The CUPS backend hands the job to the scheduler here and says nothing
    // when it is refused.
    painter.end();
    if (!probes.empty())
        CompleteTextLayer(printer.outputFileName(), probes);
    if (file)
        file->Keep();
    if (spooled) {
        const QString refusal = SubmissionRefusal();
        if (!refusal.isEmpty())
            throw UserError(PrintRefusedMessage(printer.printerName(), refusal));
    }
}

void PrintPane(CurrentPrinter& current, RichTextPane& pane, const QString& title) {
    PrintPanes(current, {&pane}, title);
}

} // namespace vorn
