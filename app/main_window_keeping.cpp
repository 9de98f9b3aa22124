// What brings a sheet back: "Ouvrir…", the recipe the saved files carry, and
// the session kept from one run to the next.
#include "app/main_window.h"

#include "app/saved_sheet_reader.h"
#include "exercises/saved_recipe.h"
#include "output/preview/preview_box.h"
#include "output/save/sheet_files.h"
#include "output/save/working_folder.h"
#include "output/sets/sheet_set.h"
#include "richtext/rich_text_pane.h"
#include "settings/session_file.h"
#include "text/cp1252.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>

#include <iostream>

void MainWindow::CreateOpenCommand() {
    // As "Imprimer" holds "Sujets différents…", "Enregistrer" holds its
    // counterpart inside its right edge, so that the command bar keeps its design.
    saveMenuButton = new QToolButton(saveButton);
    saveMenuButton->setObjectName(QStringLiteral("saveMenuButton"));
    saveMenuButton->setArrowType(Qt::DownArrow);
    saveMenuButton->setAutoRaise(true);
    saveMenuButton->setPopupMode(QToolButton::InstantPopup);
    saveMenuButton->setToolTip(QStringLiteral("Ouvrir une feuille enregistrée (Ctrl+O)"));
    saveMenuButton->setGeometry(saveButton->width() - 17, 3, 14, saveButton->height() - 6);
    auto* menu = new QMenu(saveMenuButton);
    openSheetAction = menu->addAction(QStringLiteral("Ouvrir…"));
    openSheetAction->setObjectName(QStringLiteral("openSheetAction"));
    openSheetAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveMenuButton->setMenu(menu);
    // The window holds it too, so that Ctrl+O works with the menu closed.
    addAction(openSheetAction);
    connect(openSheetAction, &QAction::triggered, this, &MainWindow::openSheet);
    for (const auto& [kind, action] : familyActions_)
        action->setCheckable(true);
}

std::string MainWindow::shownRecipeText() const {
    if (!state.LastSheetRecipe || state.ShownSeeds.empty())
        return {};
    return vorn::RecipeText({*state.LastSheetRecipe, state.SheetSettings, state.ShownSeeds});
}

void MainWindow::markMenuKind(const vorn::SheetRecipe& recipe) {
    const vorn::SheetKind* kind = recipe.Kind();
    if (kind == nullptr || familyAction(*kind) == nullptr)
        return;
    state.LastMenuKind = *kind;
    for (const auto& [actionKind, action] : familyActions_)
        action->setChecked(actionKind.family == kind->family && actionKind.level == kind->level);
}

