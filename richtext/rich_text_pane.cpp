#include "richtext/rich_text_pane.h"

#include "richtext/html_box_lengths.h"
#include "richtext/html_writer.h"
#include "richtext/markup_converter.h"
#include "richtext/offline_text_document.h"
#include "richtext/page_layout.h"
#include "richtext/plain_text_writer.h"
#include "richtext/point_sized_font.h"
#include "richtext/rtf_block_layout.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "richtext/sheet_look_rtf.h"
#include "richtext/tab_stops.h"
#include "richtext/wrap_mode.h"
#include "text/cp1252.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTimerEvent>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace {

// Keeps the document's own change signals from reaching Change() while a
// whole new content is being loaded; SetText raises Change() once itself.
class LoadingGuard {
public:
    explicit LoadingGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingGuard() { flag_ = false; }
    LoadingGuard(const LoadingGuard&) = delete;
    LoadingGuard& operator=(const LoadingGuard&) = delete;

private:
    bool& flag_;
};

// Takes the page size from a document for as long as it lives. Without one,
// the document's layout ignores every change, so nothing is laid out until the
// size comes back, and then everything is laid out at once.
class PageSizeHold {
public:
    explicit PageSizeHold(QTextDocument& doc) : doc_(doc), size_(doc.pageSize()) {
        doc_.setPageSize(QSizeF(0, 0));
    }
    ~PageSizeHold() { doc_.setPageSize(size_); }
    PageSizeHold(const PageSizeHold&) = delete;
    PageSizeHold& operator=(const PageSizeHold&) = delete;

private:
    QTextDocument& doc_;
    const QSizeF size_;
};

// The block size handed to a stream sink at a time.
constexpr qint64 kStreamBlock = 4096;

// Paragraphs of a new content laid out before its first paint: enough for
// lines of at least this height to fill the pane's view; more are brought in
// at once when they do not fill it.
constexpr int kShownLineHeight = 12;
constexpr int kMinShownParagraphs = 8;
// The held-back paragraphs come into the layout this many at first, one
// step per interval, twice as many at each step (each step passes over all
// that are still held back), as Qt's own layout brings in a long text.
constexpr int kParagraphsFirstStep = 128;
constexpr int kParagraphsLastStep = 1 << 20;
constexpr int kShowStepMs = 10;

int TwipsToPixels(int twips, int dpi) {
    return int(qint64(twips) * dpi / 1440);
}

QRectF TwipsToDevice(const QRect& twips, int dpiX, int dpiY) {
    return QRectF(qreal(twips.x()) * dpiX / 1440, qreal(twips.y()) * dpiY / 1440,
                  qreal(twips.width()) * dpiX / 1440, qreal(twips.height()) * dpiY / 1440);
}

} // namespace

RichTextPane::RichTextPane(QWidget* parent) : QTextEdit(parent) {
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(!wantTabs_);
    vorn::ApplyDefaultTabStops(*document());
    ApplyPointSizedFont();
    connect(this, &QTextEdit::textChanged, this, &RichTextPane::OnTextChanged);
    connect(this, &QTextEdit::currentCharFormatChanged, this,
            &RichTextPane::OnCurrentCharFormatChanged);
}

RichTextPane::~RichTextPane() = default;

void RichTextPane::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event); // hands the widget's font to the document
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        ApplyPointSizedFont();
}

void RichTextPane::FitWrapMode() {
    const QTextOption::WrapMode mode = vorn::WrapModeFor(*document());
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void RichTextPane::ApplyPointSizedFont() {
    // Typed text without a size of its own takes the document's default font:
    // it must print, preview and save at the size the screen shows.
    document()->setDefaultFont(vorn::PointSizedFont(font()));
}

namespace {

const char* const kRtfMimeTypes[] = {"text/rtf", "application/rtf"};

// LibreOffice's HTML leaves a paragraph's top margin to the reader, and means
// none; Qt's reader would give each one 12 pixels (9 points).
QString WithLibreOfficeMargins(const QString& html) {
    static const QRegularExpression generator(
        QStringLiteral("<meta\\s+name=\"generator\"\\s+content=\"(LibreOffice|OpenOffice)"),
        QRegularExpression::CaseInsensitiveOption);
    if (!generator.match(html).hasMatch())
        return html;
    return QStringLiteral("<style>p { margin-top: 0 }</style>") + html;
}

QByteArray RtfOf(const QMimeData& source) {
    for (const char* type : kRtfMimeTypes) {
        const QByteArray bytes = source.data(QLatin1String(type));
        if (bytes.startsWith("{\\rtf"))
            return bytes;
    }
    return {};
}

} // namespace

bool RichTextPane::canInsertFromMimeData(const QMimeData* source) const {
    return source && (source->hasText() || source->hasHtml() || !RtfOf(*source).isEmpty());
}

QMimeData* RichTextPane::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return nullptr;
    QTextDocument selection;
    selection.setDefaultFont(document()->defaultFont());
    selection.setProperty(vorn::kDefTabTwipsProperty,
                          document()->property(vorn::kDefTabTwipsProperty));
    QTextCursor(&selection).insertFragment(cursor.selection());
    auto* data = new QMimeData;
    const QByteArray rtf = vorn::WriteRtf(selection);
    for (const char* type : kRtfMimeTypes)
        data->setData(QLatin1String(type), rtf);
    data->setHtml(vorn::WriteHtml(selection));
    data->setText(QString::fromUtf8(vorn::WritePlainText(selection)));
    return data;
}

