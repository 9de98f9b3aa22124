#include "app/marker_shape.h"

#include <QPainter>

MarkerShape::MarkerShape(const QColor& colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {}

void MarkerShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour_);
    painter.setBrush(colour_);
    // Corners a quarter of the shorter side, like the classic rounded shape.
    const qreal radius = qMin(width(), height()) / 4.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
