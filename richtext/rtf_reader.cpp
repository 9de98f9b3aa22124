#include "richtext/rtf_reader.h"

#include "richtext/rtf_control_words.h"
#include "richtext/rtf_reader_context.h"
#include "richtext/rtf_tokenizer.h"

#include <QTextDocument>

#include <string_view>

namespace vorn {

namespace {

void ReadTokens(RtfTokenizer& tokenizer, RtfReaderContext& context) {
    using Kind = RtfToken::Kind;
    for (RtfToken token = tokenizer.Next(); token.kind != Kind::End; token = tokenizer.Next()) {
        // Binary data is never text, whatever state the reader is in.
        if (token.kind == Kind::ControlWord && token.word == "bin") {
            tokenizer.SkipBytes(token.hasParam ? token.param : 0);
            context.TakeFallback();
            continue;
        }
        if (context.Skipping()) {
            if (token.kind == Kind::GroupOpen)
                context.OpenGroup();
            else if (token.kind == Kind::GroupClose)
                context.CloseGroup();
            continue;
        }
        switch (token.kind) {
        case Kind::GroupOpen:
            context.ClearFallback();
            context.OpenGroup();
            break;
        case Kind::GroupClose:
            context.ClearFallback();
            context.CloseGroup();
            break;
        case Kind::Text:
            context.AppendBytes(context.DropFallback(token.word));
            break;
        case Kind::HexByte:
            if (!context.TakeFallback())
                context.AppendByte(token.symbol);
            break;
        case Kind::ControlSymbol:
            if (!context.TakeFallback())
                HandleControlSymbol(context, token.symbol);
            break;
        case Kind::ControlWord:
            if (context.TakeFallback())
                break;
            if (const auto handler = FindControlWordHandler(token.word))
                handler(context, token);
            break;
        case Kind::End:
            break;
        }
    }
}

} // namespace

void ReadRtf(const QByteArray& rtf, QTextDocument& doc) {
    // Loading replaces the content: there is nothing to undo back to, and
    // recording every insertion would only cost memory.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    {
        RtfReaderContext context(doc);
        RtfTokenizer tokenizer(
            std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())));
        ReadTokens(tokenizer, context);
        context.Finish();
    }
    doc.setUndoRedoEnabled(undo);
}

} // namespace vorn
