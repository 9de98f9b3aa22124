#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QPrinter;
class RichTextPane;

namespace vorn {

class CurrentPrinter;
class OwnWorkingFiles;

// Draws the first pages of a pane into page files, one recorded picture (Qt's
// metafile, QPicture) per page, laid out by the control itself on the current
// printer's paper, so that the preview shows what will print.

// At most this many pages are drawn.
inline constexpr int kPreviewPages = 2;

// The paper of `printer`, in hundredths of a millimetre, at (0, 0): its width
// and height in whole millimetres times 100, no margin taken off.
QRect PaperRectHundredthsMm(const QPrinter& printer);

// A rectangle in hundredths of a millimetre converted to twips, each value
// times 1440 divided by 2540, the fraction dropped.
QRect HundredthsMmToTwips(const QRect& rect);

// The name of page `index` for `prefix`: "Temp" and 0 give "Temp0.EMF".
QString PageFileName(const QString& prefix, int index);

// Draws one page into `fileName`, a file of `files` (see OpenForWriting): the
// text of `control` from `start`, laid out in `pageRect` (hundredths of a
// millimetre) at the printer's resolution. On success `next` receives the
// first character not drawn; false, with `next` untouched, when the file
// cannot be created or written whole, the system's error number then in
// `*errorNumber` when given.
bool RenderPagePicture(const QPrinter& printer, OwnWorkingFiles& files, const QString& fileName,
                       const QRect& pageRect, int start, RichTextPane& control, int& next,
                       int* errorNumber = nullptr);

// A page file that could not be written: which one, where, and why.
struct PageWriteFailure {
    int page = 0; // from 0
    QString fileName;
    int errorNumber = 0;
};

// Draws up to kPreviewPages pages of `control` into the files named by
// PageFileName(prefix, i), `prefix` being an absolute path: one file when the
// text ends on page 1, two otherwise. Stops at the first page that cannot be
// written whole and returns it; a file half written is no page. Throws the
// current printer's UserError.
std::optional<PageWriteFailure> RenderPagePictures(RichTextPane& control, const QString& prefix,
                                                   CurrentPrinter& printer, OwnWorkingFiles& files);

// The preview's drawing entry point, as RenderPagePictures.
std::optional<PageWriteFailure> PreviewRichEdit(RichTextPane& control, const QString& prefix,
                                                CurrentPrinter& printer, OwnWorkingFiles& files);

} // namespace vorn