void RichTextPane::insertFromMimeData(const QMimeData* source) {
    if (!source || isReadOnly())
        return;
    ShowWholeContent();
    // Pasted content brings its own text and formatting only: nothing it
    // names (a stylesheet, a picture) is read from the disk or the network.
    OfflineTextDocument staging;
    staging.setDefaultFont(document()->defaultFont());
    if (const QByteArray rtf = RtfOf(*source); !rtf.isEmpty()) {
        vorn::ReadRtf(rtf, staging);
    } else if (acceptRichText() && source->hasHtml()) {
        QTextCursor(&staging).insertFragment(QTextDocumentFragment::fromHtml(
            vorn::WithPixelBoxLengths(WithLibreOfficeMargins(source->html())), &staging));
    } else if (source->hasText()) {
        // Plain text takes the formatting at the caret, as typing does.
        QMimeData text;
        text.setText(source->text());
        QTextEdit::insertFromMimeData(&text);
        return;
    } else {
        return;
    }
    // What the file keeps of the pasted content, and nothing more.
    QTextDocument kept;
    kept.setDefaultFont(document()->defaultFont());
    vorn::ReadRtf(vorn::WriteRtf(staging), kept);
    QTextCursor cursor = textCursor();
    {
        // The layout waits for the whole paste and its wrap mode: laid out
        // piece by piece, a long pasted word would be measured at word
        // boundaries again for every piece, its length squared in all.
        const PageSizeHold hold(*document());
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        // A paste that begins a paragraph and brings a whole one (it ends in
        // a paragraph break, or it is a formatted paragraph that fills an
        // empty one) brings its paragraph's indents and spacing too. Qt's
        // insertion keeps the format of the paragraph it lands in, except at
        // the very start of the text; a few words keep that format.
        const bool formatted = !(vorn::ParaPropsOf(kept.begin(), false) == vorn::RtfParaProps{});
        const bool wholeParagraph =
            cursor.atBlockStart() && (kept.blockCount() > 1 || (cursor.atBlockEnd() && formatted));
        const int first = cursor.position();
        cursor.insertFragment(QTextDocumentFragment(&kept));
        if (wholeParagraph) {
            QTextCursor head(document());
            head.setPosition(first);
            head.setBlockFormat(kept.begin().blockFormat());
        }
        cursor.endEditBlock();
        FitWrapMode();
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RichTextPane::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier) {
        if (!IsReadOnly())
            redo();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichTextPane::OnCurrentCharFormatChanged(const QTextCharFormat& format) {
    // Numbers and expressions are laid out unshaped; what is typed after them
    // may be words, which want their kerning and ligatures back.
    if (!(format.fontStyleStrategy() & QFont::PreferNoShaping) || textCursor().hasSelection())
        return;
    QTextCharFormat typed = format;
    typed.setFontStyleStrategy(QFont::PreferDefault);
    setCurrentCharFormat(typed);
}

void RichTextPane::OnTextChanged() {
    ++revision_;
    if (!loading_)
        emit Change();
}

void RichTextPane::SetText(const QByteArray& bytes) {
    {
        LoadingGuard guard(loading_);
        // Loading empties the document first; a scroll bar shown as needed
        // would then vanish and come back, and every change of the viewport
        // width lays the whole new content out again. Keep it in place for
        // the load and let it settle once at the end.
        const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
        const bool pinScrollBar = isVisible() && policy == Qt::ScrollBarAsNeeded;
        if (pinScrollBar)
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QTextDocument& doc = *document();
        // A new content is not an edit the user could undo.
        doc.setUndoRedoEnabled(false);
        doc.setProperty(vorn::kDefTabTwipsProperty, QVariant());
        {
            // Emptying the document, the new default tab stops and the end of
            // the edit block would each lay the whole content out again: the
            // layout waits for the page size to come back and runs once.
            const PageSizeHold hold(doc);
            // Nothing of the old content stays held back (the layout waits).
            ShowWholeContent();
            // One edit block: the content is announced once, at its end,
            // instead of after every piece the reader inserts.
            QTextCursor edit(&doc);
            edit.beginEditBlock();
            reading_.reset();
            if (bytes.startsWith("{\\rtf")) {
                // A pane on the screen reads what it shows first, and the
                // rest once that is painted.
                reading_ = std::make_unique<vorn::RtfReading>(bytes, doc);
                if (reading_->Read(isVisible() ? ShownParagraphs() + kMinShownParagraphs
                                               : std::numeric_limits<int>::max()))
                    reading_.reset();
            } else {
                LoadPlainText(bytes);
            }
            vorn::ApplyDefaultTabStops(doc);
            FitWrapMode();
            edit.endEditBlock();
            doc.setUndoRedoEnabled(true);
            // The caret goes back to the start while the layout still waits:
            // the old caret, carried to the end of the new text by the load,
            // would otherwise have its place measured, and that lays the whole
            // document out at once instead of the part the pane shows.
            setTextCursor(QTextCursor(&doc));
            HoldBackBelowView();
        }
        // What the first layout gave must fill the view.
        while ((heldBackFrom_ >= 0 || reading_) &&
               doc.documentLayout()->documentSize().height() < viewport()->height()) {
            if (heldBackFrom_ < 0)
                FinishReading();
            ShowNextParagraphs(kMinShownParagraphs);
        }
        if (heldBackFrom_ >= 0 || reading_) {
            showStep_ = kParagraphsFirstStep;
            showTimer_.start(kShowStepMs, this);
        }
        if (pinScrollBar)
            setVerticalScrollBarPolicy(policy);
    }
    // A new content is no edit of the user's: only what is typed after it
    // makes the document modified.
    document()->setModified(false);
    ++revision_;
    FormatRangeRelease();
    emit Change();
}

void RichTextPane::LoadPlainText(const QByteArray& bytes) {
    // Plain text is a C string: it ends at its first zero byte.
    const qsizetype end = bytes.indexOf('\0');
    const QByteArray text = end < 0 ? bytes : bytes.left(end);
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r') {
            // CR LF, and a lone CR, end a paragraph as LF does.
            decoded += QLatin1Char('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            continue;
        }
        decoded += QChar(char16_t(vorn::Cp1252ToUnicode(byte)));
    }
    document()->setPlainText(decoded);
}

QString RichTextPane::GetText() const {
    QString text = Content().toRawText();
    for (QChar& c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0: // frame boundaries
        case 0xFDD1:
            c = QLatin1Char('\n');
            break;
        default:
            break;
        }
    }
    return text;
}

