#include "richtext/page_layout.h"

#include "richtext/question_lines.h"
#include "richtext/rtf_paragraph_props.h"
#include "richtext/tab_stops.h"
#include "richtext/word_processor_line_heights.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>

namespace vorn {

namespace {

// Whether `block` lies in the document's own flow, not in a table.
bool IsTopLevel(const QTextBlock& block) {
    return QTextCursor(block).currentFrame() == block.document()->rootFrame();
}

// The end of the window that starts at `offset`: the end of the first
// top-level paragraph at or after `offset + chars`, or -1 for the whole rest.
int WindowEnd(const QTextDocument& source, int offset, int chars) {
    const int sourceEnd = source.characterCount() - 1;
    if (qint64(offset) + chars >= sourceEnd)
        return -1;
    QTextBlock block = source.findBlock(offset + chars);
    while (block.isValid() && !IsTopLevel(block))
        block = block.next();
    if (!block.isValid() || !block.next().isValid())
        return -1;
    return block.position() + block.length() - 1;
}

// A copy of the characters [offset, end) of `source`, with the document-wide
// settings a layout depends on.
std::unique_ptr<QTextDocument> CopyOfRange(const QTextDocument& source, int offset, int end) {
    auto copy = std::make_unique<QTextDocument>();
    copy->setDefaultFont(source.defaultFont());
    copy->setUseDesignMetrics(source.useDesignMetrics());
    copy->setIndentWidth(source.indentWidth());
    copy->setDefaultTextOption(source.defaultTextOption());
    copy->rootFrame()->setFrameFormat(source.rootFrame()->frameFormat());
    const QTextBlock first = source.findBlock(offset);
    QTextCursor range(first);
    range.setPosition(offset);
    range.setPosition(end, QTextCursor::KeepAnchor);
    QTextCursor into(copy.get());
    into.insertFragment(QTextDocumentFragment(range));
    // A piece that does not begin the document comes without the formats of
    // its first paragraph.
    QTextCursor head(copy.get());
    head.setBlockFormat(first.blockFormat());
    head.setBlockCharFormat(first.charFormat());
    return copy;
}

// A document's lengths are pixels of a 96 dpi screen. Qt's layout scales a
// paragraph's space above and below, indent levels, tab stops and tables to
// the resolution of the device it lays out for, but takes the left and right
// margins and the first-line indent as pixels of that device: on a 1200 dpi
// page they would shrink to a twelfth. They are scaled here, in the copy.
void ScaleHorizontalMargins(QTextDocument& doc, const QPaintDevice& device) {
    const qreal scale = device.logicalDpiX() * kTwipsPerPixel / 1440.0;
    if (qFuzzyCompare(scale, 1.0))
        return;
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.leftMargin() == 0 && format.rightMargin() == 0 && format.textIndent() == 0)
            continue;
        format.setLeftMargin(format.leftMargin() * scale);
        format.setRightMargin(format.rightMargin() * scale);
        format.setTextIndent(format.textIndent() * scale);
        QTextCursor(block).setBlockFormat(format);
    }
    edit.endEditBlock();
}

} // namespace

