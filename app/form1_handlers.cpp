// The window's event handlers: generation, panes, marker, title colours,
// outside links.
#include "app/form1.h"

#include "app/form_layout.h"
#include "app/link_label.h"
#include "app/outside_links.h"
#include "app/shape.h"
#include "app/spin_edit.h"
#include "app/variant_sheets_dialog.h"
#include "exercises/cp1252.h"
#include "exercises/user_error.h"
#include "output/preview_box.h"
#include "output/preview_command.h"
#include "output/print_sheet.h"
#include "output/save_sheet.h"
#include "output/sheet_set.h"
#include "richtext/trx_rich_edit.h"

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

void TForm1::spedtQuestionsChange() {
    Shape1->show();
}

void TForm1::edtTitreChange() {
    Shape1->show();
}

void TForm1::edtTitreEnter() {
    QPalette pal = edtTitre->palette();
    pal.setColor(QPalette::Base, vorn::kTitleFocusColour);
    edtTitre->setPalette(pal);
}

void TForm1::edtTitreExit() {
    QPalette pal = edtTitre->palette();
    pal.setColor(QPalette::Base, Qt::white);
    edtTitre->setPalette(pal);
}

// --- Generation

void TForm1::GenerateFamily(vorn::Family family) {
    // The statement pane's change handler lets pending events run. A sheet
    // asked for then waits until both panes hold the same sheet; run inside,
    // it would leave the statement of one sheet above the answers of another.
    if (generating_) {
        QMetaObject::invokeMethod(
            this, [this, family] { GenerateFamily(family); }, Qt::QueuedConnection);
        return;
    }
    generating_ = true;
    try {
        State.QuestionCount = spedtQuestions->Value();
        ScrollBox1->hide();
        if (State.QuestionCount > vorn::kMaxQuestionCount) {
            throw vorn::UserError(QStringLiteral("Le nombre de questions ne peut pas dépasser %1.")
                                      .arg(vorn::kMaxQuestionCount)
                                      .toUtf8()
                                      .toStdString());
        }
        vorn::SheetSettings settings;
        settings.questionCount = State.QuestionCount;
        settings.title = vorn::Utf8ToCp1252(edtTitre->text().toUtf8().toStdString());
        settings.separatorLength = spSepar->Value();
        settings.spacingLines = spInterL->Value();

        const vorn::Sheet sheet = vorn::GenerateSheet(family, settings, State.Random);
        State.SheetReference = sheet.reference;
        edtRef->setText(QString::fromStdString(vorn::Cp1252ToUtf8(sheet.reference)));

        MarkupToRtf(*RxRichEdit1, sheet.statement);
        MarkupToRtf(*RxRichEdit2, sheet.answerKey);

        State.SheetFamily = family;
        State.SheetSettings = settings;
        variantSheetsAction->setEnabled(true);

        Shape1->hide();
        btnEnregistre->setEnabled(true);
        btnImprime->setEnabled(true);
    } catch (const std::exception& error) {
        generating_ = false;
        ShowError(error);
        return;
    }
    generating_ = false;
}

void TForm1::btnVNdeg1Click() {
    GenerateFamily(vorn::Family::VNdeg1);
}

void TForm1::btnVNdeg2Click() {
    GenerateFamily(vorn::Family::VNdeg2);
}

void TForm1::btnDev1Click() {
    GenerateFamily(vorn::Family::Dev1);
}

void TForm1::btnDev2Click() {
    GenerateFamily(vorn::Family::Dev2);
}

void TForm1::btn_identClick() {
    GenerateFamily(vorn::Family::Ident);
}

// --- Output commands

