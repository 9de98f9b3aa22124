#include "richtext/highlight_colours.h"

#include <limits>

namespace vorn {

namespace {

constexpr QRgb kHighlightColours[] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

} // namespace

QColor NearestHighlightColour(const QColor& colour) {
    const QRgb rgb = colour.rgb();
    QRgb nearest = kHighlightColours[0];
    int best = std::numeric_limits<int>::max();
    for (const QRgb candidate : kHighlightColours) {
        const int dr = qRed(candidate) - qRed(rgb);
        const int dg = qGreen(candidate) - qGreen(rgb);
        const int db = qBlue(candidate) - qBlue(rgb);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return QColor(nearest);
}

} // namespace vorn
