#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QSpinBox;

// The "Sujets différents" dialog: how many different sheets, whether their
// answer keys go with them, and whether to print them or save them as PDF.
class VariantSheetsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Cancel, Print, SavePdf };

    // `proposedCount` is brought within 1..200.
    VariantSheetsDialog(int proposedCount, QWidget* parent = nullptr);

    // Shows the dialog and returns the button that closed it.
    Choice Ask();

    int SheetCount() const;
    bool WithAnswerKeys() const;

    QSpinBox* CountEdit() const { return count_; }
    QCheckBox* AnswerKeysBox() const { return answerKeys_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* SavePdfButton() const { return savePdf_; }

private:
    QSpinBox* count_ = nullptr;
    QCheckBox* answerKeys_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* savePdf_ = nullptr;
    Choice choice_ = Choice::Cancel;
};
