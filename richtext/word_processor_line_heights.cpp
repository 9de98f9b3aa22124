#include "richtext/word_processor_line_heights.h"

#include "richtext/rtf_paragraph_props.h"

#include <QHash>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace vorn {

namespace {

// Word processors that lay out independently of the printer measure fonts on
// a reference device of six pixels a twip.
constexpr int kReferencePixelsPerTwip = 6;

// A line's extent above and below its baseline, in twips; the font's line gap
// is counted above.
struct LineTwips {
    int above = 0;
    int below = 0;
};

int BigEndian16(const QByteArray& table, int at, bool isSigned) {
    if (at + 2 > table.size())
        return 0;
    const int value = (quint8(table[at]) << 8) | quint8(table[at + 1]);
    return isSigned && value >= 0x8000 ? value - 0x10000 : value;
}

// A font's vertical metrics as the word processor reads them: the horizontal
// header's, the Windows ones when that header has none, the typographic ones
// when the font asks for them.
LineTwips MeasureFont(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    if (!raw.isValid() || raw.unitsPerEm() <= 0 || points <= 0)
        return {};
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    int ascent = BigEndian16(hhea, 4, true);
    int descent = -BigEndian16(hhea, 6, true);
    int gap = BigEndian16(hhea, 8, true);
    if (ascent == 0 && descent == 0 && os2.size() >= 78) {
        ascent = BigEndian16(os2, 74, false);
        descent = BigEndian16(os2, 76, false);
        gap = 0;
    }
    constexpr int kUseTypoMetrics = 1 << 7;
    if (os2.size() >= 74 && (BigEndian16(os2, 62, false) & kUseTypoMetrics)) {
        ascent = BigEndian16(os2, 68, true);
        descent = -BigEndian16(os2, 70, true);
        gap = BigEndian16(os2, 72, true);
    }
    const qreal pixelsPerUnit = points * 20 * kReferencePixelsPerTwip / raw.unitsPerEm();
    const auto pixels = [pixelsPerUnit](int units) { return std::lround(units * pixelsPerUnit); };
    const auto twips = [](long pixels) {
        return int(std::lround(double(pixels) / kReferencePixelsPerTwip));
    };
    // The word processor takes the ascent, the whole height and the gap to
    // twips each on its own; the descent is what the height leaves.
    const long ascentPixels = pixels(ascent);
    const int ascentTwips = twips(ascentPixels);
    const int heightTwips = twips(ascentPixels + pixels(descent));
    return {ascentTwips + twips(pixels(std::max(gap, 0))), heightTwips - ascentTwips};
}

// What each character format of one document adds to a line, measured once
// per format and once per font.
class FormatMeasures {
public:
    FormatMeasures(const QTextDocument& doc, const QFont& base) : doc_(doc), base_(base) {}

    // Nothing for a raised or lowered run, or for an object such as an image,
    // which must keep the height Qt gives it.
    struct Measure {
        LineTwips line;
        bool counts = false;
        bool isObject = false;
    };
    const Measure& Of(int formatIndex) {
        auto found = byFormat_.constFind(formatIndex);
        if (found == byFormat_.constEnd())
            found = byFormat_.insert(formatIndex, MeasureFormat(formatIndex));
        return *found;
    }

private:
    Measure MeasureFormat(int formatIndex) {
        const QTextCharFormat format = doc_.allFormats().value(formatIndex).toCharFormat();
        if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject)
            return {{}, false, true};
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript ||
            format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            return {};
        const QFont font = format.font().resolve(base_);
        const QString key = font.key();
        auto found = byFont_.constFind(key);
        if (found == byFont_.constEnd())
            found = byFont_.insert(key, MeasureFont(font));
        return {*found, true, false};
    }

    const QTextDocument& doc_;
    QFont base_;
    QHash<int, Measure> byFormat_;
    QHash<QString, LineTwips> byFont_;
};

// The height in twips of a line of `block` with a single line spacing; 0 when
// the block holds an object.
int SingleLineTwips(const QTextBlock& block, FormatMeasures& measures) {
    LineTwips line;
    bool any = false;
    const auto take = [&](int formatIndex) {
        const FormatMeasures::Measure& measure = measures.Of(formatIndex);
        if (measure.isObject)
            return false;
        if (measure.counts) {
            line.above = std::max(line.above, measure.line.above);
            line.below = std::max(line.below, measure.line.below);
            any = true;
        }
        return true;
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (!take(it.fragment().charFormatIndex()))
            return 0;
    }
    if (!any) // a paragraph without text of its own is as tall as its mark
        take(block.charFormatIndex());
    return line.above + line.below;
}

} // namespace

void UseWordProcessorLineHeights(QTextDocument& doc) {
    FormatMeasures measures(doc, doc.defaultFont());
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.lineHeightType() != QTextBlockFormat::SingleHeight)
            continue;
        const int twips = SingleLineTwips(block, measures);
        if (twips <= 0)
            continue;
        format.setLineHeight(qreal(twips) / kTwipsPerPixel, QTextBlockFormat::FixedHeight);
        QTextCursor(block).setBlockFormat(format);
    }
    edit.endEditBlock();
}

} // namespace vorn
