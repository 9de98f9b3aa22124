#pragma once

#include "app/menu_button.h"
#include "exercises/sheet_look.h"

#include <QStringList>

class QAction;
class QActionGroup;

// The choice of the sheets' look, beside the question count: its menu holds
// "Standard" and "Adaptée", the type of the adapted sheets (OpenDyslexic
// only when it is installed) and the answer key's "Résultats encadrés". The
// button shows "Aa" and stays down while the layout is adapted.
class SheetLookButton : public MenuButton {
    Q_OBJECT
public:
    // `fonts`: the faces an adapted sheet may use, the default one first.
    explicit SheetLookButton(const QStringList& fonts, QWidget* parent = nullptr);

    vorn::SheetLook Look() const;
    // Shows `look`; a face that is not offered reads as the first one.
    void SetLook(const vorn::SheetLook& look);

    QAction* StandardAction() const { return standard_; }
    QAction* AdaptedAction() const { return adapted_; }
    QAction* BoxedResultsAction() const { return boxed_; }

    // The faces an adapted sheet may use on this system: Liberation Sans,
    // then OpenDyslexic when the font database has it.
    static QStringList AvailableFonts();

signals:
    // The teacher changed the look through the menu.
    void lookChosen();

private:
    void ShowLayout();

    QAction* standard_ = nullptr;
    QAction* adapted_ = nullptr;
    QActionGroup* fonts_ = nullptr;
    QAction* boxed_ = nullptr;
};
