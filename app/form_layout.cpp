#include "app/form_layout.h"

#include <algorithm>

namespace vorn {

int MaximumStatementHeight(int clientHeight) {
    const int others =
        kTitleBarHeight + kSplitterHeight + kExerciseBarHeight + kFooterHeight + kCommandBarHeight;
    return std::max(kMinimumStatementHeight, clientHeight - others);
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
