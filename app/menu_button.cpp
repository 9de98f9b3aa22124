#include "app/menu_button.h"

#include <QKeyEvent>
#include <QStyleOptionToolButton>

MenuButton::MenuButton(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setFocusPolicy(Qt::StrongFocus);
}

void MenuButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && menu() != nullptr) {
        showMenu();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void MenuButton::initStyleOption(QStyleOptionToolButton* option) const {
    QToolButton::initStyleOption(option);
    option->features &= ~QStyleOptionToolButton::HasMenu;
}
