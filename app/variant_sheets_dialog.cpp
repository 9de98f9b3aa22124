#include "app/variant_sheets_dialog.h"

#include "exercises/sheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

VariantSheetsDialog::VariantSheetsDialog(int proposedCount, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sujets différents"));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("sheetCount"));
    count_->setRange(1, vorn::kMaxSheetSetSize);
    count_->setValue(std::clamp(proposedCount, 1, vorn::kMaxSheetSetSize));
    count_->setToolTip(QStringLiteral("Chaque élève reçoit un sujet différent du même type"));
    answerKeys_ = new QCheckBox(QStringLiteral("Avec les corrigés, dans le même ordre"), this);
    answerKeys_->setObjectName(QStringLiteral("withAnswerKeys"));
    answerKeys_->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nombre de sujets différents :"), count_);
    form->addRow(answerKeys_);

    auto* buttons = new QDialogButtonBox(this);
    print_ = buttons->addButton(QStringLiteral("Imprimer"), QDialogButtonBox::AcceptRole);
    savePdf_ =
        buttons->addButton(QStringLiteral("Enregistrer en PDF…"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    print_->setDefault(true);
    connect(print_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::Print;
        accept();
    });
    connect(savePdf_, &QPushButton::clicked, this, [this] {
        choice_ = Choice::SavePdf;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

VariantSheetsDialog::Choice VariantSheetsDialog::Ask() {
    choice_ = Choice::Cancel;
    return exec() == QDialog::Accepted ? choice_ : Choice::Cancel;
}

int VariantSheetsDialog::SheetCount() const {
    return count_->value();
}

bool VariantSheetsDialog::WithAnswerKeys() const {
    return answerKeys_->isChecked();
}
