#pragma once

#include "output/pages/progress_tick.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// Progress of a long command of the window: a dialog with a bar and an
// "Annuler" button, shown only when the work lasts more than half a second.
// It goes when the object does.
class WorkProgress {
public:
    WorkProgress(QWidget* parent, const QString& label, int steps);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    static constexpr int kShowAfterMs = 500;
    // The delay the dialogs made from now on wait before showing. Tests set it
    // to 0: the dialog is then there from the first step, however fast the
    // machine gets through the work.
    static inline int showAfterMs = kShowAfterMs;

    // Moves the bar one step on; answers false once the user has cancelled.
    vorn::ProgressTick Tick();
    // From here on the work cannot stop halfway: the cancel button goes and
    // the label says what is happening.
    void NoLongerCancellable(const QString& label);

private:
    std::unique_ptr<QProgressDialog> dialog_;
    int done_ = 0;
};
