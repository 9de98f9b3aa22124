#include "output/save/save_sheet.h"

#include "output/save/answer_key_name.h"
#include "output/save/save_error.h"
#include "output/save/save_sheets.h"
#include "output/save/user_questions.h"
#include "output/save/working_folder.h"
#include "output/save/write_files_together.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace vorn {
namespace {

// The extension of the last path component, without its dot.
QString Extension(const QString& fileName) {
    const qsizetype folderEnd = std::max(
        {fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'), fileName.lastIndexOf(u':')});
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > folderEnd ? fileName.mid(dot + 1) : QString();
}

} // namespace

RichTextPane::StreamFormat FormatForFileName(const QString& fileName) {
    return Extension(fileName).compare(u"txt", Qt::CaseInsensitive) == 0
               ? RichTextPane::StreamFormat::Text
               : RichTextPane::StreamFormat::Rtf;
}

FileContent ContentOf(const QString& fileName, const QByteArray& bytes) {
    return {QFile::encodeName(fileName).toStdString(),
            std::string_view(bytes.constData(), std::size_t(bytes.size()))};
}

QByteArray PaneContent(const RichTextPane& pane, RichTextPane::StreamFormat format,
                       const std::optional<RtfPage>& page, const QString& fileName) {
    QByteArray bytes;
    const bool whole = pane.StreamOut(
        format,
        [&bytes](const char* data, qint64 size) {
            bytes.append(data, size);
            return 0;
        },
        page);
    if (!whole)
        throw SaveError("Erreur à l'enregistrement du flux",
                        QFile::encodeName(fileName).toStdString());
    return bytes;
}

void SaveSheet(const RichTextPane& statement, const RichTextPane& answerKey,
               const QString& fileName, const std::optional<RtfPage>& page) {
    const QString keyName = AnswerKeyFileNameFor(fileName);
    const QByteArray statementContent =
        PaneContent(statement, FormatForFileName(fileName), page, fileName);
    const QByteArray keyContent =
        PaneContent(answerKey, RichTextPane::StreamFormat::Rtf, page, keyName);
    WriteFilesTogether({ContentOf(fileName, statementContent), ContentOf(keyName, keyContent)});
}

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
