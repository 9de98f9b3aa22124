#include "app/double_click_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>

DoubleClickGuard::DoubleClickGuard(QAbstractButton* button) : QObject(button) {
    button->installEventFilter(this);
}

bool DoubleClickGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<const QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            break;
        const quint64 at = press->timestamp();
        const bool second =
            lastPress_ && at >= *lastPress_ &&
            at - *lastPress_ < quint64(std::max(0, QApplication::doubleClickInterval()));
        // A third press as quick is still part of the same hurried click.
        lastPress_ = at;
        return second;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
