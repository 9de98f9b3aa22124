#pragma once

#include <QPoint>

class QWidget;

// A top-level window's placement in the terms the settings file stores:
// flags, show state, minimised and maximised positions, and the normal
// rectangle as left, top, right, bottom (right and bottom exclusive).
struct WindowPlacement {
    static constexpr int kFlagSetMinPosition = 1;
    static constexpr int kFlagRestoreToMaximized = 2;

    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;

    int flags = 0;
    int showCmd = kShowNormal;
    QPoint minPosition;
    QPoint maxPosition;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The primary screen's size in pixels and its logical dots per inch.
struct ScreenMetrics {
    int width = 0;
    int height = 0;
    int pixelsPerInch = 96;
};

ScreenMetrics PrimaryScreenMetrics();

// The window's placement now. The normal rectangle is the window's client
// rectangle in its normal state (the frame belongs to the window manager and
// is unknown before the window is mapped, so storing the client rectangle is
// what lets a size come back unchanged). Qt reports no minimised or maximised
// positions; those are the values a never-moved window shows on Windows.
WindowPlacement GetWindowPlacement(const QWidget& window);

// Moves and sizes the window to the normal rectangle, fitted onto the screens
// of this run (FitOnScreens). The positions and flags have no counterpart in
// Qt and are left out; the show state is the caller's.
void SetWindowPlacement(QWidget& window, const WindowPlacement& placement);
