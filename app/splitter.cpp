#include "app/splitter.h"

#include <QMouseEvent>

TSplitter::TSplitter(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeVerCursor);
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    pressGlobalY_ = qRound(event->globalPosition().y());
    emit DragStarted();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        emit Dragged(qRound(event->globalPosition().y()) - pressGlobalY_);
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    emit Dragged(qRound(event->globalPosition().y()) - pressGlobalY_);
    dragging_ = false;
}
