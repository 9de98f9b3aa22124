#pragma once

#include "exercises/composition.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

// "Feuille composée" : the exercises of a composed sheet, one row each
// (family, level, question count), added, removed and put in order by the
// buttons, by Ctrl+Up, Ctrl+Down and Delete in the list, or by dragging a
// row. The row chosen in the list is edited by the three controls under it;
// the total is shown, and "Créer" is only offered for a composition that can
// make a sheet.
class CompositionDialog : public QDialog {
    Q_OBJECT

public:
    CompositionDialog(const vorn::Composition& start, QWidget* parent = nullptr);

    // The rows as they stand, in order.
    vorn::Composition Result() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddRow(const vorn::ComposedExercise& exercise);
    void ShowRow();  // the current row into the three controls
    void StoreRow(); // the three controls into the current row
    void MoveRow(int step);
    void Refresh(); // captions, total, buttons

    QListWidget* rows_;
    QComboBox* family_;
    QComboBox* level_;
    QSpinBox* count_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QLabel* total_;
    QPushButton* create_;
    bool showing_ = false;
};
