#include "richtext/rich_text_pane.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What a stream hands over, block by block; call `failOnCall` answers 1.
struct Collector {
    QByteArray bytes;
    std::vector<qint64> blocks;
    int failOnCall = -1;
    RichTextPane::StreamSink Sink() {
        return [this](const char* data, qint64 size) {
            blocks.push_back(size);
            if (int(blocks.size()) - 1 == failOnCall)
                return 1;
            bytes.append(data, size);
            return 0;
        };
    }
};

TEST(PaneStreamOut, TextIsUtf8WithLfAndKeepsEveryCharacter) {
    RichTextPane pane;
    // é, €, then ≤, √ and an emoji (a surrogate pair), none of which
    // Windows-1252 can hold, and a line break inside a paragraph.
    pane.SetText("{\\rtf1 \\'e9t\\'e9\\par \\'80\\tab 1\\line x \\u8804? \\u8730?"
                 "\\u-10179?\\u-8704?\\par}");
    Collector out;
    ASSERT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Text, out.Sink()));
    EXPECT_EQ(out.bytes, QByteArray("\xC3\xA9t\xC3\xA9\n\xE2\x82\xAC\t1\nx \xE2\x89\xA4 "
                                    "\xE2\x88\x9A\xF0\x9F\x98\x80\n"));
}

TEST(PaneStreamOut, LargeDocumentComesWholeInBlocksAndAnyRefusalFails) {
    RichTextPane pane;
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "ligne " + QByteArray::number(i) + "\n";
    pane.SetText(text);
    Collector whole;
    ASSERT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Text, whole.Sink()));
    EXPECT_GT(whole.blocks.size(), 1u);
    EXPECT_EQ(whole.bytes, text);

    for (auto format : {RichTextPane::StreamFormat::Rtf, RichTextPane::StreamFormat::Text}) {
        for (int failOn : {0, 1}) {
            Collector refused;
            refused.failOnCall = failOn;
            EXPECT_FALSE(pane.StreamOut(format, refused.Sink()));
            EXPECT_EQ(int(refused.blocks.size()), failOn + 1); // nothing after the refusal
        }
    }
    EXPECT_FALSE(pane.StreamOut(RichTextPane::StreamFormat::Rtf, RichTextPane::StreamSink()));
}

} // namespace
