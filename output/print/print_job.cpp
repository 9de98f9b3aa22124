#include "output/print/print_job.h"

#include "output/pages/page_loop.h"

#include "output/pages/memory_file.h"
#include "output/pages/pdf_recipe.h"
#include "output/pages/pdf_text_layer.h"
#include "output/pages/pdf_titles.h"
#include "output/print/current_printer.h"
#include "output/print/new_output_file.h"
#include "output/print/print_queue_refusal.h"
#include "richtext/rich_text_pane.h"
#include "text/user_error.h"

#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include <cerrno>
#include <optional>

namespace vorn {
namespace {

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

// What goes to a file printed to: the PDF Qt wrote, with the character maps
// of the characters its writer leaves out appended. A PDF not laid out as Qt
// writes it stays as it is, complete but for those characters.
QByteArray WithTextLayer(const QByteArray& pdf, const std::vector<CharacterProbe>& probes) {
    if (probes.empty())
        return pdf;
    const QByteArray completed = WithProbedCharacters(pdf, probes);
    if (completed.size() <= pdf.size() || !completed.startsWith(pdf))
        return pdf;
    return completed;
}

// Whether Qt's writer got its whole PDF through: it writes the file from the
// start to the end, the cross-reference table last but for the trailer that
// points at it, and a write that fails cuts all that follows.
bool WrittenWhole(const QByteArray& pdf) {
    static const QRegularExpression tail(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QRegularExpressionMatch match = tail.match(QString::fromLatin1(pdf.right(64)));
    return pdf.startsWith("%PDF-") && match.hasMatch() &&
           pdf.mid(match.captured(1).toLongLong(), 4) == "xref";
}

const char kFileFailure[] = "Impossible d'imprimer dans le fichier";

} // namespace

void PrintPanes(CurrentPrinter& current, const std::vector<RichTextPane*>& panes,
                const QString& title, const ProgressTick& tick, const std::string& recipe) {
    CurrentPrinter::Job job(current);
    QPrinter& printer = current.Printer();
    // A job printed to a file is a PDF like a saved one, and titled alike;
    // the scheduler's queue keeps the job's own name.
    printer.setDocName(printer.outputFormat() == QPrinter::PdfFormat ? PrintedPdfTitle(title)
                                                                     : title);
    // A queue that refuses jobs or is stopped is reported before anything is
    // laid out; a refusal that comes later shows when the job is handed over.
    const bool spooled = printer.outputFormat() == QPrinter::NativeFormat;
    if (spooled) {
        const QString refusal = QueueRefusal(printer.printerName());
        if (!refusal.isEmpty())
            throw UserError(PrintRefusedMessage(printer.printerName(), refusal));
    }
    // Printing to a file never replaces anything: the job goes to a file it
    // creates, under the next free name when the one asked for is taken. Qt's
    // PDF writer does not tell when a write fails, so it writes in memory and
    // the PDF reaches the file only once known whole, every write checked.
    std::optional<OutputNameBack> nameBack;
    std::optional<NewOutputFile> file;
    std::optional<MemoryFile> memory;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        nameBack.emplace(printer);
        file.emplace(printer.outputFileName(), kFileFailure);
        memory.emplace();
        if (memory->OpenError() != 0)
            file->Fail(memory->OpenError());
        printer.setOutputFileName(memory->WriterPath());
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
                documents.push_back(&pane->Content());
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
    if (file) {
        QByteArray pdf;
        if (const int error = memory->Read(pdf); error != 0)
            file->Fail(error);
        if (!WrittenWhole(pdf)) {
            const int error = memory->GrowthError();
            file->Fail(error != 0 ? error : EIO);
        }
        QByteArray completed = WithTextLayer(pdf, probes);
        if (!recipe.empty())
            completed = WithXmpMetadata(completed, RecipeXmp(PrintedPdfTitle(title), recipe));
        file->WriteWhole(completed);
        file->Keep();
    }
    if (spooled) {
        const QString refusal = SubmissionRefusal();
        if (!refusal.isEmpty())
            throw UserError(PrintRefusedMessage(printer.printerName(), refusal));
    }
}

void PrintPane(CurrentPrinter& current, RichTextPane& pane, const QString& title,
               const std::string& recipe) {
    PrintPanes(current, {&pane}, title, {}, recipe);
}

} // namespace vorn
