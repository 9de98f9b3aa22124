#include "output/sheet_set.h"

#include "exercises/cp1252.h"
#include "output/pdf_page_setup.h"
#include "output/pdf_titles.h"
#include "output/print_pane.h"
#include "output/print_sheet.h"
#include "output/save_sheets.h"
#include "output/working_folder.h"
#include "richtext/rich_text_pane.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vorn {

SheetSet::SheetSet(RichTextPane& statement, RichTextPane& answerKey, Family family,
                   const SheetSettings& settings, int count, RandomSource& random) {
    statements_.push_back(&statement);
    answerKeys_.push_back(&answerKey);
    for (int i = 1; i < count; ++i) {
        const Sheet sheet = GenerateSheet(family, settings, random);
        auto drawnStatement = std::make_unique<RichTextPane>();
        auto drawnAnswerKey = std::make_unique<RichTextPane>();
        MarkupToRtf(*drawnStatement, sheet.statement);
        MarkupToRtf(*drawnAnswerKey, sheet.answerKey);
        lastDrawnReference_ = QString::fromStdString(Cp1252ToUtf8(sheet.reference));
        statements_.push_back(drawn_.emplace_back(std::move(drawnStatement)).get());
        answerKeys_.push_back(drawn_.emplace_back(std::move(drawnAnswerKey)).get());
    }
}

SheetSet::~SheetSet() = default;

QString SheetSet::Title(const QString& shownReference) const {
    return SheetsTitle(shownReference, drawn_.empty() ? shownReference : lastDrawnReference_,
                       int(statements_.size()));
}

void PrintSheetSet(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                   const QString& firstReference) {
    CopyFiles files(printer, firstReference);
    files.Next(false, 1);
    PrintPanes(printer, set.Statements(), firstReference + QStringLiteral(".rtf"));
    if (!withAnswerKeys)
        return;
    files.Next(true, 1);
    PrintPanes(printer, set.AnswerKeys(), firstReference + QStringLiteral("-Cor.rtf"));
}

void SaveSheetSetAsPdf(QWidget* parent, CurrentPrinter& printer, const SheetSet& set,
                       bool withAnswerKeys, const QString& firstReference) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Document PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(SaveDialogFolder());
    dialog.selectFile(firstReference + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString fileName = dialog.selectedFiles().first();
    // Whatever was typed, this command writes PDF: the name says so.
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    SaveSheets(
        set.Statements(), withAnswerKeys ? set.AnswerKeys() : std::vector<RichTextPane*>{},
        fileName, [&printer] { return PageSetupOf(printer); }, set.Title(firstReference));
}

} // namespace vorn
