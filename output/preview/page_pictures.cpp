#include "output/preview/page_pictures.h"

#include "output/preview/own_working_files.h"
#include "output/print/current_printer.h"
#include "richtext/rich_text_pane.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrinter>

#include <cerrno>

namespace vorn {
namespace {

// A recorded page that measures as the printer does: its resolution is the
// printer's, so the control lays the page out with the metrics it will print
// with, and its size is the page's.
class PrinterPagePicture : public QPicture {
public:
    PrinterPagePicture(int dpi, QSize pixels) : dpi_(dpi), pixels_(pixels) {}

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return pixels_.width();
        case PdmHeight:
            return pixels_.height();
        case PdmWidthMM:
            return int(qint64(pixels_.width()) * 254 / (dpi_ * 10));
        case PdmHeightMM:
            return int(qint64(pixels_.height()) * 254 / (dpi_ * 10));
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return dpi_;
        default:
            return QPicture::metric(m);
        }
    }

private:
    const int dpi_;
    const QSize pixels_;
};

} // namespace

QRect PaperRectHundredthsMm(const QPrinter& printer) {
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    return QRect(0, 0, qRound(paper.width()) * 100, qRound(paper.height()) * 100);
}

QRect HundredthsMmToTwips(const QRect& rect) {
    return QRect(rect.left() * 1440 / 2540, rect.top() * 1440 / 2540, rect.width() * 1440 / 2540,
                 rect.height() * 1440 / 2540);
}

QString PageFileName(const QString& prefix, int index) {
    return prefix + QString::number(index) + QStringLiteral(".EMF");
}

bool RenderPagePicture(const QPrinter& printer, OwnWorkingFiles& files, const QString& fileName,
                       const QRect& pageRect, int start, RichTextPane& control, int& next,
                       int* errorNumber) {
    int unused = 0;
    int& error = errorNumber ? *errorNumber : unused;
    error = 0;
    QFile file;
    errno = 0;
    if (!files.OpenForWriting(fileName, file)) {
        error = errno ? errno : EIO;
        return false;
    }
    const int dpi = printer.logicalDpiX();
    const QSize pixels(int(qint64(pageRect.width()) * dpi / 2540),
                       int(qint64(pageRect.height()) * dpi / 2540));
    if (dpi <= 0 || pixels.isEmpty()) {
        error = EINVAL;
        return false;
    }
    PrinterPagePicture picture(dpi, pixels);
    QPainter painter;
    if (!painter.begin(&picture)) {
        error = ENOMEM;
        return false;
    }
    // The white paper, which also gives the picture the page's bounds.
    painter.fillRect(QRect(QPoint(0, 0), pixels), Qt::white);
    const QRect twips = HundredthsMmToTwips(pageRect);
    const int drawnTo = control.FormatRange(painter, twips, twips, start, true);
    painter.end();
    errno = 0;
    if (!picture.save(&file) || !file.flush()) {
        error = errno ? errno : EIO;
        return false;
    }
    next = drawnTo;
    return true;
}

std::optional<PageWriteFailure> RenderPagePictures(RichTextPane& control, const QString& prefix,
                                                   CurrentPrinter& current,
                                                   OwnWorkingFiles& files) {
    std::optional<PageWriteFailure> failure;
    const int length = control.TextLength();
    const QPrinter& printer = current.Printer();
    const QRect pageRect = PaperRectHundredthsMm(printer);
    int next = 0;
    for (int page = 0; next < length && page < kPreviewPages; ++page) {
        const int start = next;
        const QString name = PageFileName(prefix, page);
        int errorNumber = 0;
        if (!RenderPagePicture(printer, files, name, pageRect, start, control, next,
                               &errorNumber)) {
            failure = PageWriteFailure{page, name, errorNumber};
            break;
        }
        // No progress: a next page would be the same one again.
        if (next <= start)
            break;
    }
    // The pictures are gone once drawn: keep no layout made for them.
    control.FormatRangeRelease();
    return failure;
}

std::optional<PageWriteFailure> PreviewRichEdit(RichTextPane& control, const QString& prefix,
                                                CurrentPrinter& printer, OwnWorkingFiles& files) {
    return RenderPagePictures(control, prefix, printer, files);
}

} // namespace vorn
