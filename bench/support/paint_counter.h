#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace vorn::bench {

// Counts the paint events that reach the watched widgets, so that a benchmark
// can tell that what it timed was really drawn.
class PaintCounter : public QObject {
public:
    void Watch(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count_;
        return QObject::eventFilter(watched, event);
    }

private:
    int count_ = 0;
};

} // namespace vorn::bench