PageLayout::PageLayout(const QTextDocument& source, int offset, QPaintDevice& device,
                       const Key& key, int windowChars)
    : key_(key), offset_(offset) {
    const int end = windowChars > 0 ? WindowEnd(source, offset, windowChars) : -1;
    reachesEnd_ = end < 0;
    if (windowChars > 0 && (offset_ > 0 || end >= 0)) {
        doc_ = CopyOfRange(source, offset_, reachesEnd_ ? source.characterCount() - 1 : end);
    } else {
        doc_.reset(source.clone());
        if (offset_ > 0) {
            QTextCursor cut(doc_.get());
            cut.setPosition(offset_, QTextCursor::KeepAnchor);
            cut.removeSelectedText();
        }
    }
    // A copy does not carry the source's dynamic properties: take the tab
    // distance and the wrap mode over explicitly.
    QTextOption option = doc_->defaultTextOption();
    option.setTabStopDistance(source.defaultTextOption().tabStopDistance());
    option.setWrapMode(source.defaultTextOption().wrapMode());
    doc_->setDefaultTextOption(option);
    // A page is filled from edge to edge of the layout rectangle: the screen
    // margin of the editor has no place on paper.
    doc_->setDocumentMargin(0);
    doc_->setUndoRedoEnabled(false);
    ScaleHorizontalMargins(*doc_, device);
    UseWordProcessorLineHeights(*doc_);
    doc_->documentLayout()->setPaintDevice(&device);
    // A block's layout normally drops its shaped glyphs once its lines are
    // placed, and drawing would shape every line again; this copy is laid
    // out to be drawn, so it keeps them.
    for (QTextBlock block = doc_->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    doc_->setTextWidth(std::max<qreal>(key.width, 1.0));
    doc_->documentLayout()->documentSize(); // lays the whole copy out now
    length_ = doc_->characterCount() - 1;

    QAbstractTextDocumentLayout* layout = doc_->documentLayout();
    const std::vector<int> questions = QuestionOfEachParagraph(*doc_);
    std::size_t paragraph = 0;
    for (QTextBlock block = doc_->begin(); block.isValid(); block = block.next(), ++paragraph) {
        const QTextLayout* text = block.layout();
        if (!text || text->lineCount() == 0)
            continue;
        const qreal origin = layout->blockBoundingRect(block).top() - text->boundingRect().top();
        const QTextBlockFormat format = block.blockFormat();
        const bool fixed = format.lineHeightType() == QTextBlockFormat::FixedHeight;
        const qreal fixedHeight = format.lineHeight() * device.logicalDpiY() / 96.0;
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            qreal top = origin + line.y();
            qreal height = line.height();
            if (fixed) {
                // Qt sets a line of fixed height with its baseline four fifths
                // down its box, whatever the line's own ascent.
                top += line.ascent() + std::max<qreal>(line.leading(), 0) - fixedHeight * 4 / 5;
                height = fixedHeight;
            }
            lines_.push_back(
                {block.position() + line.textStart(), top, top + height, questions[paragraph]});
        }
    }
}

PageLayout::~PageLayout() = default;

bool PageLayout::Fit(int pos, qreal height, Range& range) const {
    const int local = pos - offset_;
    const auto found = std::lower_bound(lines_.begin(), lines_.end(), local,
                                        [](const Line& l, int p) { return l.start < p; });
    if (found == lines_.end() || found->start != local)
        return false;
    const int first = int(found - lines_.begin());
    const qreal top = found->top;
    // A small tolerance keeps a line that fits exactly from being pushed on
    // to the next page by rounding.
    constexpr qreal kTolerance = 1.0 / 64;
    int end = first + 1; // the first line is placed even when taller than the page
    while (end < int(lines_.size()) && lines_[end].bottom - top <= height + kTolerance)
        ++end;
    // A question cut by the page's foot moves whole to the next page, unless
    // it begins this one: then it is longer than a page and must break.
    if (end < int(lines_.size()) && lines_[end].question >= 0 &&
        lines_[end - 1].question == lines_[end].question) {
        int start = end - 1;
        while (start > first && lines_[start - 1].question == lines_[end].question)
            --start;
        if (start > first)
            end = start;
    }
    if (end == int(lines_.size()) && !reachesEnd_)
        return false;
    range.firstLine = first;
    range.endLine = end;
    range.top = top;
    range.bottom = lines_[end - 1].bottom;
    range.next = offset_ + (end < int(lines_.size()) ? lines_[end].start : length_);
    return true;
}

void PageLayout::Draw(QPainter& painter, const Range& range, const QRectF& target,
                      const QRectF& clip) const {
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.translate(target.left(), target.top() - range.top);
    // The layout draws every line whose own extent touches the context's
    // clip, whole; the clip is drawn in from the placed lines so that their
    // neighbours stay off this page. A line of fixed height may reach a few
    // pixels into its neighbours' boxes, never a third of them.
    const qreal inset = std::min(lines_[range.firstLine].bottom - lines_[range.firstLine].top,
                                 lines_[range.endLine - 1].bottom - lines_[range.endLine - 1].top) /
                        3;
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, range.top + inset, std::max<qreal>(key_.width, 1.0),
                          range.bottom - range.top - 2 * inset);
    context.palette.setColor(QPalette::Text, Qt::black);
    doc_->documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace vorn
