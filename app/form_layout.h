#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

namespace vorn {

// The window's design, in pixels at 96 dpi.
inline constexpr QSize kDesignClientSize(794, 522);
// The smallest window, frame included, and the frame the design assumes
// (4-pixel borders and a 30-pixel caption): the window manager's real frame
// is outside the program's control.
inline constexpr QSize kMinimumWindowSize(780, 560);
inline constexpr QSize kDesignFrameSize(8, 38);
inline constexpr QSize kMinimumClientSize = kMinimumWindowSize - kDesignFrameSize;

inline constexpr int kTitleBarHeight = 49;
inline constexpr int kSplitterHeight = 3;
inline constexpr int kExerciseBarHeight = 57;
inline constexpr int kFooterHeight = 16;
inline constexpr int kCommandBarHeight = 47;
inline constexpr int kDesignStatementHeight = 166;
inline constexpr int kMinimumStatementHeight = 50;

inline constexpr QSize kWaitPanelSize(505, 217);

inline const QColor kButtonFace(236, 233, 216);
inline const QColor kTitleFocusColour(255, 255, 202);

// The seven bands of the window, top to bottom.
struct Bands {
    QRect titleBar;
    QRect statement;
    QRect splitter;
    QRect exerciseBar;
    QRect answerKey;
    QRect footer;
    QRect commandBar;
};

// Stacks the bands in a client area: four at the top, two at the bottom and
// the answer key in between. The statement pane gets `statementHeight`, less
// when the answer key would otherwise go below zero, never less than 50.
Bands LayoutBands(const QSize& client, int statementHeight);

// The height the two panes share in a client area of that height (350 at
// the designed size); negative when the other bands do not fit.
int PaneRoom(int clientHeight);

// The tallest statement pane that still leaves room for every other band.
int MaximumStatementHeight(int clientHeight);

// The statement's height once the panes' room has gone from `roomThen` to
// `roomNow`: it keeps its share of the room, so that a taller window gives
// both panes more lines. The same room gives back `statementHeight` itself.
int ScaledStatementHeight(int statementHeight, int roomThen, int roomNow);

} // namespace vorn
