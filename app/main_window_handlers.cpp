// The window's event handlers: generation, panes, marker, title colours,
// outside links.
#include "app/main_window.h"

#include "app/composition_dialog.h"
#include "app/confirmation_text.h"
#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/marker_shape.h"
#include "app/outside_links.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "app/variant_sheets_dialog.h"
#include "app/work_progress.h"
#include "output/preview/preview_box.h"
#include "output/preview/preview_command.h"
#include "output/print/print_sheet.h"
#include "output/save/save_command.h"
#include "output/save/user_questions.h"
#include "output/sets/sheet_set.h"
#include "richtext/rich_text_pane.h"
#include "settings/composition_storage.h"
#include "text/cp1252.h"
#include "text/user_error.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>

namespace {

// Longest time spent delivering the input held back during a print command;
// the loop stops as soon as nothing is left.
constexpr int kHeldBackInputMs = 200;

// The reference as the file dialog and the print queue show it.
QString SheetReferenceText(const AppState& state) {
    return QString::fromStdString(vorn::Cp1252ToUtf8(state.SheetReference));
}

// What the current printer was sent, and where it went, in a few words.
QString PrintedText(vorn::CurrentPrinter& printer, int statements, int answerKeys) {
    return PrintedSheetsText(statements, answerKeys, printer.Printer().printerName(),
                             printer.OutputFile());
}

} // namespace

// --- Settings-changed marker and title colours

void MainWindow::questionCountChanged() {
    settingsChangedMarker->show();
}

void MainWindow::titleChanged() {
    settingsChangedMarker->show();
}

void MainWindow::titleEntered() {
    QPalette pal = titleEdit->palette();
    pal.setColor(QPalette::Base, vorn::kTitleFocusColour);
    titleEdit->setPalette(pal);
}

void MainWindow::titleLeft() {
    QPalette pal = titleEdit->palette();
    pal.setColor(QPalette::Base, Qt::white);
    titleEdit->setPalette(pal);
}

// --- Generation

vorn::SheetSettings MainWindow::sheetSettings() const {
    vorn::SheetSettings settings;
    settings.questionCount = questionCountSpin->Value();
    settings.title = vorn::Utf8ToCp1252Referenced(titleEdit->text().toUtf8().toStdString());
    settings.separatorLength = separatorSpin->Value();
    settings.spacingLines = spacingSpin->Value();
    settings.look = sheetLookButton->Look();
    return settings;
}

bool MainWindow::MayReplaceSheet() {
    if (!statementPane->document()->isModified() && !answerKeyPane->document()->isModified())
        return true;
    return vorn::AskYesNo(this, QStringLiteral("Remplacer la feuille modifiée ?"));
}

QPushButton* MainWindow::familyButton(const vorn::ExerciseFamily& family) const {
    for (const auto& [buttonFamily, button] : familyButtons_)
        if (buttonFamily == &family)
            return button;
    return nullptr;
}

QAction* MainWindow::familyAction(const vorn::SheetKind& kind) const {
    for (const auto& [actionKind, action] : familyActions_)
        if (actionKind.family == kind.family && actionKind.level == kind.level)
            return action;
    return nullptr;
}

