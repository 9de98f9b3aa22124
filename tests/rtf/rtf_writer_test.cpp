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
                             "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;";
    EXPECT_EQ(rtf.substr(0, head.size()), head);
    const std::string body =
        "\\pard\\plain \\b \\ul Calculer\\par\r\n\\pard\\tx2880\\tx5760\\tx8640 "
        "\\fs18 \\b0 \\ulnone \\cf1 1\\'b0/ \\i x\\i0  = 5\\tab {\\highlight7  12 }"
        "\\par\r\n}\r\n";
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
    EXPECT_NE(rtf.find("a\\\\b\\{c\\}\\'e9\\'80\\f1 \\u8776?\\u-1279?\\f0 \\tab z\\~\\-\\_\\line "
                       "y\\f2 \\u26085?\\f1 \\u-10179?\\u-8704?"),
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
                       "Roman;}}{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\fs18 a\\f1 \\fs26 \\b \\i \\ul \\strike \\cf6 {\\highlight7 {\\super b}}"
                       "\\f0 \\fs18 \\b0 \\i0 \\ulnone \\strike0 \\cf0 c"),
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
        // Yellow and green are written at 7 and 4, where readers that take
        // \highlightN as Word's fixed list find them too.
        {"a\\highlight1 b\\b c\\highlight0 d\\b0 e", "a{\\highlight7 b\\b c}\\b d\\b0 e}"},
        {"\\highlight1 a\\highlight2 b\\highlight0 c", "{\\highlight7 a}{\\highlight4 b}c}"},
        {"\\highlight1 a\\par b\\par\\par\\highlight0 c",
         "{\\highlight7 a}\\par\r\n{\\highlight7 b}\\par\r\n\\par\r\nc}"},
        {"\\trowd\\cellx500\\cellx900\\intbl\\highlight1 a\\cell b\\cell\\row",
         "{\\highlight7 a}\\cell {\\highlight7 b}\\cell \\row"},
        // A paragraph's shading ends with its paragraph.
        {"\\cbpat1 a\\par\\pard b\\par c", "{\\highlight7 a}\\par\r\nb\\par\r\nc}"},
        // Raised and lowered runs are groups, inside the highlight's; a
        // paragraph mark is never raised.
        {"x\\super 2\\nosupersub +\\highlight1 y\\sub 3\\par\\plain z\\super 2\\par",
         "x{\\super 2}+{\\highlight7 y{\\sub 3}}\\par\r\nz{\\super 2}\\par"},
    };
    for (const auto& c : cases) {
        const std::string in = std::string("{\\rtf1{\\colortbl ;\\red255\\green255\\blue0;"
                                           "\\red0\\green255\\blue0;}") +
                               c.in + "}";
        const std::string rtf = Rtf(*Read(in));
        EXPECT_NE(rtf.find(c.out), std::string::npos) << rtf;
        EXPECT_EQ(rtf.find("highlight0"), std::string::npos) << rtf;
        EXPECT_EQ(rtf.find("nosupersub"), std::string::npos) << rtf;
    }
}

// Each paragraph with tabs states the default stops across the text width,
// for readers that ignore \deftab.
TEST(RtfWriter, ParagraphsWithTabsStateTheirStops) {
    const auto doc =
        Read(std::string_view("{\\rtf1\\deftab2880 a\\par b\\tab c\\par\\li200 d\\tab e}"));
    const std::string rtf = WriteRtf(*doc, RtfPage{11906, 16838, 240, 240, 240, 240}).toStdString();
    EXPECT_NE(rtf.find("\\plain a\\par\r\n\\pard\\tx2880\\tx5760\\tx8640 b\\tab c\\par\r\n"
                       "\\pard\\li200\\tx2880\\tx5760\\tx8640 d\\tab e}"),
              std::string::npos)
        << rtf;
}

// Characters beyond Windows-1252 are in a font declared with a set that holds
// them, the same font otherwise.
TEST(RtfWriter, CharactersBeyondWindows1252GetAFontOfTheirSet) {
    const std::string rtf = Rtf(*Plain({U(u"é α ≈ Ж ş")}));
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset161 "
                       "Arial;}{\\f2\\fnil\\fcharset1 Arial;}{\\f3\\fnil\\fcharset204 Arial;}"
                       "{\\f4\\fnil\\fcharset162 Arial;}}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\'e9 \\f1 \\u945?\\f0  \\f2 \\u8776?\\f0  \\f3 \\u1046?\\f0  \\f4 "
                       "\\u351?"),
              std::string::npos)
        << rtf;
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

