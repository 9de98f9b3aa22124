#include "output/pages/page_loop.h"

#include "richtext/rich_text_pane.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>

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

void LayOutPanePages(RichTextPane& pane, QPainter& painter, QPagedPaintDevice& device,
                     PageEvents events) {
    const QRect pageTwips = PrintableAreaTwips(device);
    const int length = pane.TextLength();
    LayoutRelease release(pane);
    int start = 0;
    for (;;) {
        const int next = pane.FormatRange(painter, pageTwips, pageTwips, start, true);
        if (events == PageEvents::Process)
            LetWindowBreathe();
        // A page on which nothing was placed would repeat forever.
        if (next >= length || next == -1 || next <= start)
            break;
        device.newPage();
        start = next;
    }
}

} // namespace vorn
