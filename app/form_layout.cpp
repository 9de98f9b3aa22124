#include "app/form_layout.h"

#include <algorithm>
#include <limits>

namespace vorn {

int PaneRoom(int clientHeight) {
    const int others =
        kTitleBarHeight + kSplitterHeight + kExerciseBarHeight + kFooterHeight + kCommandBarHeight;
    return clientHeight - others;
}

int MaximumStatementHeight(int clientHeight) {
    return std::max(kMinimumStatementHeight, PaneRoom(clientHeight));
}

int ScaledStatementHeight(int statementHeight, int roomThen, int roomNow) {
    if (roomThen <= 0 || roomNow == roomThen)
        return statementHeight;
    // Rounded to the nearest pixel, in 64 bits: the product of two heights
    // may not fit in an int.
    const long long scaled =
        (2LL * statementHeight * std::max(roomNow, 0) + roomThen) / (2LL * roomThen);
    return static_cast<int>(std::min<long long>(scaled, std::numeric_limits<int>::max()));
}

Bands LayoutBands(const QSize& client, int statementHeight) {
    const int w = client.width();
    const int h = client.height();
    const int statement =
        std::clamp(statementHeight, kMinimumStatementHeight, MaximumStatementHeight(h));
    Bands b;
    int top = 0;
    b.titleBar = QRect(0, top, w, kTitleBarHeight);
    top += kTitleBarHeight;
    b.statement = QRect(0, top, w, statement);
    top += statement;
    b.splitter = QRect(0, top, w, kSplitterHeight);
    top += kSplitterHeight;
    b.exerciseBar = QRect(0, top, w, kExerciseBarHeight);
    top += kExerciseBarHeight;

    int bottom = h;
    b.commandBar = QRect(0, bottom - kCommandBarHeight, w, kCommandBarHeight);
    bottom -= kCommandBarHeight;
    b.footer = QRect(0, bottom - kFooterHeight, w, kFooterHeight);
    bottom -= kFooterHeight;
    b.answerKey = QRect(0, top, w, std::max(0, bottom - top));
    return b;
}

} // namespace vorn
