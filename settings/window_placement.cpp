#include "settings/window_placement.h"

#include "settings/screen_fit.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <vector>

namespace {

const QPoint kUnreportedMinPosition(-1, -1);
const QPoint kUnreportedMaxPosition(-4, -4);

} // namespace

ScreenMetrics PrimaryScreenMetrics() {
    ScreenMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.width = screen->size().width();
        metrics.height = screen->size().height();
        metrics.pixelsPerInch = static_cast<int>(std::lround(screen->logicalDotsPerInch()));
    }
    return metrics;
}

WindowPlacement GetWindowPlacement(const QWidget& window) {
    WindowPlacement placement;
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        placement.showCmd = WindowPlacement::kShowMinimized;
        // Qt keeps the maximised bit while a maximised window is minimised:
        // restoring it brings the window back maximised.
        if (state & Qt::WindowMaximized)
            placement.flags |= WindowPlacement::kFlagRestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        placement.showCmd = WindowPlacement::kShowMaximized;
    }
    placement.minPosition = kUnreportedMinPosition;
    placement.maxPosition = kUnreportedMaxPosition;

    QRect normal = window.isWindow() ? window.normalGeometry() : QRect();
    if (normal.isEmpty())
        normal = window.geometry();
    placement.left = normal.x();
    placement.top = normal.y();
    placement.right = normal.x() + normal.width();
    placement.bottom = normal.y() + normal.height();
    return placement;
}

void SetWindowPlacement(QWidget& window, const WindowPlacement& placement) {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    window.setGeometry(
        FitOnScreens(placement.left, placement.top, placement.right, placement.bottom, areas));
}
