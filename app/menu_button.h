#pragma once

#include <QToolButton>

// A button that only opens its menu: by a click, by Space as any button, and
// also by Enter, which a keyboard user expects of a control that shows a list.
// The menu itself is driven with the arrow keys.
class MenuButton : public QToolButton {
    Q_OBJECT
public:
    explicit MenuButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The button's own arrow says that it opens a menu: no second, smaller
    // arrow in its corner.
    void initStyleOption(QStyleOptionToolButton* option) const override;
};
