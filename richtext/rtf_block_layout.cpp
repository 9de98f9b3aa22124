#include "richtext/rtf_block_layout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace vorn {

namespace {

// A table whose width the pane leaves to its content takes the width of an
// A4 page's text (17 cm) in another reader.
constexpr int kDefaultTableTwips = 9638;

int Twips(qreal pixels, int low, int high) {
    if (!std::isfinite(pixels))
        return 0;
    return static_cast<int>(std::clamp<qreal>(std::round(pixels * kTwipsPerPixel), low, high));
}

int Length(qreal pixels) {
    return Twips(pixels, -kMaxLengthTwips, kMaxLengthTwips);
}

} // namespace

RtfParaProps ParaPropsOf(const QTextBlock& block, bool inTable) {
    const QTextBlockFormat format = block.blockFormat();
    RtfParaProps props;
    props.inTable = inTable;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignJustify)
        props.align = RtfParaProps::Align::Justify;
    else if (align & Qt::AlignHCenter)
        props.align = RtfParaProps::Align::Center;
    else if (align & (Qt::AlignRight))
        props.align = RtfParaProps::Align::Right;
    const qreal indentWidth = block.document() ? block.document()->indentWidth() : 40;
    qreal left = format.leftMargin() + format.indent() * indentWidth;
    if (const QTextList* list = block.textList())
        left += list->format().indent() * indentWidth;
    props.leftIndent = Length(left);
    props.rightIndent = Length(format.rightMargin());
    props.firstIndent = Length(format.textIndent());
    props.spaceBefore = Twips(format.topMargin(), 0, kMaxLengthTwips);
    props.spaceAfter = Twips(format.bottomMargin(), 0, kMaxLengthTwips);
    const qreal height = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (height > 0 && height != 100) {
            props.lineSpacing = static_cast<int>(
                std::clamp(std::lround(height * kTwipsPerLine / 100), 1L, long{kMaxLengthTwips}));
            props.lineMultiple = true;
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        props.lineSpacing = Twips(height, 0, kMaxLengthTwips);
        break;
    case QTextBlockFormat::FixedHeight:
        props.lineSpacing = -Twips(height, 0, kMaxLengthTwips);
        break;
    default:
        break;
    }
    return props;
}

QString ListMarkerOf(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list)
        return {};
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u2022 ");
    default:
        return list->itemText(block) + QLatin1Char(' ');
    }
}

RtfTableGeometry TableGeometryOf(const QTextDocument& doc, const QTextTable& table) {
    const QTextTableFormat format = table.format();
    RtfTableGeometry geometry;
    qreal page = kDefaultTableTwips;
    if (doc.pageSize().width() > 0)
        page = std::max<qreal>(1, (doc.pageSize().width() - 2 * doc.documentMargin()) *
                                      kTwipsPerPixel);
    qreal whole = page;
    const QTextLength width = format.width();
    if (width.type() == QTextLength::FixedLength)
        whole = width.rawValue() * kTwipsPerPixel;
    else if (width.type() == QTextLength::PercentageLength)
        whole = page * width.rawValue() / 100;

    const int columns = std::max(table.columns(), 1);
    const QList<QTextLength> constraints = format.columnWidthConstraints();
    std::vector<qreal> widths(static_cast<std::size_t>(columns), -1);
    qreal taken = 0;
    int open = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        qreal& w = widths[static_cast<std::size_t>(c)];
        if (length.type() == QTextLength::FixedLength)
            w = length.rawValue() * kTwipsPerPixel;
        else if (length.type() == QTextLength::PercentageLength)
            w = whole * length.rawValue() / 100;
        if (w < 0 || !std::isfinite(w)) {
            w = -1;
            ++open;
        } else {
            taken += w;
        }
    }
    // Columns the pane sizes itself share what the others leave.
    const qreal share = open > 0 ? std::max<qreal>(whole - taken, 0) / open : 0;
    qreal right = 0;
    int previous = 0;
    for (const qreal w : widths) {
        right += w < 0 ? share : w;
        // Every cell keeps some width: readers take equal edges as one cell.
        previous = std::max(Twips(right / kTwipsPerPixel, 0, kMaxLengthTwips),
                            std::min(previous + kTwipsPerPixel, kMaxLengthTwips));
        geometry.cellRight.push_back(previous);
    }
    geometry.gap = Twips(format.cellPadding(), 0, kMaxLengthTwips);
    if (format.border() > 0 && format.borderStyle() != QTextFrameFormat::BorderStyle_None)
        geometry.borderWidth = Twips(format.border(), 1, kMaxBorderTwips);
    return geometry;
}

} // namespace vorn
