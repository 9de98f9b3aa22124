#include "output/page_pictures.h"

#include "output/current_printer.h"
#include "output/own_working_files.h"
#include "richtext/rich_text_pane.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

namespace vorn {

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
                       const QRect& pageRect, int start, RichTextPane& control, int& next) {
    QFile file;
    if (!files.OpenForWriting(fileName, file))
        return false;
    // The picture has the printer's resolution, so the control lays the page
    // out with the metrics it will print with.
    const int dpi = printer.logicalDpiX();
    const QSize pixels(int(qint64(pageRect.width()) * dpi / 2540),
                       int(qint64(pageRect.height()) * dpi / 2540));
    QSvgGenerator picture;
    picture.setOutputDevice(&file);
    picture.setResolution(dpi);
    picture.setSize(pixels);
    picture.setViewBox(QRect(QPoint(0, 0), pixels));

    QPainter painter;
    if (!painter.begin(&picture))
        return false;
    const QRect twips = HundredthsMmToTwips(pageRect);
    next = control.FormatRange(painter, twips, twips, start, true);
    painter.end();
    return true;
}

void RenderPagePictures(RichTextPane& control, const QString& prefix, CurrentPrinter& current,
                        OwnWorkingFiles& files) {
    const int length = control.TextLength();
    const QPrinter& printer = current.Printer();
    const QRect pageRect = PaperRectHundredthsMm(printer);
    int next = 0;
    for (int page = 0; next < length && page < kPreviewPages; ++page) {
        const int start = next;
        RenderPagePicture(printer, files, PageFileName(prefix, page), pageRect, start, control,
                          next);
        // Nothing drawn (no file, or no progress): a next page would be the
        // same one again.
        if (next <= start)
            break;
    }
    // The pictures are gone once drawn: keep no layout made for them.
    control.FormatRangeRelease();
}

void PreviewRichEdit(RichTextPane& control, const QString& prefix, CurrentPrinter& printer,
                     OwnWorkingFiles& files) {
    RenderPagePictures(control, prefix, printer, files);
}

} // namespace vorn
