#include "richtext/point_sized_font.h"

#include <cmath>

namespace vorn {

QFont PointSizedFont(const QFont& font) {
    qreal points = font.pointSizeF();
    if (font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    if (points <= 0)
        return font;
    QFont result(font);
    result.setPointSizeF(std::max<qreal>(1.0, std::round(points * 2) / 2));
    return result;
}

} // namespace vorn
