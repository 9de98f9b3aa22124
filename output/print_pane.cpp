#include "output/print_pane.h"

#include "exercises/user_error.h"
#include "output/current_printer.h"
#include "output/print_queue_refusal.h"
#include "richtext/rich_text_pane.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

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
    QPainter painter;
    if (!painter.begin(&printer))
        throw UserError("Imprimante sélectionnée incorrecte");

    try {
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