int RichTextPane::TextLength() const {
    return Content().characterCount() - 1;
}

bool RichTextPane::IsEmpty() const {
    // What is read already only grows: text there answers without the rest.
    return document()->characterCount() <= 1 && Content().characterCount() <= 1;
}

void RichTextPane::SetReadOnly(bool on) {
    setReadOnly(on);
    if (on) {
        // QTextEdit drops keyboard selection when read-only; the caret keys,
        // keyboard selection and copying must keep working.
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
}

bool RichTextPane::IsReadOnly() const {
    return isReadOnly();
}

int RichTextPane::SelStart() const {
    return textCursor().selectionStart();
}

int RichTextPane::SelLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextPane::SetSelStart(int pos) {
    ShowWholeContent(); // the caret is scrolled into view
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(pos, 0, TextLength()));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RichTextPane::SetSelLength(int len) {
    ShowWholeContent();
    const int start = SelStart();
    // A negative length selects backwards from the start.
    const qint64 end = std::clamp<qint64>(qint64(start) + len, 0, TextLength());
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RichTextPane::SetWantTabs(bool on) {
    wantTabs_ = on;
    setTabChangesFocus(!on);
}

bool RichTextPane::WantTabs() const {
    return wantTabs_;
}

bool RichTextPane::StreamOut(StreamFormat format, const StreamSink& sink,
                             const std::optional<vorn::RtfPage>& page) const {
    if (!sink)
        return false;
    const QByteArray bytes = format == StreamFormat::Rtf ? vorn::WriteRtf(Content(), page)
                                                         : vorn::WritePlainText(Content());
    for (qint64 done = 0; done < bytes.size(); done += kStreamBlock) {
        const qint64 size = std::min(kStreamBlock, qint64(bytes.size()) - done);
        if (sink(bytes.constData() + done, size) != 0)
            return false;
    }
    return true;
}

namespace {

// Lays out `doc` anew for the page that starts at `start` and fits that page
// into `range`; false when nothing can be placed there.
bool NewPageLayout(std::unique_ptr<vorn::PageLayout>& pageLayout, const QTextDocument& doc,
                   QPaintDevice& device, const vorn::PageLayout::Key& key, int start, qreal height,
                   vorn::PageLayout::Range& range) {
    // A long document is laid out a window at a time, from the paragraph (or
    // the table) where the page starts.
    const bool windowed = doc.characterCount() - 1 > vorn::kPageLayoutWindowChars;
    int from = 0;
    if (windowed) {
        QTextBlock block = doc.findBlock(start);
        while (block.previous().isValid() && QTextCursor(block).currentFrame() != doc.rootFrame())
            block = block.previous();
        from = block.position();
    }
    // Lays out from `offset`, in ever larger windows until the page fits or
    // the layout holds the rest of the text.
    const auto fitFrom = [&](int offset) {
        for (int chars = vorn::kPageLayoutWindowChars;; chars *= 2) {
            pageLayout =
                std::make_unique<vorn::PageLayout>(doc, offset, device, key, windowed ? chars : 0);
            if (pageLayout->Fit(start, height, range))
                return true;
            if (pageLayout->ReachesEnd())
                return false;
        }
    };
    if (fitFrom(from))
        return true;
    // A start that is no line of the whole layout (a caller's own position)
    // begins a fresh layout of the text from there. Text that lays out into
    // no line at all (hidden) cannot be placed: report it as done rather than
    // stall a page loop.
    return fitFrom(start) && range.next > start;
}

} // namespace

int RichTextPane::FormatRange(QPainter& painter, const QRect& pageTwips, const QRect& layoutTwips,
                              int firstChar, bool draw) {
    QPaintDevice* device = painter.device();
    if (!device)
        return -1;
    ShowWholeContent(); // pages are laid out from copies, which must not inherit hidden text
    const int length = TextLength();
    const int start = std::max(firstChar, 0);
    if (start >= length)
        return length;

    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    const QRectF layout = TwipsToDevice(layoutTwips, dpiX, dpiY);
    vorn::PageLayout::Key key;
    key.device = device;
    key.deviceType = device->devType();
    key.dpiX = dpiX;
    key.dpiY = dpiY;
    key.width = TwipsToPixels(layoutTwips.width(), dpiX);
    key.revision = revision_;

    vorn::PageLayout::Range range;
    if (!pageLayout_ || !(pageLayout_->key() == key) ||
        !pageLayout_->Fit(start, layout.height(), range)) {
        if (!NewPageLayout(pageLayout_, *document(), *device, key, start, layout.height(), range))
            return length;
    }
    if (draw) {
        const QRectF page = TwipsToDevice(pageTwips, dpiX, dpiY);
        pageLayout_->Draw(painter, range, layout,
                          page.isValid() ? page.intersected(layout) : layout);
    }
    return range.next;
}

void RichTextPane::FormatRangeRelease() {
    pageLayout_.reset();
}

void RichTextPane::HoldBackBelowView() {
    // Qt lays a new text out at least two thousand pixels deep before the
    // first paint, ten times what the pane shows at its designed size. A
    // paragraph out of sight is hidden from the layout until it is brought
    // in; tables are laid out whole anyway, and a pane nobody sees is laid
    // out as it is asked for.
    QTextDocument& doc = *document();
    if (!isVisible() || !doc.rootFrame()->childFrames().isEmpty())
        return;
    const int shown = ShownParagraphs();
    if (doc.blockCount() <= shown)
        return;
    for (QTextBlock block = doc.findBlockByNumber(shown); block.isValid(); block = block.next())
        block.setVisible(false);
    heldBackFrom_ = shown;
}

void RichTextPane::ShowNextParagraphs(int count) const {
    if (heldBackFrom_ < 0)
        return;
    QTextDocument& doc = *document();
    // An edit made meanwhile by other means than the keyboard or the mouse
    // may have moved the first held-back paragraph: start at it wherever it
    // went.
    QTextBlock first = doc.findBlockByNumber(std::min(heldBackFrom_, doc.blockCount() - 1));
    while (first.previous().isValid() && !first.previous().isVisible())
        first = first.previous();
    QTextBlock block = first;
    for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
        block.setVisible(true);
    const int end = block.isValid() ? block.position() : doc.characterCount();
    heldBackFrom_ = block.isValid() ? block.blockNumber() : -1;
    if (heldBackFrom_ < 0)
        showTimer_.stop();
    // Visibility is no edit: the layout is told of it as of a change of
    // format, which neither marks the document modified nor enters the undo
    // history.
    doc.markContentsDirty(first.position(), end - first.position());
}

void RichTextPane::ShowWholeContent() const {
    FinishReading();
    ShowNextParagraphs(std::numeric_limits<int>::max());
}

int RichTextPane::ShownParagraphs() const {
    return std::max(kMinShownParagraphs, viewport()->height() / kShownLineHeight + 1);
}

void RichTextPane::FinishReading() const {
    if (!reading_)
        return;
    // The rest is what SetText announced: no Change() for it, and whatever
    // the document's signals run meanwhile finds nothing left to read.
    const std::unique_ptr<vorn::RtfReading> reading = std::move(reading_);
    LoadingGuard guard(loading_);
    QTextDocument& doc = *document();
    // The rest of the content is no edit either: it neither enters the undo
    // history nor changes whether the document counts as modified (Qt counts
    // any change made without undo as a modification).
    const bool modified = doc.isModified();
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    const int firstNew = doc.blockCount();
    {
        // The layout waits for the whole rest, which joins the paragraphs held
        // back below the view: it comes into the layout in the same steps.
        const PageSizeHold hold(doc);
        reading->Read();
        vorn::ApplyDefaultTabStops(doc); // should the rest set the distance
        if (doc.rootFrame()->childFrames().isEmpty()) {
            for (QTextBlock block = doc.findBlockByNumber(firstNew); block.isValid();
                 block = block.next())
                block.setVisible(false);
            if (heldBackFrom_ < 0 && firstNew < doc.blockCount())
                heldBackFrom_ = firstNew;
        }
    }
    const QTextOption::WrapMode mode = vorn::WrapModeFor(doc);
    if (wordWrapMode() != mode)
        const_cast<RichTextPane*>(this)->setWordWrapMode(mode);
    doc.setUndoRedoEnabled(undo);
    doc.setModified(modified);
    ++revision_;
    // Tables are laid out whole: content with one is not held back.
    if (!doc.rootFrame()->childFrames().isEmpty())
        ShowNextParagraphs(std::numeric_limits<int>::max());
    else if (heldBackFrom_ >= 0 && !showTimer_.isActive()) {
        showStep_ = kParagraphsFirstStep;
        showTimer_.start(kShowStepMs, const_cast<RichTextPane*>(this));
    }
}

const QTextDocument& RichTextPane::Content() const {
    FinishReading();
    return *document();
}

void RichTextPane::timerEvent(QTimerEvent* event) {
    if (event->timerId() != showTimer_.timerId()) {
        QTextEdit::timerEvent(event);
        return;
    }
    if (reading_) { // the first step reads the rest
        FinishReading();
        return;
    }
    ShowNextParagraphs(showStep_);
    showStep_ = std::min(2 * showStep_, kParagraphsLastStep);
}

bool RichTextPane::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        ShowWholeContent();
        break;
    default:
        break;
    }
    return QTextEdit::event(event);
}

bool RichTextPane::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::ContextMenu:
        ShowWholeContent();
        break;
    default:
        break;
    }
    return QTextEdit::viewportEvent(event);
}

void MarkupToRtf(RichTextPane& pane, std::string_view markup) {
    const std::string rtf = vorn::ConvertMarkupToRtf(markup);
    pane.SetText(QByteArray(rtf.data(), qsizetype(rtf.size())));
}

void MarkupToRtf(RichTextPane& pane, std::string_view markup, const vorn::SheetLook& look) {
    const std::string rtf = vorn::ConvertMarkupToRtf(markup, look);
    pane.SetText(QByteArray(rtf.data(), qsizetype(rtf.size())));
}
