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

TEST(PaneStreamOut, TextIsWindows1252WithCrLf) {
    RichTextPane pane;
    pane.SetText("{\\rtf1 \\'e9t\\'e9\\par \\'80\\tab 1\\par}");
    Collector out;
    ASSERT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Text, out.Sink()));
    EXPECT_EQ(out.bytes, QByteArray("\xE9t\xE9\r\n\x80\t1\r\n"));
}

TEST(PaneStreamOut, LargeDocumentComesWholeInBlocksAndAnyRefusalFails) {
    RichTextPane pane;
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "ligne " + QByteArray::number(i) + "\r\n";
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