void MainWindow::openSheet() {
    if (!MayReplaceSheet())
        return;
    QFileDialog dialog(this, QStringLiteral("Ouvrir une feuille"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Feuilles (*.rtf *.pdf)"), QStringLiteral("Tous les fichiers (*)")});
    dialog.setDirectory(vorn::SaveDialogFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    openSheetFile(dialog.selectedFiles().first());
}

bool MainWindow::openSheetFile(const QString& fileName) {
    vorn::OpenedSheet opened;
    try {
        opened = vorn::ReadSavedSheet(fileName);
    } catch (const std::exception& error) {
        ShowError(error);
        return false;
    }
    previewBox->hide();
    generating_ = true;
    statementPane->SetText(opened.statement);
    answerKeyPane->SetText(opened.answerKey);
    generating_ = false;
    showSheetOf(opened.reference, opened.recipe);
    // The next save dialog opens where the sheet was found, under its name.
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    ShowStatus(opened.note.isEmpty()
                   ? QStringLiteral("Ouvert : %1").arg(QFileInfo(fileName).fileName())
                   : opened.note);
    return true;
}

void MainWindow::showSheetOf(const std::string& reference,
                             const std::optional<vorn::SavedRecipe>& recipe) {
    state.SheetReference = reference;
    referenceEdit->setText(QString::fromStdString(vorn::Cp1252ToUtf8(reference)));
    state.LastSheetSet.reset();
    if (recipe) {
        state.LastSheetRecipe = recipe->recipe;
        state.SheetSettings = recipe->settings;
        state.ShownSeeds = recipe->seeds;
        state.QuestionCount = recipe->settings.questionCount;
    } else {
        state.LastSheetRecipe.reset();
        state.ShownSeeds.clear();
    }
    variantSheetsAction->setEnabled(state.LastSheetRecipe.has_value());
    const bool hasText = !statementPane->IsEmpty();
    saveButton->setEnabled(hasText);
    printButton->setEnabled(hasText);
    previewButton->setEnabled(hasText);
}

QString MainWindow::proposedSetFileName(const QString& reference, int count, bool newDraw) const {
    const QString name = vorn::SheetSetFileName(reference, count);
    if (!newDraw)
        return name;
    // A new set under the name of one already saved would replace the keys of
    // sheets already handed out with one "Oui": the name is made new too.
    const QString folder = vorn::SaveDialogFolder() + u'/';
    const auto taken = [&folder](const QString& candidate) {
        return QFileInfo::exists(folder + candidate) ||
               QFileInfo::exists(folder + vorn::AnswerKeyFileNameFor(candidate));
    };
    const QString stem = name.chopped(4); // without ".pdf"
    QString candidate = name;
    for (int n = 2; taken(candidate) && n < 1000; ++n)
        candidate = stem + QStringLiteral("-%1.pdf").arg(n);
    return candidate;
}

// --- Session

void MainWindow::useSessionFile(const QString& fileName, bool restoreSheet) {
    sessionFileName_ = fileName;
    const std::optional<vorn::Session> session = vorn::ReadSessionFile(fileName);
    if (!session)
        return;
    if (!session->printer.empty())
        state.Printer.UseQueue(QString::fromStdString(session->printer));
    state.LastSetSize = session->setSize;
    if (const vorn::ExerciseFamily* family = vorn::FindFamily(session->family))
        markMenuKind(vorn::SheetKind{family, session->level});
    if (!restoreSheet || session->statement.empty())
        return;
    std::optional<vorn::SavedRecipe> recipe;
    if (!session->recipe.empty()) {
        try {
            recipe = vorn::ParseRecipeText(session->recipe);
        } catch (const std::exception&) {
            // The panes still come back; only further sheets of the kind cannot.
        }
    }
    generating_ = true;
    statementPane->SetText(QByteArray::fromStdString(session->statement));
    answerKeyPane->SetText(QByteArray::fromStdString(session->answerKey));
    generating_ = false;
    statementPane->document()->setModified(session->edited);
    answerKeyPane->document()->setModified(session->edited);
    showSheetOf(session->reference, recipe);
    sheetRestored_ = true;
}

vorn::Session MainWindow::currentSession() const {
    vorn::Session session;
    // The designed panes hold a blank until a sheet or a file fills them.
    const bool edited =
        statementPane->document()->isModified() || answerKeyPane->document()->isModified();
    if (!state.SheetReference.empty() || edited) {
        const auto content = [](const RichTextPane& pane) {
            std::string bytes;
            pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&bytes](const char* data, qint64 n) {
                bytes.append(data, static_cast<std::size_t>(n));
                return 0;
            });
            return bytes;
        };
        session.statement = content(*statementPane);
        session.answerKey = content(*answerKeyPane);
        session.edited = edited;
        session.reference = state.SheetReference;
        session.recipe = shownRecipeText();
    }
    session.printer = state.Printer.ChosenQueue().toStdString();
    session.setSize = state.LastSetSize;
    if (state.LastMenuKind) {
        session.family = std::string(state.LastMenuKind->family->shortName);
        session.level = state.LastMenuKind->level;
    }
    return session;
}

void MainWindow::keepSession() {
    if (sessionFileName_.isEmpty())
        return;
    try {
        vorn::WriteSessionFile(sessionFileName_, currentSession());
    } catch (const std::exception& error) {
        // A close cannot be refused; the next run starts empty.
        std::cerr << "vorn: " << error.what() << '\n';
    }
}
