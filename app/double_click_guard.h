#pragma once

#include <QObject>

#include <optional>

class QAbstractButton;

// Makes a button take a double click as one press. The window system stamps
// each press with the time it was made; a press that comes within the
// double-click time of the one before it is the second half of a double
// click, whenever it is read (a long command may hold it back for seconds),
// and does not reach the button, nor does the double-click event that follows
// it. A press after that time is a press of its own.
class DoubleClickGuard : public QObject {
public:
    // Watches `button`, whose child it becomes.
    explicit DoubleClickGuard(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<quint64> lastPress_;
};
