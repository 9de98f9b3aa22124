#include "output/save/saved_page.h"

#include <QPageSize>
#include <QSizeF>

#include <cmath>

namespace vorn {

RtfPage SavedPageOf(const PdfPageSetup& setup) {
    constexpr double kTwipsPerPoint = 20;
    constexpr double kTwipsPerMillimetre = 1440 / 25.4;
    const auto twips = [](qreal length, double perUnit) {
        return int(std::lround(length * perUnit));
    };
    // The paper as it is named, not as rounded to whole points (A4 is not
    // 595 x 842 points): millimetres are exact for every common paper.
    QSizeF paper = setup.layout.pageSize().size(QPageSize::Millimeter);
    if (setup.layout.orientation() == QPageLayout::Landscape)
        paper.transpose();
    const QMarginsF margins = setup.layout.margins(QPageLayout::Point);
    return {twips(paper.width(), kTwipsPerMillimetre), twips(paper.height(), kTwipsPerMillimetre),
            twips(margins.left(), kTwipsPerPoint),     twips(margins.right(), kTwipsPerPoint),
            twips(margins.top(), kTwipsPerPoint),      twips(margins.bottom(), kTwipsPerPoint)};
}

} // namespace vorn
