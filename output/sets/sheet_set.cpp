#include "output/sets/sheet_set.h"

#include "output/pages/page_loop.h"
#include "output/pages/pdf_page_setup.h"
#include "output/pages/pdf_titles.h"
#include "output/print/current_printer.h"
#include "output/print/print_job.h"
#include "output/print/print_sheet.h"
#include "output/save/save_sheets.h"
#include "output/save/sheet_files.h"
#include "output/save/user_questions.h"
#include "output/save/working_folder.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace vorn {

SheetSet::SheetSet(RichTextPane& statement, RichTextPane& answerKey, const QString& shownReference,
                   const SheetRecipe& recipe, const SheetSettings& settings, int count,
                   RandomSource& random, const ProgressTick& tick, const AdaptedCopies& adapted)
    : adapted_(adapted) {
    statements_.push_back(&statement);
    answerKeys_.push_back(&answerKey);
    references_ << shownReference;
    adapted_.count = std::clamp(adapted.count, 0, std::max(0, count - 1));
    const AdaptedDraw copy = AdaptedCopyOf(recipe, settings, adapted.share);
    for (int i = 1; i < count; ++i) {
        const bool adaptedCopy = i >= count - adapted_.count;
        const Sheet sheet = adaptedCopy ? copy.recipe.Generate(copy.settings, random)
                                        : recipe.Generate(settings, random);
        auto drawnStatement = std::make_unique<RichTextPane>();
        auto drawnAnswerKey = std::make_unique<RichTextPane>();
        MarkupToRtf(*drawnStatement, sheet.statement, sheet.look);
        MarkupToRtf(*drawnAnswerKey, sheet.answerKey, sheet.look);
        statements_.push_back(drawn_.emplace_back(std::move(drawnStatement)).get());
        answerKeys_.push_back(drawn_.emplace_back(std::move(drawnAnswerKey)).get());
        references_ << QString::fromStdString(Cp1252ToUtf8(sheet.reference));
        TickOrStop(tick);
    }
}

SheetSet::~SheetSet() = default;

QString SheetSet::Title() const {
    return SheetsTitle(references_.front(), references_.back(), Size());
}

QString SheetSetFileName(const QString& firstReference, int count) {
    return QStringLiteral("%1_%2sujets.pdf").arg(firstReference).arg(count);
}

void PrintSheetSet(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                   const QString& firstReference, const ProgressTick& tick,
                   const std::string& recipe) {
    CopyFiles files(printer, firstReference);
    files.Next(false, 1);
    PrintPanes(printer, set.Statements(), firstReference + QStringLiteral(".rtf"), tick, recipe);
    if (!withAnswerKeys)
        return;
    files.Next(true, 1);
    PrintPanes(printer, set.AnswerKeys(), firstReference + QStringLiteral("-Cor.rtf"), tick,
               recipe);
}

QString AskSheetSetPdfName(QWidget* parent, const QString& proposedName, bool withAnswerKeys) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question below names the answer keys' file too.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Document PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setDirectory(SaveDialogFolder());
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString fileName = dialog.selectedFiles().first();
    // Whatever was typed, this command writes PDF: the name says so.
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    QStringList files{fileName};
    if (withAnswerKeys)
        files << AnswerKeyFileNameFor(fileName);
    if (!MayReplaceFiles(parent, files))
        return {};
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    return fileName;
}

QStringList SaveSheetSetAsPdf(CurrentPrinter& printer, const SheetSet& set, bool withAnswerKeys,
                              const QString& fileName, const QString& title,
                              const ProgressTick& tick, const std::string& recipe) {
    SaveSheets(
        set.Statements(), withAnswerKeys ? set.AnswerKeys() : std::vector<RichTextPane*>{},
        fileName, [&printer] { return PageSetupOf(printer); }, title, tick, recipe);
    QStringList written{fileName};
    if (withAnswerKeys)
        written << AnswerKeyFileNameFor(fileName);
    return written;
}

} // namespace vorn
