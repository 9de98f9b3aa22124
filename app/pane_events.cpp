#include "app/pane_events.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QList>
#include <QPointer>

#include <algorithm>

PaneEvents::PaneEvents(QAbstractScrollArea* pane)
    : QObject(pane), pane_(pane), viewport_(pane->viewport()) {
    viewport_->installEventFilter(this);
}

void PaneEvents::Forward(QObject* watched, QEvent* event) {
    forwarding_ = true;
    QCoreApplication::sendEvent(watched, event);
    forwarding_ = false;
}

bool PaneEvents::eventFilter(QObject* watched, QEvent* event) {
    if (forwarding_ || watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Forward(watched, event);
        event->accept(); // already delivered, also to the parents
        emit MouseDown();
        return true;
    case QEvent::MouseButtonRelease:
        Forward(watched, event);
        event->accept();
        emit MouseUp();
        return true;
    case QEvent::MouseMove: {
        // The pane's own text dragging runs inside the move that starts it
        // and leaves its (not yet deleted) drag object behind.
        const QList<QDrag*> before = pane_->findChildren<QDrag*>();
        QPointer<QAbstractScrollArea> alive(pane_);
        Forward(watched, event);
        event->accept();
        if (!alive)
            return true;
        const QList<QDrag*> after = pane_->findChildren<QDrag*>();
        const bool dragEnded =
            std::any_of(after.begin(), after.end(), [&](QDrag* d) { return !before.contains(d); });
        emit MouseMove();
        if (dragEnded)
            emit EndDrag();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        Forward(watched, event);
        bool accept = event->isAccepted();
        emit DragOver(accept);
        event->setAccepted(accept);
        return true;
    }
    case QEvent::Drop:
        Forward(watched, event);
        emit DragDrop();
        return true;
    default:
        return false;
    }
}
