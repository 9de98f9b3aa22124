#include "richtext/rtf_reader.h"

#include "richtext/rtf_control_words.h"
#include "richtext/rtf_reader_context.h"
#include "richtext/rtf_tokenizer.h"

#include <QTextDocument>

#include <string_view>

namespace vorn {

namespace {

// Reads tokens until the end, or until the context has ended `paragraphs`
// paragraphs; returns true at the end.
bool ReadTokens(RtfTokenizer& tokenizer, RtfReaderContext& context, int paragraphs) {
    using Kind = RtfToken::Kind;
    const std::int64_t stopAt = context.ParagraphsEnded() + paragraphs;
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
        if (context.ParagraphsEnded() >= stopAt)
            return false;
    }
    return true;
}

} // namespace

void ReadRtf(const QByteArray& rtf, QTextDocument& doc) {
    // Loading replaces the content: there is nothing to undo back to, and
    // recording every insertion would only cost memory.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    RtfReading(rtf, doc).Read();
    doc.setUndoRedoEnabled(undo);
}

RtfReading::RtfReading(const QByteArray& rtf, QTextDocument& doc) : rtf_(rtf) {
    doc.clear();
    context_ = std::make_unique<RtfReaderContext>(doc);
    tokenizer_ = std::make_unique<RtfTokenizer>(
        std::string_view(rtf_.constData(), static_cast<std::size_t>(rtf_.size())));
}

RtfReading::~RtfReading() = default;

bool RtfReading::Read(int paragraphs) {
    if (done_)
        return true;
    context_->Resume();
    done_ = ReadTokens(*tokenizer_, *context_, paragraphs);
    if (done_)
        context_->Finish();
    else
        context_->Pause();
    return done_;
}

} // namespace vorn
