#pragma once

#include "exercises/adapted_copies.h"

#include <QDialog>

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

// The "Sujets différents" dialog: how many different sheets, whether their
// answer keys go with them, and whether to print them or save them as PDF.
// When a set has already been drawn for the shown sheet, it names its sheets
// and proposes it again; a new set is drawn only when asked for, or when the
// number of sheets changes.
class VariantSheetsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Cancel, Print, SavePdf };

    // `proposedCount` is brought within 1..200. `keptReferences` are those of
    // the set drawn last for the shown sheet; empty when there is none. They
    // are summed up in a line (their count, the first and the last) above a
    // list of them all that scrolls, so that 200 take no more room than 2.
    // `firstSheetEdited` says that the sheet on screen is no longer as it was
    // made; as sheet 1 of every set, it goes out as it is, and the dialog says so.
    VariantSheetsDialog(int proposedCount, const QStringList& keptReferences = {},
                        QWidget* parent = nullptr, bool firstSheetEdited = false);

    // Shows the dialog and returns the button that closed it.
    Choice Ask();

    int SheetCount() const;
    bool WithAnswerKeys() const;
    // True when a new set must be drawn rather than the kept one used.
    bool NewDraw() const;
    // How many of the sheets are adapted copies, and the share of questions
    // they keep; the dialog offers them at the end of the set.
    vorn::AdaptedCopies Adapted() const;
    // Shows the adapted copies of the kept set (before the first Ask).
    void SetAdapted(const vorn::AdaptedCopies& adapted);

    QSpinBox* CountEdit() const { return count_; }
    QCheckBox* AnswerKeysBox() const { return answerKeys_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* SavePdfButton() const { return savePdf_; }
    QCheckBox* NewDrawBox() const { return newDraw_; }
    QLabel* KeptSetLabel() const { return kept_; }
    QListWidget* KeptSetList() const { return keptList_; }
    QLabel* EditedNote() const { return edited_; }
    QSpinBox* AdaptedCountEdit() const { return adaptedCount_; }
    QComboBox* ShareBox() const { return share_; }

private:
    QSpinBox* count_ = nullptr;
    QCheckBox* answerKeys_ = nullptr;
    QCheckBox* newDraw_ = nullptr;
    QLabel* kept_ = nullptr;
    QListWidget* keptList_ = nullptr;
    QLabel* edited_ = nullptr;
    QSpinBox* adaptedCount_ = nullptr;
    QComboBox* share_ = nullptr;
    int keptCount_ = 0;
    vorn::AdaptedCopies keptAdapted_; // those of the kept set
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    Choice choice_ = Choice::Cancel;
};
