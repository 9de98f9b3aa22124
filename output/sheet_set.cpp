#include "output/sheet_set.h"

#include "output/pdf_page_setup.h"
#include "output/print_pane.h"
#include "output/save_sheets.h"
#include "output/working_folder.h"
#include "richtext/rich_text_pane.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vorn {

SheetSet::SheetSet(RichTextPane& statement, RichTextPane& answerKey, const SheetKind& kind,
                   const SheetSettings& settings, int count, RandomSource& random) {
    statements_.push_back(&statement);
    answerKeys_.push_back(&answerKey);
    for (int i = 1; i < count; ++i) {
        const Sheet sheet = GenerateSheet(kind, settings, random);
        auto drawnStatement = std::make_unique<RichTextPane>();
        auto drawnAnswerKey = std::make_unique<RichTextPane>();
        MarkupToRtf(*drawnStatement, sheet.statement);
        MarkupToRtf(*drawnAnswerKey, sheet.answerKey);
        statements_.push_back(drawn_.emplace_back(std::move(drawnStatement)).get());
        answerKeys_.push_back(drawn_.emplace_back(std::move(drawnAnswerKey)).get());
    }
}

SheetSet::~SheetSet() = default;

void PrintSheetSet(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                   const QString& firstReference) {
    PrintPanes(printer, set.Statements(), firstReference + QStringLiteral(".rtf"));
    if (withAnswerKeys)
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
        fileName, [&printer] { return PageSetupOf(printer); }, firstReference);
}

} // namespace vorn
