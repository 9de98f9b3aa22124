#pragma once

#include <QColor>
#include <QWidget>

// A rounded rectangle filled and outlined in one colour: the window's
// settings-changed marker.
class MarkerShape : public QWidget {
    Q_OBJECT
public:
    explicit MarkerShape(const QColor& colour, QWidget* parent = nullptr);
    QColor Colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};
