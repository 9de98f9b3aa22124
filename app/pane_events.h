#pragma once

#include <QObject>

class QAbstractScrollArea;
class QEvent;

// Reports the mouse and drag events of a rich-text pane once the pane has
// handled them itself, the order in which the window's handlers expect them:
// a handler that moves the caret on a click must run after the click has
// placed it.
class PaneEvents : public QObject {
    Q_OBJECT
public:
    // Watches `pane`'s viewport; the object is a child of the pane.
    explicit PaneEvents(QAbstractScrollArea* pane);

signals:
    // Any button pressed (double clicks included), or released.
    void MouseDown();
    void MouseUp();
    void MouseMove();
    // Something dragged over the pane; `accept` holds the pane's own answer
    // and the handler may refuse the drop by clearing it.
    void DragOver(bool& accept);
    void DragDrop();
    // A drag that the pane started has ended.
    void EndDrag();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Forward(QObject* watched, QEvent* event);

    QAbstractScrollArea* pane_;
    // Kept apart: the filter also sees the viewport's last events while the
    // pane is being destroyed, when the pane can no longer be asked.
    QObject* viewport_;
    bool forwarding_ = false;
};
