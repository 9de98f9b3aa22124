#include "settings/screen_fit.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// A rectangle in 64-bit arithmetic, where no sum of two stored integers can
// overflow.
struct Box {
    std::int64_t left;
    std::int64_t top;
    std::int64_t width;
    std::int64_t height;
    std::int64_t right() const { return left + width; }
    std::int64_t bottom() const { return top + height; }
};

Box BoxOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

std::int64_t Gap(std::int64_t lo1, std::int64_t hi1, std::int64_t lo2, std::int64_t hi2) {
    return std::max<std::int64_t>({0, lo2 - hi1, lo1 - hi2});
}

// How far apart two rectangles lie: 0 when they touch or overlap.
std::int64_t Distance(const Box& a, const Box& b) {
    return Gap(a.left, a.right(), b.left, b.right()) + Gap(a.top, a.bottom(), b.top, b.bottom());
}

bool Overlaps(const Box& a, const Box& b) {
    // A window of no height still shows its frame: count it as one pixel.
    const std::int64_t height = std::max<std::int64_t>(a.height, 1);
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.top + height;
}

int Clamped(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

} // namespace

QRect FitOnScreens(int left, int top, int right, int bottom, const std::vector<QRect>& areas) {
    Box window{left, top, std::int64_t{right} - left,
               std::max<std::int64_t>(std::int64_t{bottom} - top, 0)};
    if (areas.empty())
        return QRect(left, top, Clamped(window.width), Clamped(window.height));

    const QRect* nearest = &areas.front();
    for (const QRect& area : areas) {
        if (Distance(window, BoxOf(area)) < Distance(window, BoxOf(*nearest)))
            nearest = &area;
    }
    const Box target = BoxOf(*nearest);
    window.width = std::min(window.width, target.width);
    window.height = std::min(window.height, target.height);

    const bool visible = std::any_of(areas.begin(), areas.end(), [&](const QRect& area) {
        return Overlaps(window, BoxOf(area));
    });
    if (!visible) {
        window.left = std::clamp(window.left, target.left, target.right() - window.width);
        window.top = std::clamp(window.top, target.top, target.bottom() - window.height);
    }
    return QRect(Clamped(window.left), Clamped(window.top), Clamped(window.width),
                 Clamped(window.height));
}
