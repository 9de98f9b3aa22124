#include "app/composition_dialog.h"

#include "exercises/family_table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Where a row keeps its exercise.
constexpr int kFamilyRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kCountRole = Qt::UserRole + 2;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const vorn::ExerciseFamily* FamilyAt(int index) {
    const auto families = vorn::ExerciseFamilies();
    return index >= 0 && index < static_cast<int>(families.size())
               ? &families[static_cast<std::size_t>(index)]
               : nullptr;
}

int FamilyIndex(const vorn::ExerciseFamily* family) {
    const auto families = vorn::ExerciseFamilies();
    for (std::size_t i = 0; i < families.size(); ++i)
        if (&families[i] == family)
            return static_cast<int>(i);
    return 0;
}

vorn::ComposedExercise ExerciseOf(const QListWidgetItem* item) {
    return {FamilyAt(item->data(kFamilyRole).toInt()), item->data(kLevelRole).toInt(),
            item->data(kCountRole).toInt()};
}

QString LevelCaption(const vorn::ExerciseFamily& family, int level) {
    return family.levels.empty() ? QStringLiteral("Niveau 1")
                                 : Utf8(family.levels[static_cast<std::size_t>(level - 1)]);
}

} // namespace

CompositionDialog::CompositionDialog(const vorn::Composition& start, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Feuille composée"));

    rows_ = new QListWidget(this);
    rows_->setAccessibleName(QStringLiteral("Exercices de la feuille"));
    rows_->setDragDropMode(QAbstractItemView::InternalMove);
    rows_->setDefaultDropAction(Qt::MoveAction);
    // A row names the family, its level's caption and the count: wide enough
    // for the longest captions to be read without scrolling sideways.
    rows_->setMinimumWidth(640);

    family_ = new QComboBox(this);
    for (const vorn::ExerciseFamily& family : vorn::ExerciseFamilies())
        family_->addItem(Utf8(family.caption));
    level_ = new QComboBox(this);
    count_ = new QSpinBox(this);
    count_->setRange(1, vorn::kMaxQuestionCount);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Famille :"), family_);
    form->addRow(QStringLiteral("&Niveau :"), level_);
    form->addRow(QStringLiteral("&Questions :"), count_);

    add_ = new QPushButton(QStringLiteral("&Ajouter"), this);
    remove_ = new QPushButton(QStringLiteral("&Supprimer"), this);
    up_ = new QPushButton(QStringLiteral("&Monter"), this);
    down_ = new QPushButton(QStringLiteral("&Descendre"), this);
    up_->setToolTip(QStringLiteral("Ctrl+Haut"));
    down_->setToolTip(QStringLiteral("Ctrl+Bas"));
    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b : {add_, remove_, up_, down_}) {
        b->setAutoDefault(false);
        rowButtons->addWidget(b);
    }

    total_ = new QLabel(this);
    auto* buttons = new QDialogButtonBox(this);
    create_ = buttons->addButton(QStringLiteral("Créer"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    create_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rows_);
    layout->addLayout(rowButtons);
    layout->addLayout(form);
    layout->addWidget(total_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rows_, &QListWidget::currentRowChanged, this, [this] { ShowRow(); });
    // A drag moves the row's item: the list changes under the same rows.
    connect(rows_->model(), &QAbstractItemModel::rowsMoved, this, [this] { Refresh(); });
    connect(family_, &QComboBox::currentIndexChanged, this, [this] { StoreRow(); });
    connect(level_, &QComboBox::currentIndexChanged, this, [this] { StoreRow(); });
    connect(count_, &QSpinBox::valueChanged, this, [this] { StoreRow(); });
    connect(add_, &QPushButton::clicked, this, [this] {
        const int row = rows_->currentRow();
        AddRow(row >= 0 ? ExerciseOf(rows_->item(row))
                        : vorn::ComposedExercise{&vorn::ExerciseFamilies()[0], 1, 10});
        rows_->setCurrentRow(rows_->count() - 1);
        Refresh();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        delete rows_->takeItem(rows_->currentRow());
        Refresh();
        ShowRow();
    });
    connect(up_, &QPushButton::clicked, this, [this] { MoveRow(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveRow(1); });
    rows_->installEventFilter(this);

    for (const vorn::ComposedExercise& exercise : start.exercises)
        AddRow(exercise);
    rows_->setCurrentRow(rows_->count() > 0 ? 0 : -1);
    Refresh();
    ShowRow();
}

bool CompositionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The list would take Ctrl+Up and Ctrl+Down as moves of its current row
    // alone: in it, they move the exercise, and Delete removes it.
    if (watched == rows_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() == Qt::ControlModifier;
        if (ctrl && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            MoveRow(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            remove_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

vorn::Composition CompositionDialog::Result() const {
    vorn::Composition composition;
    for (int i = 0; i < rows_->count(); ++i)
        composition.exercises.push_back(ExerciseOf(rows_->item(i)));
    return composition;
}

void CompositionDialog::AddRow(const vorn::ComposedExercise& exercise) {
    auto* item = new QListWidgetItem(rows_);
    item->setData(kFamilyRole, FamilyIndex(exercise.family));
    item->setData(kLevelRole, exercise.level);
    item->setData(kCountRole, exercise.questionCount);
}

void CompositionDialog::ShowRow() {
    QListWidgetItem* item = rows_->currentItem();
    for (QWidget* w : {static_cast<QWidget*>(family_), static_cast<QWidget*>(level_),
                       static_cast<QWidget*>(count_), static_cast<QWidget*>(remove_)})
        w->setEnabled(item != nullptr);
    if (item == nullptr)
        return;
    showing_ = true;
    const vorn::ComposedExercise e = ExerciseOf(item);
    family_->setCurrentIndex(FamilyIndex(e.family));
    level_->clear();
    for (int level = 1; level <= e.family->LevelCount(); ++level)
        level_->addItem(LevelCaption(*e.family, level));
    level_->setCurrentIndex(e.level - 1);
    count_->setValue(e.questionCount);
    showing_ = false;
    Refresh();
}

void CompositionDialog::StoreRow() {
    QListWidgetItem* item = rows_->currentItem();
    if (showing_ || item == nullptr)
        return;
    const bool newFamily = item->data(kFamilyRole).toInt() != family_->currentIndex();
    item->setData(kFamilyRole, family_->currentIndex());
    item->setData(kLevelRole, newFamily ? 1 : level_->currentIndex() + 1);
    item->setData(kCountRole, count_->value());
    if (newFamily)
        ShowRow(); // its levels
    Refresh();
}

void CompositionDialog::MoveRow(int step) {
    const int row = rows_->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= rows_->count())
        return;
    QListWidgetItem* item = rows_->takeItem(row);
    rows_->insertItem(to, item);
    rows_->setCurrentRow(to);
    Refresh();
}

void CompositionDialog::Refresh() {
    for (int i = 0; i < rows_->count(); ++i) {
        QListWidgetItem* item = rows_->item(i);
        const vorn::ComposedExercise e = ExerciseOf(item);
        item->setText(QStringLiteral("Exercice %1 : %2 — %3 — %4 question%5")
                          .arg(i + 1)
                          .arg(Utf8(e.family->caption), LevelCaption(*e.family, e.level))
                          .arg(e.questionCount)
                          .arg(e.questionCount > 1 ? QStringLiteral("s") : QString()));
    }
    const vorn::Composition composition = Result();
    const std::string problem = vorn::CompositionProblem(composition);
    QString total = QStringLiteral("Total : %1 question%2 (au plus %3)")
                        .arg(composition.QuestionCount())
                        .arg(composition.QuestionCount() > 1 ? QStringLiteral("s") : QString())
                        .arg(vorn::kMaxComposedQuestions);
    if (!problem.empty())
        total += QStringLiteral("\n") + QString::fromStdString(problem);
    total_->setText(total);
    create_->setEnabled(problem.empty());
    add_->setEnabled(rows_->count() < vorn::kMaxComposedExercises);
    up_->setEnabled(rows_->currentRow() > 0);
    down_->setEnabled(rows_->currentRow() >= 0 && rows_->currentRow() + 1 < rows_->count());
}
