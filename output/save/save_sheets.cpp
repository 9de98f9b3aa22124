#include "output/save/save_sheets.h"

#include "output/pages/pdf_titles.h"
#include "output/save/answer_key_name.h"
#include "output/save/pdf_document.h"
#include "output/save/pdf_in_child_process.h"
#include "output/save/saved_page.h"
#include "output/save/sheet_files.h"
#include "output/save/write_files_together.h"
#include "richtext/rich_text_pane.h"
#include "richtext/rtf_writer.h"
#include "text/user_error.h"

#include <optional>

namespace vorn {
namespace {

// Several panes as the content of one file of `format`, each on its own page.
QByteArray Joined(const std::vector<RichTextPane*>& panes, RichTextPane::StreamFormat format,
                  const RtfPage& page, const QString& fileName, const ProgressTick& tick) {
    if (format == RichTextPane::StreamFormat::Rtf) {
        std::vector<const QTextDocument*> documents;
        documents.reserve(panes.size());
        for (const RichTextPane* pane : panes) {
            documents.push_back(&pane->Content());
            TickOrStop(tick);
        }
        return WriteRtfPages(documents, page);
    }
    QByteArray content;
    for (std::size_t i = 0; i < panes.size(); ++i) {
        if (i > 0)
            content.append('\f'); // plain text's page break
        content.append(PaneContent(*panes[i], format, page, fileName));
        TickOrStop(tick);
    }
    return content;
}

// The statements and the answer keys replace their files together or not at
// all: a set is never left with one sheet's statements and another's keys.
void WriteContents(const QString& statementFile, const QByteArray& statements,
                   const QString& answerKeyFile, const QByteArray& answerKeys, bool withKeys) {
    std::vector<FileContent> files{ContentOf(statementFile, statements)};
    if (withKeys)
        files.push_back(ContentOf(answerKeyFile, answerKeys));
    WriteFilesTogether(files);
}

} // namespace

void SaveSheets(const std::vector<RichTextPane*>& statements,
                const std::vector<RichTextPane*>& answerKeys, const QString& fileName,
                const std::function<PdfPageSetup()>& pageSetup, const QString& title,
                const ProgressTick& tick, const std::string& recipe) {
    const QString answerKeyFile = AnswerKeyFileNameFor(fileName);
    if (IsPdfFileName(fileName.toStdString())) {
        const PdfPageSetup setup = pageSetup();
        // Both documents are laid out whole before any file is created, so
        // that a layout failure or a stop leaves nothing behind either. A
        // set's statements are made aside while the keys are made here.
        std::optional<PdfInChildProcess> statementsAside;
        if (statements.size() > 1 && !answerKeys.empty())
            statementsAside.emplace(statements, setup, title, recipe);
        const QByteArray answerKeyPdf =
            answerKeys.empty() ? QByteArray()
                               : PanesToPdf(answerKeys, setup, AnswerKeyTitle(title), tick, recipe);
        std::optional<QByteArray> statementPdf;
        if (statementsAside)
            statementPdf = statementsAside->Take();
        if (statementPdf) {
            for (std::size_t i = 0; i < statements.size(); ++i)
                TickOrStop(tick);
        } else {
            statementPdf = PanesToPdf(statements, setup, title, tick, recipe);
        }
        WriteContents(fileName, *statementPdf, answerKeyFile, answerKeyPdf, !answerKeys.empty());
        return;
    }
    // The answer key is RTF whatever the statement is.
    const RtfPage page = SavedPageOf(pageSetup());
    if (statements.size() == 1 && answerKeys.size() == 1) {
        SaveSheet(*statements.front(), *answerKeys.front(), fileName, page, recipe);
        return;
    }
    const RichTextPane::StreamFormat format = FormatForFileName(fileName);
    const QByteArray statementContent =
        WithRecipe(Joined(statements, format, page, fileName, tick), format, recipe);
    const QByteArray answerKeyContent =
        answerKeys.empty() ? QByteArray()
                           : WithRecipe(Joined(answerKeys, RichTextPane::StreamFormat::Rtf, page,
                                               answerKeyFile, tick),
                                        RichTextPane::StreamFormat::Rtf, recipe);
    WriteContents(fileName, statementContent, answerKeyFile, answerKeyContent, !answerKeys.empty());
}

} // namespace vorn