void TForm1::btnEnregistreClick() {
    try {
        vorn::SaveSheetCommand(this, *RxRichEdit1, *RxRichEdit2, SheetReferenceText(State),
                               &State.Printer);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TForm1::btnImprimeClick() {
    if (printing_) {
        ShowError(QStringLiteral("Impression en cours"));
        return;
    }
    printing_ = true;
    try {
        vorn::PrintSheetCommand(State.Printer, *RxRichEdit1, *RxRichEdit2,
                                SheetReferenceText(State), spedtSujets->Text(),
                                spedtCorriges->Text());
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

void TForm1::PrintVariantSheets() {
    if (!State.SheetFamily)
        return;
    try {
        VariantSheetsDialog dialog(spedtSujets->Value(), this);
        const VariantSheetsDialog::Choice choice = dialog.Ask();
        if (choice == VariantSheetsDialog::Choice::Cancel)
            return;
        const vorn::SheetSet set(*RxRichEdit1, *RxRichEdit2, *State.SheetFamily,
                                 State.SheetSettings, dialog.SheetCount(), State.Random);
        if (choice == VariantSheetsDialog::Choice::Print)
            vorn::PrintSheetSet(State.Printer, set, dialog.WithAnswerKeys(),
                                SheetReferenceText(State));
        else
            vorn::SaveSheetSetAsPdf(this, State.Printer, set, dialog.WithAnswerKeys(),
                                    SheetReferenceText(State));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TForm1::btnChoixImpClick() {
    try {
        vorn::ChoosePrinterCommand(this, State.Printer, SheetReferenceText(State));
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TForm1::btnApercuClick() {
    try {
        vorn::PreviewCommand(*ScrollBox1, *RxRichEdit1, State.Printer);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

// --- Panes

void TForm1::ckbEditeClick() {
    State.EditMode = ckbEdite->isChecked();
    RxRichEdit1->SetReadOnly(!State.EditMode);
    RxRichEdit2->SetReadOnly(!State.EditMode);
    RxRichEdit1->SetWantTabs(State.EditMode);
    RxRichEdit2->SetWantTabs(State.EditMode);
    QCoreApplication::processEvents();
}

void TForm1::RxRichEdit1Change() {
    btnImprime->setEnabled(!RxRichEdit1->GetText().isEmpty());
    btnEnregistre->setEnabled(!RxRichEdit1->GetText().isEmpty());
    btnApercu->setEnabled(!RxRichEdit1->GetText().isEmpty());
    QCoreApplication::processEvents(generating_ ? QEventLoop::ExcludeUserInputEvents
                                                : QEventLoop::AllEvents);
}

void TForm1::PinCaret(TRxRichEdit& pane) {
    if (State.EditMode)
        return;
    pane.SetSelStart(pane.TextLength());
    pane.SetSelLength(0);
}

void TForm1::RxRichEdit1MouseDown() {
    PinCaret(*RxRichEdit1);
}

void TForm1::RxRichEdit1MouseUp() {
    PinCaret(*RxRichEdit1);
}

void TForm1::RxRichEdit1DragOver(bool& accept) {
    if (State.EditMode)
        return;
    accept = false;
    PinCaret(*RxRichEdit1);
}

void TForm1::RxRichEdit1DragDrop() {
    PinCaret(*RxRichEdit1);
}

void TForm1::RxRichEdit1EndDrag() {
    PinCaret(*RxRichEdit1);
}

void TForm1::RxRichEdit2MouseDown() {
    PinCaret(*RxRichEdit2);
}

void TForm1::RxRichEdit2MouseUp() {
    PinCaret(*RxRichEdit2);
}

void TForm1::RxRichEdit2DragOver(bool&) {
    PinCaret(*RxRichEdit2);
}

void TForm1::RxRichEdit2DragDrop() {
    PinCaret(*RxRichEdit2);
}

void TForm1::RxRichEdit2EndDrag() {
    PinCaret(*RxRichEdit2);
}

// --- Outside links

void TForm1::BitBtn1Click() {
    vorn::OpenLink(vorn::AuthorMailLink());
}

void TForm1::BitBtn2Click() {
    vorn::OpenLink(vorn::UpdatesLink());
}

void TForm1::Label9Click() {
    vorn::OpenLink(vorn::PublisherCatalogueLink());
}

void TForm1::Label9MouseMove() {
    QFont font = Label9->font();
    font.setBold(true);
    Label9->setFont(font);
}

void TForm1::Panel1MouseMove() {
    QFont font = Label9->font();
    font.setBold(false);
    Label9->setFont(font);
}
