#include "output/save_sheets.h"

#include "exercises/user_error.h"
#include "output/pdf_document.h"
#include "output/rtf_join.h"
#include "output/save_sheet.h"
#include "output/save_stream.h"
#include "richtext/trx_rich_edit.h"
#include "tools/answer_key_name.h"

namespace vorn {
namespace {

QByteArray Serialised(const TRxRichEdit& pane, TRxRichEdit::StreamFormat format) {
    QByteArray bytes;
    const bool whole = pane.StreamOut(format, [&bytes](const char* data, qint64 size) {
        bytes.append(data, size);
        return 0;
    });
    if (!whole)
        throw UserError("Erreur à l'enregistrement du flux");
    return bytes;
}

// Several panes as one file of `format`.
void SaveJoined(const std::vector<TRxRichEdit*>& panes, const QString& fileName,
                TRxRichEdit::StreamFormat format) {
    std::vector<QByteArray> documents;
    documents.reserve(panes.size());
    for (const TRxRichEdit* pane : panes)
        documents.push_back(Serialised(*pane, format));
    QByteArray content;
    if (format == TRxRichEdit::StreamFormat::Rtf) {
        content = JoinRtfDocuments(documents);
    } else {
        // A form feed is plain text's page break.
        for (std::size_t i = 0; i < documents.size(); ++i) {
            if (i > 0)
                content.append('\f');
            content.append(documents[i]);
        }
    }
    SaveStream(fileName, [&content](const BlockSink& sink) {
        return sink(content.constData(), content.size()) == 0;
    });
}

} // namespace

QString AnswerKeyFileNameFor(const QString& statementFileName) {
    return QString::fromStdString(AnswerKeyFileNameForFormat(statementFileName.toStdString()));
}

void SaveSheets(const std::vector<TRxRichEdit*>& statements,
                const std::vector<TRxRichEdit*>& answerKeys, const QString& fileName,
                const std::function<PdfPageSetup()>& pageSetup, const QString& title) {
    const QString answerKeyFile = AnswerKeyFileNameFor(fileName);
    if (IsPdfFileName(fileName.toStdString())) {
        const PdfPageSetup setup = pageSetup();
        // Each document is laid out whole before its file is created, so that
        // a layout failure leaves nothing behind either.
        SavePdf(PanesToPdf(statements, setup, title), fileName);
        if (!answerKeys.empty())
            SavePdf(PanesToPdf(answerKeys, setup, title), answerKeyFile);
        return;
    }
    if (statements.size() == 1 && answerKeys.size() == 1) {
        SaveSheet(*statements.front(), *answerKeys.front(), fileName);
        return;
    }
    SaveJoined(statements, fileName, FormatForFileName(fileName));
    if (!answerKeys.empty())
        SaveJoined(answerKeys, answerKeyFile, TRxRichEdit::StreamFormat::Rtf);
}

} // namespace vorn
