// The window's event handlers: generation, panes, marker, title colours,
// outside links.
#include "app/main_window.h"

#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/marker_shape.h"
#include "app/outside_links.h"
#include "app/spin_edit.h"
#include "app/variant_sheets_dialog.h"
#include "exercises/cp1252.h"
#include "exercises/user_error.h"
#include "output/preview_box.h"
#include "output/preview_command.h"
#include "output/print_sheet.h"
#include "output/save_sheet.h"
#include "output/sheet_set.h"
#include "richtext/rich_text_pane.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Longest time spent delivering the input held back during a print command;
// the loop stops as soon as nothing is left.
constexpr int kHeldBackInputMs = 200;

// The reference as the file dialog and the print queue show it.
QString SheetReferenceText(const AppState& state) {
    return QString::fromStdString(vorn::Cp1252ToUtf8(state.SheetReference));
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

void MainWindow::generateSheet(const vorn::SheetKind& kind) {
    // The statement pane's change handler lets pending events run. A sheet
    // asked for then waits until both panes hold the same sheet; run inside,
    // it would leave the statement of one sheet above the answers of another.
    if (generating_) {
        QMetaObject::invokeMethod(
            this, [this, kind] { generateSheet(kind); }, Qt::QueuedConnection);
        return;
    }
    generating_ = true;
    try {
        state.QuestionCount = questionCountSpin->Value();
        previewBox->hide();
        if (state.QuestionCount > vorn::kMaxQuestionCount) {
            throw vorn::UserError(QStringLiteral("Le nombre de questions ne peut pas dépasser %1.")
                                      .arg(vorn::kMaxQuestionCount)
                                      .toUtf8()
                                      .toStdString());
        }
        vorn::SheetSettings settings;
        settings.questionCount = state.QuestionCount;
        settings.title = vorn::Utf8ToCp1252(titleEdit->text().toUtf8().toStdString());
        settings.separatorLength = separatorSpin->Value();
        settings.spacingLines = spacingSpin->Value();

        const vorn::Sheet sheet = vorn::GenerateSheet(kind, settings, state.Random);
        state.SheetReference = sheet.reference;
        referenceEdit->setText(QString::fromStdString(vorn::Cp1252ToUtf8(sheet.reference)));

        MarkupToRtf(*statementPane, sheet.statement);
        MarkupToRtf(*answerKeyPane, sheet.answerKey);

        state.LastSheetKind = kind;
        state.SheetSettings = settings;
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
        vorn::SaveSheetCommand(this, *statementPane, *answerKeyPane, SheetReferenceText(state),
                               &state.Printer);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void MainWindow::printCopies() {
    if (printing_) {
        ShowError(QStringLiteral("Impression en cours"));
        return;
    }
    printing_ = true;
    try {
        vorn::PrintSheetCommand(state.Printer, *statementPane, *answerKeyPane,
                                SheetReferenceText(state), statementCopiesSpin->Text(),
                                answerKeyCopiesSpin->Text());
    } catch (const std::exception& error) {
        ShowError(error);
    }
    // User input waits while jobs are laid out, so a second click of a double
    // click would only come in after this command and print everything again.
    // Let what was held back in now, while the command still counts as running.
    // The event loop only looks at held-back input again once woken, and one
    // pass of it may serve timers or posted events first.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
    QCoreApplication::processEvents(QEventLoop::AllEvents, kHeldBackInputMs);
    printing_ = false;
}

void MainWindow::PrintVariantSheets() {
    if (!state.LastSheetKind)
        return;
    try {
        VariantSheetsDialog dialog(statementCopiesSpin->Value(), this);
        const VariantSheetsDialog::Choice choice = dialog.Ask();
        if (choice == VariantSheetsDialog::Choice::Cancel)
            return;
        const vorn::SheetSet set(*statementPane, *answerKeyPane, *state.LastSheetKind,
                                 state.SheetSettings, dialog.SheetCount(), state.Random);
        if (choice == VariantSheetsDialog::Choice::Print)
            vorn::PrintSheetSet(state.Printer, set, dialog.WithAnswerKeys(),
                                SheetReferenceText(state));
        else
            vorn::SaveSheetSetAsPdf(this, state.Printer, set, dialog.WithAnswerKeys(),
                                    SheetReferenceText(state));
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
        vorn::PreviewCommand(*previewBox, *statementPane, state.Printer);
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
    const bool hasText = statementPane->TextLength() > 0;
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

void MainWindow::openMail() {
    vorn::OpenLink(vorn::AuthorMailLink());
}

void MainWindow::openWebsite() {
    vorn::OpenLink(vorn::UpdatesLink());
}

void MainWindow::openPublisherPage() {
    vorn::OpenLink(vorn::PublisherCatalogueLink());
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
