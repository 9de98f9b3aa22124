#pragma once

#include "exercises/sheet_look.h"
#include "richtext/rtf_writer.h"

#include <QBasicTimer>
#include <QByteArray>
#include <QRect>
#include <QString>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QPainter;

namespace vorn {
class PageLayout;
class RtfReading;
} // namespace vorn

// The rich-text control both panes are made of: an RTF-aware QTextEdit with
// the operations the program relies on.
class RichTextPane : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget* parent = nullptr);
    ~RichTextPane() override;

    // Replaces the whole content. Bytes beginning with "{\rtf" are read as an
    // RTF document; anything else is plain Windows-1252 text, up to its first
    // zero byte, CR LF, CR and LF each ending a paragraph. Exactly one
    // Change() follows. A pane on the screen reads a long RTF content as far
    // as it shows it, and the rest once that is painted, or as soon as
    // anything asks for the content: the pane's own functions do, and code
    // that reads the document itself takes it from Content().
    void SetText(const QByteArray& bytes);
    // The whole document, read to its end.
    const QTextDocument& Content() const;
    // The plain text, paragraphs separated by "\n"; empty when the pane holds
    // no character.
    QString GetText() const;
    // Number of characters, a paragraph break counting one.
    int TextLength() const;
    // TextLength() == 0, answered without reading the rest of a content.
    bool IsEmpty() const;

    // Read-only from the keyboard and the mouse (set text still replaces the
    // content; caret movement, selection and copying still work).
    void SetReadOnly(bool on);
    bool IsReadOnly() const;

    // Selection in character positions; a position past the end means the end.
    // Setting it scrolls the caret into view.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int pos);
    void SetSelLength(int len);

    // When on, Tab types a tab; when off, it moves the focus.
    void SetWantTabs(bool on);
    bool WantTabs() const;

    enum class StreamFormat { Rtf, Text };
    // Hands the serialisation to `sink` in successive blocks; a non-zero return
    // stops the stream and makes the call return false. An RTF serialisation
    // states `page` when there is one.
    using StreamSink = std::function<int(const char* data, qint64 size)>;
    bool StreamOut(StreamFormat format, const StreamSink& sink,
                   const std::optional<vorn::RtfPage>& page = std::nullopt) const;

    // Lays out the current content from `firstChar` on the painter's device at
    // that device's resolution, into `layoutTwips` (inside `pageTwips`), and
    // draws it when `draw` is true. Returns the position of the first character
    // that did not fit (at least TextLength() when everything fitted). Lines are
    // never split across pages, and at least one line is placed per call.
    // Rectangles are (x, y, width, height) in twips, relative to the painter's
    // origin. Returns -1 when the painter has no device.
    int FormatRange(QPainter& painter, const QRect& pageTwips, const QRect& layoutTwips,
                    int firstChar, bool draw);
    // Drops any layout cached by FormatRange.
    void FormatRangeRelease();

    // A new content is laid out as far as the pane shows it before it is
    // painted; the paragraphs below are kept out of the layout and brought
    // in a step at a time afterwards. Brings in all that are left now.
    void ShowWholeContent() const;

protected:
    // What the user types, clicks, scrolls or drops needs the whole layout.
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    // Pasted and dropped content is taken through the RTF the pane saves, so
    // the pane never shows what a save would lose; pictures are refused.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    // A copy offers the selection as the RTF a save writes, as HTML with
    // <sup> and <sub>, fonts and indents, and as plain text with "²".
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void changeEvent(QEvent* event) override;
    // Ctrl+Y redoes, as on the desktops where Ctrl+Shift+Z does not.
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // After each change of content, by the user or by SetText.
    void Change();

private:
    void OnTextChanged();
    void OnCurrentCharFormatChanged(const QTextCharFormat& format);
    void LoadPlainText(const QByteArray& bytes);
    void ApplyPointSizedFont();
    // Wraps anywhere while the content holds a word too long to lay out
    // word by word in reasonable time.
    void FitWrapMode();
    // Keeps the paragraphs below the pane's view out of the layout.
    void HoldBackBelowView();
    // Brings the next `count` held-back paragraphs into the layout.
    void ShowNextParagraphs(int count) const;
    // Paragraphs laid out before a new content's first paint.
    int ShownParagraphs() const;
    // Reads the rest of a content SetText began, held back from the layout.
    void FinishReading() const;

    mutable bool loading_ = false;
    bool wantTabs_ = false;
    // Bumped on every change of content; a cached page layout is only reused
    // while it matches.
    mutable quint64 revision_ = 0;
    std::unique_ptr<vorn::PageLayout> pageLayout_;
    // The first paragraph kept out of the layout, or -1 when none is.
    mutable int heldBackFrom_ = -1;
    // The reading of a content not yet read to its end, if any.
    mutable std::unique_ptr<vorn::RtfReading> reading_;
    mutable QBasicTimer showTimer_;
    mutable int showStep_ = 0;
};

// Converts the markup and loads the document into the pane.
void MarkupToRtf(RichTextPane& pane, std::string_view markup);
// The same, with the sheet's look (see vorn::ConvertMarkupToRtf).
void MarkupToRtf(RichTextPane& pane, std::string_view markup, const vorn::SheetLook& look);
