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

QString AskSaveFileName(QWidget* parent, const QString& folder, const QString& proposedName) {
    // Qt's own dialog, so that it looks and behaves the same on every desktop.
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question below names the answer key's file too.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QString rtfFilter = QStringLiteral("rtf (*.rtf)");
    const QString pdfFilter = QStringLiteral("Document PDF (*.pdf)");
    dialog.setNameFilters({rtfFilter, pdfFilter});
    // A dialog that comes back after a refusal keeps the kind of file chosen.
    const bool pdf = proposedName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    dialog.selectNameFilter(pdf ? pdfFilter : rtfFilter);
    dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("rtf"));
    // A name typed without extension takes the chosen filter's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, rtfFilter](const QString& filter) {
                         dialog.setDefaultSuffix(filter == rtfFilter ? QStringLiteral("rtf")
                                                                     : QStringLiteral("pdf"));
                     });
    dialog.setDirectory(folder);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

QStringList SaveSheetCommand(QWidget* parent, RichTextPane& statement, RichTextPane& answerKey,
                             const QString& sheetReference,
                             const std::function<PdfPageSetup()>& pageSetup,
                             const std::function<void(const UserError&)>& reportError,
                             const std::string& recipe) {
    QString folder = SaveDialogFolder();
    // Before any sheet there is no reference: ".rtf" alone would make hidden
    // files the teacher could not find.
    QString name = (sheetReference.isEmpty() ? QStringLiteral("feuille") : sheetReference) +
                   QStringLiteral(".rtf");
    for (;;) {
        const QString fileName = AskSaveFileName(parent, folder, name);
        if (fileName.isEmpty())
            return {};
        // "Non" to a replacement, or a save that failed, is not the end of the
        // teacher's wish to save: the dialog comes back where they were.
        const QFileInfo chosen(fileName);
        folder = chosen.absolutePath();
        name = chosen.fileName();
        if (!MayReplaceFiles(parent, {fileName, AnswerKeyFileNameFor(fileName)}))
            continue;
        try {
            SaveSheets({&statement}, {&answerKey}, fileName, pageSetup, sheetReference, {}, recipe);
        } catch (const UserError& error) {
            if (!reportError)
                throw;
            reportError(error);
            continue;
        }
        // Only a save that went through moves the working folder, where the
        // next save dialog opens.
        QDir::setCurrent(folder);
        return {fileName, AnswerKeyFileNameFor(fileName)};
    }
}

} // namespace vorn
