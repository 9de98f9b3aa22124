#include "app/pane_splitter.h"

#include <QMouseEvent>

PaneSplitter::PaneSplitter(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeVerCursor);
}

void PaneSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    pressGlobalY_ = qRound(event->globalPosition().y());
    emit DragStarted();
}

void PaneSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        emit Dragged(qRound(event->globalPosition().y()) - pressGlobalY_);
}

void PaneSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    emit Dragged(qRound(event->globalPosition().y()) - pressGlobalY_);
    dragging_ = false;
}