void MainWindow::composeSheet() {
    const ProfileFile settingsFile(formStorage.IniFileName());
    CompositionDialog dialog(ReadLastComposition(settingsFile), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const vorn::Composition composition = dialog.Result();
    try {
        WriteLastComposition(settingsFile, composition);
    } catch (const std::exception& error) {
        // The sheet can still be made; only the next run will not offer it.
        ShowError(error);
    }
    generateSheet(composition);
}

void MainWindow::generateSheet(const vorn::SheetRecipe& recipe) {
    // The statement pane's change handler lets pending events run. A sheet
    // asked for then waits until both panes hold the same sheet; run inside,
    // it would leave the statement of one sheet above the answers of another.
    if (generating_) {
        QMetaObject::invokeMethod(
            this, [this, recipe] { generateSheet(recipe); }, Qt::QueuedConnection);
        return;
    }
    if (!MayReplaceSheet())
        return;
    generating_ = true;
    try {
        const vorn::Composition* composition = recipe.Composed();
        state.QuestionCount =
            composition ? composition->QuestionCount() : questionCountSpin->Value();
        previewBox->hide();
        if (!composition && state.QuestionCount > vorn::kMaxQuestionCount) {
            throw vorn::UserError(QStringLiteral("Le nombre de questions ne peut pas dépasser %1.")
                                      .arg(vorn::kMaxQuestionCount)
                                      .toUtf8()
                                      .toStdString());
        }
        vorn::SheetSettings settings = sheetSettings();
        settings.questionCount = state.QuestionCount;

        const std::uint32_t seed = state.Random.State();
        const vorn::Sheet sheet = recipe.Generate(settings, state.Random);
        state.SheetReference = sheet.reference;
        referenceEdit->setText(QString::fromStdString(vorn::Cp1252ToUtf8(sheet.reference)));

        MarkupToRtf(*statementPane, sheet.statement, sheet.look);
        MarkupToRtf(*answerKeyPane, sheet.answerKey, sheet.look);

        state.LastSheetRecipe = recipe;
        state.SheetSettings = settings;
        state.ShownSeeds = {seed};
        markMenuKind(recipe);
        state.LastSheetSet.reset();
        variantSheetsAction->setEnabled(true);

        settingsChangedMarker->hide();
        saveButton->setEnabled(true);
        printButton->setEnabled(true);
    } catch (const std::exception& error) {
        generating_ = false;
        ShowError(error);
        return;
    }
    generating_ = false;
}

// --- Output commands

void MainWindow::saveSheet() {
    try {
        const QStringList written = vorn::SaveSheetCommand(
            this, *statementPane, *answerKeyPane, SheetReferenceText(state),
            [this] { return vorn::PageSetupOf(state.Printer); },
            [this](const vorn::UserError& error) { ShowError(error); }, shownRecipeText());
        if (!written.isEmpty())
            ShowStatus(SavedFilesText(written));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void MainWindow::printCopies() {
    if (printing_) {
        ShowError(QStringLiteral("Impression en cours"));
        return;
    }
    // The second press of a double click never gets here: the button's
    // DoubleClickGuard keeps it, by the time the press was made.
    printing_ = true;
    try {
        if (beforePrint)
            beforePrint();
        vorn::PrintSheetCommand(state.Printer, *statementPane, *answerKeyPane,
                                SheetReferenceText(state), statementCopiesSpin->Text(),
                                answerKeyCopiesSpin->Text(), shownRecipeText());
        ShowStatus(PrintedText(state.Printer, vorn::CopyCount(statementCopiesSpin->Text()),
                               vorn::CopyCount(answerKeyCopiesSpin->Text())));
    } catch (const std::exception& error) {
        ShowError(error);
    }
    // User input waits while jobs are laid out. Let what was held back in now,
    // while the command still counts as running: a deliberate press made
    // meanwhile is then told that a print is under way.
    // The event loop only looks at held-back input again once woken, and one
    // pass of it may serve timers or posted events first.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
    QCoreApplication::processEvents(QEventLoop::AllEvents, kHeldBackInputMs);
    printing_ = false;
}

void MainWindow::PrintVariantSheets() {
    if (!state.LastSheetRecipe)
        return;
    try {
        const QString reference = SheetReferenceText(state);
        const vorn::SheetSet* kept = state.LastSheetSet.get();
        VariantSheetsDialog dialog(
            state.LastSetSize > 0 ? state.LastSetSize : statementCopiesSpin->Value(),
            kept ? kept->References() : QStringList(), this,
            statementPane->document()->isModified() || answerKeyPane->document()->isModified());
        if (kept)
            dialog.SetAdapted(kept->Adapted());
        const VariantSheetsDialog::Choice choice = dialog.Ask();
        if (choice == VariantSheetsDialog::Choice::Cancel)
            return;
        const int count = dialog.SheetCount();
        state.LastSetSize = count;
        const bool withKeys = dialog.WithAnswerKeys();
        const bool draw = dialog.NewDraw() || !state.LastSheetSet;
        QString pdfName;
        if (choice == VariantSheetsDialog::Choice::SavePdf) {
            pdfName = vorn::AskSheetSetPdfName(this, proposedSetFileName(reference, count, draw),
                                               withKeys);
            if (pdfName.isEmpty())
                return;
        }
        WorkProgress progress(this, QStringLiteral("Préparation de %1 sujets…").arg(count),
                              (draw ? count - 1 : 0) + count * (withKeys ? 2 : 1));
        if (draw) {
            // A set stopped while being drawn leaves the kept one in place.
            const std::uint32_t start = state.Random.State();
            state.LastSheetSet = std::make_unique<vorn::SheetSet>(
                *statementPane, *answerKeyPane, reference, *state.LastSheetRecipe,
                state.SheetSettings, count, state.Random, progress.Tick(), dialog.Adapted());
            state.LastSheetSetSeeds = state.ShownSeeds;
            for (const std::uint32_t seed :
                 vorn::SeedsOfDraws(*state.LastSheetRecipe, state.SheetSettings, start, count - 1))
                state.LastSheetSetSeeds.push_back(seed);
        }
        const vorn::SheetSet& set = *state.LastSheetSet;
        const std::string recipe =
            state.LastSheetSetSeeds.empty()
                ? std::string()
                : vorn::RecipeText(
                      {*state.LastSheetRecipe, state.SheetSettings, state.LastSheetSetSeeds});
        if (choice == VariantSheetsDialog::Choice::Print) {
            progress.NoLongerCancellable(QStringLiteral("Impression de %1 sujets…").arg(count));
            vorn::PrintSheetSet(state.Printer, set, withKeys, reference, progress.Tick(), recipe);
            ShowStatus(PrintedText(state.Printer, count, withKeys ? count : 0));
        } else {
            ShowStatus(SavedFilesText(vorn::SaveSheetSetAsPdf(
                state.Printer, set, withKeys, pdfName, set.Title(), progress.Tick(), recipe)));
        }
    } catch (const vorn::WorkCancelled&) {
        ShowStatus(QStringLiteral("Annulé : rien n'a été enregistré ni imprimé"));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void MainWindow::choosePrinter() {
    try {
        vorn::ChoosePrinterCommand(this, state.Printer, SheetReferenceText(state));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void MainWindow::showPreview() {
    try {
        vorn::PreviewCommand(*previewBox, *statementPane, *answerKeyPane, state.Printer,
                             SheetReferenceText(state));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

// --- Panes

void MainWindow::toggleEditMode() {
    state.EditMode = editModeCheck->isChecked();
    statementPane->SetReadOnly(!state.EditMode);
    answerKeyPane->SetReadOnly(!state.EditMode);
    statementPane->SetWantTabs(state.EditMode);
    answerKeyPane->SetWantTabs(state.EditMode);
    QCoreApplication::processEvents();
}

void MainWindow::statementChanged() {
    const bool hasText = !statementPane->IsEmpty();
    printButton->setEnabled(hasText);
    saveButton->setEnabled(hasText);
    previewButton->setEnabled(hasText);
    QCoreApplication::processEvents(generating_ ? QEventLoop::ExcludeUserInputEvents
                                                : QEventLoop::AllEvents);
}

void MainWindow::pinCaret(RichTextPane& pane) {
    if (state.EditMode)
        return;
    pane.SetSelStart(pane.TextLength());
    pane.SetSelLength(0);
}

void MainWindow::statementMouseDown() {
    pinCaret(*statementPane);
}

void MainWindow::statementMouseUp() {
    pinCaret(*statementPane);
}

void MainWindow::statementDragOver(bool& accept) {
    if (state.EditMode)
        return;
    accept = false;
    pinCaret(*statementPane);
}

void MainWindow::statementDropped() {
    pinCaret(*statementPane);
}

void MainWindow::statementDragEnded() {
    pinCaret(*statementPane);
}

void MainWindow::answerKeyMouseDown() {
    pinCaret(*answerKeyPane);
}

void MainWindow::answerKeyMouseUp() {
    pinCaret(*answerKeyPane);
}

void MainWindow::answerKeyDragOver(bool&) {
    pinCaret(*answerKeyPane);
}

void MainWindow::answerKeyDropped() {
    pinCaret(*answerKeyPane);
}

void MainWindow::answerKeyDragEnded() {
    pinCaret(*answerKeyPane);
}

// --- Outside links

// Without a mail program or browser the click would do nothing at all: say so,
// with the address, which the teacher can still use by hand.
void MainWindow::openLink(const QUrl& url) {
    if (!vorn::OpenLink(url))
        ShowError(vorn::LinkNotOpenedText(url));
}

void MainWindow::openMail() {
    openLink(vorn::AuthorMailLink());
}

void MainWindow::openWebsite() {
    openLink(vorn::UpdatesLink());
}

void MainWindow::openPublisherPage() {
    openLink(vorn::PublisherCatalogueLink());
}

void MainWindow::boldenPublisherLink() {
    QFont font = publisherLink->font();
    font.setBold(true);
    publisherLink->setFont(font);
}

void MainWindow::unboldenPublisherLink() {
    QFont font = publisherLink->font();
    font.setBold(false);
    publisherLink->setFont(font);
}
