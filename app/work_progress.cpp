#include "app/work_progress.h"

#include <QProgressDialog>

WorkProgress::WorkProgress(QWidget* parent, const QString& label, int steps)
    : dialog_(std::make_unique<QProgressDialog>(label, QStringLiteral("Annuler"), 0,
                                                std::max(steps, 1), parent)) {
    dialog_->setWindowTitle(QStringLiteral("VORN"));
    // Only the main window waits; the dialog's own button stays usable.
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(showAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
}

WorkProgress::~WorkProgress() = default;

vorn::ProgressTick WorkProgress::Tick() {
    return [this] {
        if (dialog_->wasCanceled())
            return false;
        dialog_->setValue(std::min(++done_, dialog_->maximum()));
        return !dialog_->wasCanceled();
    };
}

void WorkProgress::NoLongerCancellable(const QString& label) {
    dialog_->setLabelText(label);
    dialog_->setCancelButton(nullptr);
}
