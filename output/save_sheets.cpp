#include "output/save_sheets.h"

#include "exercises/user_error.h"
#include "output/answer_key_name.h"
#include "output/pdf_document.h"
#include "output/pdf_titles.h"
#include "output/rtf_join.h"
#include "output/save_sheet.h"
#include "output/save_stream.h"
#include "output/saved_page.h"
#include "richtext/rich_text_pane.h"

namespace vorn {
namespace {

QByteArray Serialised(const RichTextPane& pane, RichTextPane::StreamFormat format,
                      const RtfPage& page) {
    QByteArray bytes;
    const bool whole = pane.StreamOut(
        format,
        [&bytes](const char* data, qint64 size) {
            bytes.append(data, size);
            return 0;
        },
        page);
    if (!whole)
        throw UserError("Erreur à l'enregistrement du flux");
    return bytes;
}

// Several panes as the content of one file of `format`.
QByteArray Joined(const std::vector<RichTextPane*>& panes, RichTextPane::StreamFormat format,
                  const RtfPage& page, const ProgressTick& tick) {
    std::vector<QByteArray> documents;
    documents.reserve(panes.size());
    for (const RichTextPane* pane : panes) {
        documents.push_back(Serialised(*pane, format, page));
        TickOrStop(tick);
    }
    QByteArray content;
    if (format == RichTextPane::StreamFormat::Rtf) {
        content = JoinRtfDocuments(documents);
    } else {
        // A form feed is plain text's page break.
        for (std::size_t i = 0; i < documents.size(); ++i) {
            if (i > 0)
                content.append('\f');
            content.append(documents[i]);
        }
    }
    return content;
}

void SaveBytes(const QByteArray& content, const QString& fileName) {
    SaveStream(fileName, [&content](const BlockSink& sink) {
        return sink(content.constData(), content.size()) == 0;
    });
}

} // namespace

QString AnswerKeyFileNameFor(const QString& statementFileName) {
    return QString::fromStdString(AnswerKeyFileNameForFormat(statementFileName.toStdString()));
}

void SaveSheets(const std::vector<RichTextPane*>& statements,
                const std::vector<RichTextPane*>& answerKeys, const QString& fileName,
                const std::function<PdfPageSetup()>& pageSetup, const QString& title,
                const ProgressTick& tick) {
    const QString answerKeyFile = AnswerKeyFileNameFor(fileName);
    if (IsPdfFileName(fileName.toStdString())) {
        const PdfPageSetup setup = pageSetup();
        // Both documents are laid out whole before any file is created, so
        // that a layout failure or a stop leaves nothing behind either.
        const QByteArray statementPdf = PanesToPdf(statements, setup, title, tick);
        const QByteArray answerKeyPdf =
            answerKeys.empty() ? QByteArray()
                               : PanesToPdf(answerKeys, setup, AnswerKeyTitle(title), tick);
        SavePdf(statementPdf, fileName);
        if (!answerKeys.empty())
            SavePdf(answerKeyPdf, answerKeyFile);
        return;
    }
    // The answer key is RTF whatever the statement is.
    const RtfPage page = SavedPageOf(pageSetup());
    if (statements.size() == 1 && answerKeys.size() == 1) {
        SaveSheet(*statements.front(), *answerKeys.front(), fileName, page);
        return;
    }
    const QByteArray statementContent =
        Joined(statements, FormatForFileName(fileName), page, tick);
    const QByteArray answerKeyContent =
        answerKeys.empty() ? QByteArray()
                           : Joined(answerKeys, RichTextPane::StreamFormat::Rtf, page, tick);
    SaveBytes(statementContent, fileName);
    if (!answerKeys.empty())
        SaveBytes(answerKeyContent, answerKeyFile);
}

} // namespace vorn
