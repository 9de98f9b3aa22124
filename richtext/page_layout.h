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
    // device pixels wide, on `device`.
    PageLayout(const QTextDocument& source, int offset, QPaintDevice& device, const Key& key);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    const Key& key() const { return key_; }
    int offset() const { return offset_; }
    // Number of characters of the source document.
    int textLength() const { return offset_ + length_; }

    // The lines that fit, one below the other, in `height` device pixels from
    // the line beginning at `pos`; always at least that line.
    struct Range {
        int firstLine = 0;
        int endLine = 0;  // one past the last line placed
        int next = 0;     // position of the first character not placed
        qreal top = 0;    // of the first line, in layout coordinates
        qreal bottom = 0; // of the last line placed
    };
    // False when no line of this layout begins at `pos`.
    bool Fit(int pos, qreal height, Range& range) const;

    // Draws the lines of `range` with the top of its first line at the top
    // left corner of `target` (device pixels), inside `clip`.
    void Draw(QPainter& painter, const Range& range, const QRectF& target,
              const QRectF& clip) const;

private:
    struct Line {
        int start; // in the laid-out copy
        qreal top;
        qreal bottom;
    };

    Key key_;
    int offset_;
    int length_ = 0;
    std::unique_ptr<QTextDocument> doc_;
    std::vector<Line> lines_;
};

} // namespace vorn