// A question and its worked lines stay on one page in any reader: every line
// but the last is kept with the next. A question line alone, a lone worked
// line, and a worked line after a blank one are not a question's lines.
TEST(RtfWriter, AQuestionsLinesAreKeptWithTheNext) {
    const std::string rtf = Rtf(*Plain({U(u"1°/ x + x"), "      = 2x", "      = 2x", "", "2°/ y",
                                        "", "      = 3", "12°/ z", "  = z", "3 / 4"}));
    EXPECT_NE(rtf.find("\\pard\\keepn 1\\'b0/ x + x\\par\r\n      = 2x\\par\r\n\\pard       = 2x"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\pard\\keepn 12\\'b0/ z\\par\r\n\\pard   = z\\par\r\n3 / 4}"),
              std::string::npos)
        << rtf;
    // Nothing between the first question's last line and "12°/" is kept.
    EXPECT_EQ(rtf.find("\\keepn", rtf.find("2x\\par\r\n\\pard")), rtf.find("\\keepn 12"));
    // An exercise's heading and the blank line under it go with the first line.
    const std::string headed = Rtf(*Plain({"Exercice 2 : Calculer.", "", U(u"1°/ 3"), "", "x"}));
    EXPECT_NE(headed.find("\\pard\\keepn Exercice 2 : Calculer.\\par\r\n\\par\r\n\\pard 1\\'b0/ 3"),
              std::string::npos)
        << headed;
}

// A set's sheets share one file: one table of the fonts and colours of them
// all, each sheet's runs numbered in it, each sheet on a new page. Sheets
// that use other fonts (a minus sign needs one of its own) were refused.
TEST(RtfWriter, SeveralDocumentsShareOneTableAndStartNewPages) {
    const auto a = Read(std::string_view("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 A}"));
    const auto b = Read(std::string_view(
        "{\\rtf1{\\fonttbl{\\f0 Times New Roman;}}{\\colortbl;\\red255\\green255\\blue0;}"
        "\\f0\\fs24 {\\highlight1 B}}"));
    const std::string one = WriteRtf(*a).toStdString();
    const std::string twice = WriteRtfPages({a.get(), a.get()}).toStdString();
    const std::size_t body = one.find("\\viewkind4");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(twice, one.substr(0, one.size() - 3) + "\\page\r\n\\pard\\plain " +
                         one.substr(one.find("\\plain ", body) + 7));
    const std::string mixed = WriteRtfPages({a.get(), b.get()}).toStdString();
    EXPECT_NE(mixed.find("{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New Roman;}"),
              std::string::npos)
        << mixed;
    EXPECT_NE(mixed.find("A\\page\r\n\\pard\\plain \\f1 {\\highlight7 B}}"), std::string::npos)
        << mixed;
    EXPECT_EQ(WriteRtfPages({a.get()}), WriteRtf(*a));
    EXPECT_TRUE(WriteRtfPages({}).isEmpty());
}

TEST(PlainTextWriter, ParagraphsSeparatedByLfInUtf8) {
    EXPECT_EQ(WritePlainText(*Plain({U(u"é€\t≈"), QString(), U(u"fin\u2028ligne 😀")})),
              QByteArray("\xC3\xA9\xE2\x82\xAC\t\xE2\x89\x88\n\nfin\nligne \xF0\x9F\x98\x80"));
    EXPECT_EQ(WritePlainText(*Read(WorkedExample())),
              QByteArray("Calculer\n1\xC2\xB0/ x = 5\t 12 \n"));
    // Raised digits keep their meaning: "5 x²", not 5 × x × 2.
    EXPECT_EQ(
        WritePlainText(*Read(std::string_view("{\\rtf1 5 x{\\super 2} + x{\\super 3a} y\\sub 2}"))),
        QByteArray("5 x\xC2\xB2 + x\xC2\xB3"
                   "a y2"));
    EXPECT_TRUE(WritePlainText(QTextDocument()).isEmpty());
    // The raise ends where the reader ends it: only the raised digits change.
    EXPECT_EQ(
        WritePlainText(*Read(std::string_view("{\\rtf1 x\\super 2\\nosupersub  - 2\\super 3}"))),
        QByteArray("x\xC2\xB2 - 2\xC2\xB3"));
}

} // namespace
} // namespace vorn::test
