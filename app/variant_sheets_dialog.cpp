#include "app/variant_sheets_dialog.h"

#include "exercises/sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

VariantSheetsDialog::VariantSheetsDialog(int proposedCount, const QStringList& keptReferences,
                                         QWidget* parent, bool firstSheetEdited)
    : QDialog(parent), keptCount_(static_cast<int>(keptReferences.size())) {
    setWindowTitle(QStringLiteral("Sujets différents"));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("sheetCount"));
    count_->setRange(1, vorn::kMaxSheetSetSize);
    count_->setValue(keptCount_ > 0 ? keptCount_
                                    : std::clamp(proposedCount, 1, vorn::kMaxSheetSetSize));
    count_->setToolTip(QStringLiteral("Chaque élève reçoit un sujet différent du même type"));
    answerKeys_ = new QCheckBox(QStringLiteral("Avec les corrigés, dans le même ordre"), this);
    answerKeys_->setObjectName(QStringLiteral("withAnswerKeys"));
    answerKeys_->setChecked(true);

    // The sheets printed or saved last stay the same until a new set is asked
    // for, so that their answer keys can still be had.
    kept_ = new QLabel(this);
    kept_->setObjectName(QStringLiteral("keptSet"));
    if (keptCount_ == 1)
        kept_->setText(QStringLiteral("Série déjà tirée : 1 sujet, ") + keptReferences.first());
    else if (keptCount_ > 1)
        kept_->setText(QStringLiteral("Série déjà tirée : %1 sujets, de %2 à %3")
                           .arg(keptCount_)
                           .arg(keptReferences.first(), keptReferences.last()));
    kept_->setVisible(keptCount_ > 0);
    keptList_ = new QListWidget(this);
    keptList_->setObjectName(QStringLiteral("keptSetList"));
    keptList_->addItems(keptReferences);
    keptList_->setSelectionMode(QAbstractItemView::NoSelection);
    keptList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    keptList_->setFixedHeight(keptList_->fontMetrics().height() * 6 + 2 * keptList_->frameWidth() +
                              6);
    keptList_->setVisible(keptCount_ > 1);
    edited_ = new QLabel(
        QStringLiteral("La feuille 1 a été modifiée à l'écran : elle est imprimée telle quelle"),
        this);
    edited_->setObjectName(QStringLiteral("firstSheetEdited"));
    edited_->setWordWrap(true);
    edited_->setVisible(firstSheetEdited);
    newDraw_ = new QCheckBox(QStringLiteral("Nouveau tirage"), this);
    newDraw_->setObjectName(QStringLiteral("newDraw"));
    newDraw_->setToolTip(QStringLiteral("Tirer d'autres sujets au lieu de reprendre la série"));
    newDraw_->setChecked(keptCount_ == 0);
    newDraw_->setEnabled(keptCount_ > 0);
    newDraw_->setVisible(keptCount_ > 0);
    // Another number of sheets is another set.
    connect(count_, &QSpinBox::valueChanged, this, [this](int count) {
        if (keptCount_ == 0)
            return;
        newDraw_->setEnabled(count == keptCount_);
        newDraw_->setChecked(count != keptCount_);
    });

    // Adapted copies for the pupils whose plan asks for them, at the end of
    // the set: the sheet on screen stays the first one.
    adaptedCount_ = new QSpinBox(this);
    adaptedCount_->setObjectName(QStringLiteral("adaptedCount"));
    adaptedCount_->setRange(0, count_->value() - 1);
    adaptedCount_->setToolTip(
        QStringLiteral("Les sujets adaptés (police 14 pt, interligne 1,5, place pour écrire, "
                       "moins de questions) viennent en dernier, chacun avec son corrigé"));
    share_ = new QComboBox(this);
    share_->setObjectName(QStringLiteral("questionShare"));
    const struct {
        const char* caption;
        vorn::QuestionShare share;
    } shares[] = {{"Toutes", {1, 1}},
                  {"Les trois quarts", {3, 4}},
                  {"Les deux tiers", {2, 3}},
                  {"La moitié", {1, 2}}};
    for (const auto& entry : shares)
        share_->addItem(QString::fromUtf8(entry.caption),
                        QList<QVariant>{entry.share.kept, entry.share.of});
    share_->setCurrentIndex(2);
    share_->setToolTip(QStringLiteral("Au moins une question par exercice"));
    share_->setEnabled(false);
    connect(count_, &QSpinBox::valueChanged, this,
            [this](int count) { adaptedCount_->setMaximum(count - 1); });
    connect(adaptedCount_, &QSpinBox::valueChanged, this,
            [this](int adapted) { share_->setEnabled(adapted > 0); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nombre de sujets différents :"), count_);
    form->addRow(QStringLiteral("dont sujets &adaptés :"), adaptedCount_);
    form->addRow(QStringLiteral("&Questions gardées pour eux :"), share_);
    form->addRow(answerKeys_);
    form->addRow(kept_);
    form->addRow(keptList_);
    form->addRow(newDraw_);
    form->addRow(edited_);

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

    // The two counts one after the other, as they are read.
    setTabOrder(count_, adaptedCount_);
    setTabOrder(adaptedCount_, share_);
    setTabOrder(share_, answerKeys_);

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

bool VariantSheetsDialog::NewDraw() const {
    return keptCount_ == 0 || count_->value() != keptCount_ || newDraw_->isChecked() ||
           Adapted() != keptAdapted_;
}

vorn::AdaptedCopies VariantSheetsDialog::Adapted() const {
    const QList<QVariant> share = share_->currentData().toList();
    return {adaptedCount_->value(), {share.value(0).toInt(), share.value(1).toInt()}};
}

void VariantSheetsDialog::SetAdapted(const vorn::AdaptedCopies& adapted) {
    keptAdapted_ = adapted;
    adaptedCount_->setValue(adapted.count);
    for (int i = 0; i < share_->count(); ++i) {
        const QList<QVariant> share = share_->itemData(i).toList();
        if (share.value(0).toInt() == adapted.share.kept &&
            share.value(1).toInt() == adapted.share.of)
            share_->setCurrentIndex(i);
    }
}
