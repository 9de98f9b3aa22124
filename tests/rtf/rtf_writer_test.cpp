#include "richtext/plain_text_writer.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include "tests/rtf/rtf_sample_documents.h"
#include "tests/rtf/rtf_test_support.h"

#include <QTextCursor>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

std::string Rtf(const QTextDocument& doc) {
    return WriteRtf(doc).toStdString();
}

// A document of paragraphs in Arial 12.
std::unique_ptr<QTextDocument> Plain(const QStringList& paragraphs) {
    auto doc = std::make_unique<QTextDocument>();
    QTextCursor cursor(doc.get());
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Arial")});
    format.setFontPointSize(12);
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(paragraphs[i], format);
    }
    return doc;
}

TEST(RtfWriter, WorkedExample) {
    const std::string rtf = Rtf(*Read(WorkedExample()));
    // Only the fonts and colours in use, with their declarations as read.
    const std::string head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036\\deftab2880"
                             "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}"
                             "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green255\\blue0;}";
    EXPECT_EQ(rtf.substr(0, head.size()), head);
    const std::string body = "\\pard\\plain \\b \\ul Calculer\\par\r\n\\fs18 \\b0 \\ulnone \\cf1 "
                             "1\\'b0/ \\i x\\i0  = 5\\tab {\\highlight2  12 }\\par\r\n"
                             "}\r\n";
    EXPECT_EQ(rtf.substr(rtf.size() - body.size()), body) << rtf;
}

TEST(RtfWriter, FontDeclarationsAreKeptAsRead) {
    const std::string rtf = Rtf(*Read(std::string(kSheetHeader) + "\\f3 s\\f4 q\\f2 c}"));
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\froman\\fprq2\\fcharset2 Symbol;}{\\f1\\fswiss\\fcharset0 "
                       "Arial;}{\\f2\\fmodern\\fprq1\\fcharset0 Courier New;}}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("s\\f1 q\\f2 c}"), std::string::npos) << rtf;
}

TEST(RtfWriter, EscapesTextIntoAsciiBytes) {
    const std::string rtf = Rtf(
        *Plain({U(u"a\\b{c}é€≈\uFB01\tz\u00A0\u00AD\u2011\u2028y日😀"), U(u"ÀÉÎÕÜàéîõü°²µœ—…")}));
    EXPECT_NE(rtf.find("a\\\\b\\{c\\}\\'e9\\'80\\u8776?\\u-1279?\\tab z\\~\\-\\_\\line "
                       "y\\u26085?\\u-10179?\\u-8704?"),
              std::string::npos)
        << rtf;
    for (const char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(RtfWriter, FormattingControlWords) {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("Arial")});
    base.setFontPointSize(9);
    QTextCharFormat f = base;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(13);
    f.setFontWeight(QFont::Bold);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    f.setForeground(QColor(255, 0, 0));
    f.setBackground(QColor(255, 255, 0));
    cursor.insertText(QStringLiteral("a"), base);
    cursor.insertText(QStringLiteral("b"), f);
    cursor.insertText(QStringLiteral("c"), base);
    const std::string rtf = Rtf(doc);
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New "
                       "Roman;}}{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\fs18 a\\f1 \\fs26 \\b \\i \\ul \\strike \\super \\cf1 {\\highlight2 b}"
                       "\\f0 \\fs18 \\b0 \\i0 \\ulnone \\strike0 \\nosupersub \\cf0 c"),
              std::string::npos)
        << rtf;
}

// A highlight lives in a group around its run, which ends it; "\highlight0"
// is never written, since some readers paint it black.
TEST(RtfWriter, HighlightedRunsAreGroups) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\\highlight1 b\\b c\\highlight0 d\\b0 e", "a{\\highlight1 b\\b c}\\b d\\b0 e}"},
        {"\\highlight1 a\\highlight2 b\\highlight0 c", "{\\highlight1 a}{\\highlight2 b}c}"},
        {"\\highlight1 a\\par b\\par\\par\\highlight0 c",
         "{\\highlight1 a}\\par\r\n{\\highlight1 b}\\par\r\n\\par\r\nc}"},
        {"\\trowd\\cellx500\\cellx900\\intbl\\highlight1 a\\cell b\\cell\\row",
         "{\\highlight1 a}\\cell {\\highlight1 b}\\cell \\row"},
    };
    for (const auto& c : cases) {
        const std::string in = std::string("{\\rtf1{\\colortbl ;\\red255\\green255\\blue0;"
                                           "\\red0\\green255\\blue0;}") +
                               c.in + "}";
        const std::string rtf = Rtf(*Read(in));
        EXPECT_NE(rtf.find(c.out), std::string::npos) << rtf;
        EXPECT_EQ(rtf.find("highlight0"), std::string::npos) << rtf;
    }
}

TEST(RtfWriter, PageWhenGiven) {
    const auto doc = Plain({QStringLiteral("x")});
    const std::string rtf = WriteRtf(*doc, RtfPage{11906, 16838, 240, 250, 260, 270}).toStdString();
    EXPECT_NE(rtf.find("{\\colortbl ;}{\\*\\generator VORN "
                       "1.4;}\\paperw11906\\paperh16838\\margl240\\margr250\\margt260"
                       "\\margb270\r\n\\viewkind4"),
              std::string::npos)
        << rtf;
    EXPECT_EQ(Rtf(*doc).find("\\paper"), std::string::npos);
}

TEST(RtfWriter, EmptyParagraphsAndDefaultTab) {
    auto doc = Read(std::string_view("{\\rtf1 a\\par\\fs48\\par\\fs20 b}"));
    EXPECT_NE(Rtf(*doc).find("\\deftab720{"), std::string::npos);
    EXPECT_NE(Rtf(*doc).find("a\\par\r\n\\fs48 \\par\r\n\\fs20 b}"), std::string::npos);
    doc->setProperty(kDefTabTwipsProperty, 1134);
    EXPECT_NE(Rtf(*doc).find("\\deftab1134{"), std::string::npos);
    EXPECT_NE(Rtf(*Plain({QStringLiteral("x")})).find("\\deftab720{"), std::string::npos);
}

TEST(PlainTextWriter, ParagraphsSeparatedByLfInUtf8) {
    EXPECT_EQ(WritePlainText(*Plain({U(u"é€\t≈"), QString(), U(u"fin\u2028ligne 😀")})),
              QByteArray("\xC3\xA9\xE2\x82\xAC\t\xE2\x89\x88\n\nfin\nligne \xF0\x9F\x98\x80"));
    EXPECT_EQ(WritePlainText(*Read(WorkedExample())),
              QByteArray("Calculer\n1\xC2\xB0/ x = 5\t 12 \n"));
    EXPECT_TRUE(WritePlainText(QTextDocument()).isEmpty());
    // A raised 2 or 3 is an exponent; any other raised character stays itself.
    EXPECT_EQ(WritePlainText(*Read(
                  std::string_view("{\\rtf1 x\\super 2\\nosupersub  - 2\\super 3\\nosupersub  "
                                   "- 2\\super 4}"))),
              QByteArray("x\xC2\xB2 - 2\xC2\xB3 - 24"));
}

} // namespace
} // namespace vorn::test
