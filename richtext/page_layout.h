#pragma once

#include <QRectF>
#include <QtGlobal>

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;
class QTextDocument;

namespace vorn {

// A private copy of a document laid out for one paint device at that device's
// own resolution and fonts, cut into lines from which pages are taken.
// Positions are those of the source document.

// Documents longer than this are laid out a window of about this many
// characters at a time. Qt's layout coordinates are 32-bit fixed point: past
// some 33 million device pixels (a few thousand pages at 1200 dpi) its layout
// slows to a crawl; and a preview of a huge paste needs only its first pages.
inline constexpr int kPageLayoutWindowChars = 1 << 16;

class PageLayout {
public:
    // What a layout was made for; a layout is reused only for the same key.
    struct Key {
        const QPaintDevice* device = nullptr;
        int deviceType = 0;
        int dpiX = 0;
        int dpiY = 0;
        qreal width = 0; // device pixels
        quint64 revision = 0;
        bool operator==(const Key&) const = default;
    };

    // Lays out `source` without its first `offset` characters, `key.width`
    // device pixels wide, on `device`: all the rest, or when `windowChars` is
    // positive, only the whole paragraphs and tables up to at least
    // `windowChars` characters further.
    PageLayout(const QTextDocument& source, int offset, QPaintDevice& device, const Key& key,
               int windowChars = 0);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    const Key& key() const { return key_; }
    int offset() const { return offset_; }
    // Number of characters of the source document.
    int textLength() const { return offset_ + length_; }

    // The lines that fit, one below the other, in `height` device pixels from
    // the line beginning at `pos`; always at least that line. A question's
    // lines go on to the next page together, unless they begin this page.
    struct Range {
        int firstLine = 0;
        int endLine = 0;  // one past the last line placed
        int next = 0;     // position of the first character not placed
        qreal top = 0;    // of the first line, in layout coordinates
        qreal bottom = 0; // of the last line placed
    };
    // False when no line of this layout begins at `pos`, or when the page
    // would go on past a window into text this layout does not hold.
    bool Fit(int pos, qreal height, Range& range) const;
    // Whether this layout holds the source up to its end.
    bool ReachesEnd() const { return reachesEnd_; }

    // Draws the lines of `range` with the top of its first line at the top
    // left corner of `target` (device pixels), inside `clip`.
    void Draw(QPainter& painter, const Range& range, const QRectF& target,
              const QRectF& clip) const;

private:
    struct Line {
        int start; // in the laid-out copy
        qreal top;
        qreal bottom;
        int question; // of the source's questions, -1 for none
    };

    Key key_;
    int offset_;
    int length_ = 0;
    bool reachesEnd_ = true;
    std::unique_ptr<QTextDocument> doc_;
    std::vector<Line> lines_;
};

} // namespace vorn
