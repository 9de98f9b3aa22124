#pragma once

#include <QWidget>

// A thin horizontal bar that resizes the control above it: it reports how
// far it has been dragged since the button went down; the window decides what
// that means for its bands.
class PaneSplitter : public QWidget {
    Q_OBJECT
public:
    explicit PaneSplitter(QWidget* parent = nullptr);

signals:
    void DragStarted();
    // Vertical distance from the press, in pixels (negative upward).
    void Dragged(int totalDeltaY);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
    int pressGlobalY_ = 0;
};
