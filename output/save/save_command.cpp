#include "output/save/save_command.h"

#include "output/save/answer_key_name.h"
#include "output/save/save_sheets.h"
#include "output/save/sheet_files.h"
#include "output/save/user_questions.h"
#include "output/save/working_folder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace vorn {

QString AskSaveFileName(QWidget* parent, const QString& sheetReference) {
    // Qt's own dialog, so that it looks and behaves the same on every desktop.
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question below names the answer key's file too.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString rtfFilter = QStringLiteral("rtf (*.rtf)");
    dialog.setNameFilters({rtfFilter, QStringLiteral("Document PDF (*.pdf)")});
    dialog.selectNameFilter(rtfFilter);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    // A name typed without extension takes the chosen filter's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, rtfFilter](const QString& filter) {
                         dialog.setDefaultSuffix(filter == rtfFilter ? QStringLiteral("rtf")
                                                                     : QStringLiteral("pdf"));
                     });
    dialog.setDirectory(SaveDialogFolder());
    // Before any sheet there is no reference: ".rtf" alone would make hidden
    // files the teacher could not find.
    const QString stem = sheetReference.isEmpty() ? QStringLiteral("feuille") : sheetReference;
    dialog.selectFile(stem + QStringLiteral(".rtf"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    if (!MayReplaceFiles(parent, {chosen.first(), AnswerKeyFileNameFor(chosen.first())}))
        return {};
    QDir::setCurrent(QFileInfo(chosen.first()).absolutePath());
    return chosen.first();
}

QStringList SaveSheetCommand(QWidget* parent, RichTextPane& statement, RichTextPane& answerKey,
                             const QString& sheetReference,
                             const std::function<PdfPageSetup()>& pageSetup) {
    const QString fileName = AskSaveFileName(parent, sheetReference);
    if (fileName.isEmpty())
        return {};
    SaveSheets({&statement}, {&answerKey}, fileName, pageSetup, sheetReference);
    return {fileName, AnswerKeyFileNameFor(fileName)};
}

} // namespace vorn
