#include "richtext/rtf_reader.h"

#include "tests/rtf/rtf_sample_documents.h"
#include "tests/rtf/rtf_test_support.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextOption>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

constexpr unsigned kBlack = 0x000000, kRed = 0xFF0000, kYellow = 0xFFFF00, kBlue = 0x0000FF;

Look Arial(double points) {
    return LookIn(QStringLiteral("Arial"), points);
}
std::unique_ptr<QTextDocument> Sheet(std::string_view body) {
    return Read(std::string(kSheetHeader) + std::string(body));
}

TEST(RtfReader, WorkedExample) {
    EXPECT_EQ(kSheetHeader.size(), 643u);
    const auto doc = Read(WorkedExample());
    EXPECT_EQ(TextOf(*doc), U(u"Calculer\n1°/ x = 5\t 12 \n"));
    EXPECT_EQ(LookOf(*doc, "Calculer"), Arial(12).Bold().Underline());

    // Line two: Arial 9 in black, "x" italic, the yellow exactly on " 12 ".
    const std::vector<Styled> styled = StyledOf(*doc);
    const QString line = U(u"1°/ x = 5\t 12 ");
    for (int i = 0; i < line.size(); ++i) {
        Look expected = Arial(9).Fg(kBlack);
        if (line[i] == u'x')
            expected.Italic();
        if (i >= 10)
            expected.Bg(kYellow);
        EXPECT_EQ(styled[static_cast<std::size_t>(9 + i)].c, line[i]);
        EXPECT_EQ(styled[static_cast<std::size_t>(9 + i)].look, expected) << "at " << i;
    }
    // The empty last paragraph has the formatting in force at its break.
    EXPECT_EQ(styled.back().look, Arial(9).Fg(kBlack));
}

TEST(RtfReader, DefaultTabInTwipsAndScreenTabStops) {
    const auto doc = Read(WorkedExample());
    EXPECT_EQ(doc->property(kDefTabTwipsProperty).toInt(), 2880);
    EXPECT_DOUBLE_EQ(doc->defaultTextOption().tabStopDistance(), 192.0); // two inches at 96 dpi
    const auto plain = Read(std::string_view("{\\rtf1 a\\tab b}"));
    EXPECT_EQ(plain->property(kDefTabTwipsProperty).toInt(), 720); // RTF's half inch
    EXPECT_DOUBLE_EQ(plain->defaultTextOption().tabStopDistance(), 48.0);
}

TEST(RtfReader, SheetFontsSizesAndSquare) {
    const auto doc = Sheet("\\fs18 1\\f1 \\fs26 \\i x\\i0 \\super 2\\nosupersub \\f0 \\fs18  + 3"
                           "\\f2  c\\f3  s\\f4  q}");
    EXPECT_EQ(TextOf(*doc), QStringLiteral("1x2 + 3 c s q"));
    const QString times = QStringLiteral("Times New Roman");
    EXPECT_EQ(LookOf(*doc, "x"), LookIn(times, 13).Italic());
    EXPECT_EQ(LookOf(*doc, "2"), LookIn(times, 13).Valign(1));
    EXPECT_EQ(LookOf(*doc, "+"), Arial(9));
    EXPECT_EQ(LookOf(*doc, "c").family, QStringLiteral("Courier New"));
    EXPECT_EQ(LookOf(*doc, "s").family, QStringLiteral("Symbol"));
    EXPECT_EQ(LookOf(*doc, "q").family, QStringLiteral("Arial"));

    // Through fontconfig the names reach the installed Liberation faces.
    QTextCursor cursor(doc.get());
    const auto faceAfter = [&](int pos) {
        cursor.setPosition(pos);
        return QFontInfo(cursor.charFormat().font()).family();
    };
    EXPECT_EQ(faceAfter(1), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(faceAfter(2), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(faceAfter(9), QStringLiteral("Liberation Mono"));
}

TEST(RtfReader, FontEntriesWithEmbeddedGroups) {
    // Word puts the panose number before the name, LibreOffice the
    // alternative name after it; neither is part of the name.
    const auto doc = Read(std::string_view(
        "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman{\\*\\panose 02020603050405020304}Times New Roman;}"
        "{\\f1\\fswiss Liberation Sans{\\*\\falt Arial};}\\f2\\fmodern Courier New;\\f3 Sym\\'e9;}"
        "a\\f0 b\\f2 c\\f3 d\\f9 e}"));
    EXPECT_EQ(LookOf(*doc, "a").family, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(LookOf(*doc, "b").family, QStringLiteral("Times New Roman"));
    EXPECT_EQ(LookOf(*doc, "c").family, QStringLiteral("Courier New"));
    EXPECT_EQ(LookOf(*doc, "d").family, U(u"Symé"));
    EXPECT_EQ(LookOf(*doc, "e").family, QStringLiteral("Liberation Sans")); // unknown: the default
}

// A font declared again for another character set (as the writer does for
// a minus sign) is the same font: its text shares its neighbours' run. A
// symbol declaration, or another pitch, is another font.
TEST(RtfReader, AFontInAnotherCharacterSetIsOneRunWithItsNeighbours) {
    const auto doc = Read(std::string_view(
        "{\\rtf1{\\fonttbl{\\f1\\froman\\fprq2\\fcharset0 Times;}{\\f2\\froman\\fprq2\\fcharset1 "
        "Times;}{\\f3\\froman\\fprq2\\fcharset2 Times;}{\\f4\\froman\\fprq1\\fcharset1 Times;}}"
        "\\f1 a\\f2 \\u8722?\\f1 b\\par\\f2 c\\f1 d\\par\\f1 e\\f3 s\\f4 p}"));
    std::vector<QString> runs;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs.push_back(it.fragment().text());
    EXPECT_EQ(runs, std::vector<QString>({U(u"a−b"), U(u"cd"), U(u"e"), U(u"s"), U(u"p")}));
    // A number declared again names the new font only.
    const auto redeclared = Read(std::string_view(
        "{\\rtf1{\\fonttbl{\\f1 Times;}{\\f2\\fcharset1 Times;}{\\f1 Arial;}}\\f1 a\\f2 b}"));
    EXPECT_EQ(LookOf(*redeclared, "b").family, QStringLiteral("Times"));
}

TEST(RtfReader, ColourIndexZeroIsTheDefault) {
    const auto doc = Sheet("\\cf10 r\\cf0 a\\highlight12 y\\highlight0 n\\cb12 c\\cf99 o\\cb0 z}");
    EXPECT_EQ(LookOf(*doc, "r"), Arial(12).Fg(kRed));
    EXPECT_EQ(LookOf(*doc, "a"), Arial(12));
    EXPECT_EQ(LookOf(*doc, "y"), Arial(12).Bg(kYellow));
    EXPECT_EQ(LookOf(*doc, "n"), Arial(12));
    EXPECT_EQ(LookOf(*doc, "c"), Arial(12).Bg(kYellow));
    EXPECT_EQ(LookOf(*doc, "o"), Arial(12).Bg(kYellow)); // no entry 99: the default colour
    EXPECT_EQ(LookOf(*doc, "z"), Arial(12));
}

// LibreOffice puts highlighted text on the clipboard as background shading;
// the pane shows it as the nearest of its highlight colours.
TEST(RtfReader, BackgroundShadingReadsAsTheNearestHighlight) {
    const auto doc = Read(std::string_view(
        "{\\rtf1{\\colortbl;\\red255\\green255\\blue0;\\red250\\green235\\blue20;"
        "\\red0\\green0\\blue150;\\red200\\green201\\blue199;\\red1\\green2\\blue3;}"
        "{\\chcbpat1\\chshdng0 a}{\\cb2 b}{\\cbpat3 c}{\\chcbpat4 d}e"
        "{\\chcbpat2\\highlight5 f\\highlight0 g\\chcbpat0 h}{\\cb1\\plain i}}"));
    const struct {
        const char* text;
        std::optional<unsigned> background;
    } cases[] = {
        {"a", 0xFFFF00}, {"b", 0xFFFF00},     {"c", 0x000080},
        {"d", 0xC0C0C0}, {"e", std::nullopt}, {"f", 0x010203},
        {"g", 0xFFFF00}, {"h", std::nullopt}, {"i", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookOf(*doc, QString::fromLatin1(c.text)).background, c.background) << c.text;
}

TEST(RtfReader, FormattingCarriesOverParagraphsAndGroupsRestoreIt) {
    const auto doc =
        Read(std::string_view("{\\rtf1 {\\b\\i\\ul\\strike\\sub\\fs40 a\\par b}c"
                              "\\b1 d{\\b0\\plain e}f\\ulnone\\up6 g\\dn4 h\\up0 i\\b0 j}"));
    EXPECT_EQ(TextOf(*doc), QStringLiteral("a\nbcdefghij"));
    const Look group = LookIn(QString(), 20).Bold().Italic().Underline().Strike().Valign(2);
    EXPECT_EQ(LookOf(*doc, "a"), group);
    EXPECT_EQ(LookOf(*doc, "b"), group);
    EXPECT_EQ(LookOf(*doc, "c"), LookIn(QString(), 12));
    EXPECT_EQ(LookOf(*doc, "d"), LookIn(QString(), 12).Bold());
    EXPECT_EQ(LookOf(*doc, "e"), LookIn(QString(), 12));
    EXPECT_EQ(LookOf(*doc, "f"), LookIn(QString(), 12).Bold());
    EXPECT_EQ(LookOf(*doc, "g"), LookIn(QString(), 12).Bold().Valign(1));
    EXPECT_EQ(LookOf(*doc, "h"), LookIn(QString(), 12).Bold().Valign(2));
    EXPECT_EQ(LookOf(*doc, "i"), LookIn(QString(), 12).Bold());
    EXPECT_EQ(LookOf(*doc, "j"), LookIn(QString(), 12));
    // \plain goes back to the default font at 12 points.
    EXPECT_EQ(LookOf(*Sheet("\\f1\\b\\i\\fs40\\cf10\\super x\\plain y}"), "y"), Arial(12));
}

TEST(RtfReader, DestinationsNotShownAreSkippedWhole) {
    const auto doc = Read(
        std::string_view("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                         "{\\*\\generator Riched20}{\\*\\unknown {nested} "
                         "text}a\\foo{\\pict\\wmetafile8 01ff{\\*\\x 0}}"
                         "b{\\pict\\bin3 }}}}c{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt d}}"
                         "{\\header h}{\\footnote f}e\\qc\\sa200\\zz-3 f\\*g}"));
    EXPECT_EQ(TextOf(*doc), QStringLiteral("abcdef")); // "\*" drops the rest of its group
}

TEST(RtfReader, WordPadDocument) {
    const auto doc = Read(kWordPadSample);
    EXPECT_EQ(TextOf(*doc), U(u"Bonjour gras et italique.\nx2 rouge surligné\n"));
    const QString calibri = QStringLiteral("Calibri");
    EXPECT_EQ(LookOf(*doc, "Bonjour"), LookIn(calibri, 11));
    EXPECT_EQ(LookOf(*doc, "gras"), LookIn(calibri, 11).Bold());
    EXPECT_EQ(LookOf(*doc, "italique"), LookIn(calibri, 11).Italic());
    EXPECT_EQ(LookOf(*doc, "x"), Arial(9));
    EXPECT_EQ(LookOf(*doc, "2"), Arial(9).Valign(1));
    EXPECT_EQ(LookOf(*doc, "rouge"), Arial(9).Fg(kRed));
    EXPECT_EQ(LookOf(*doc, "surlign"), Arial(9).Bg(kYellow));
}

TEST(RtfReader, LibreOfficeDocument) {
    const auto doc = Read(kLibreOfficeSample);
    EXPECT_EQ(TextOf(*doc), U(u"Calculer : x2 = 5 bleu 12 barré\nLigne a\tfin\n"));
    EXPECT_EQ(doc->property(kDefTabTwipsProperty).toInt(), 709);
    const Look serif = LookIn(QStringLiteral("Liberation Serif"), 12);
    EXPECT_EQ(LookOf(*doc, "Calculer"), Arial(13).Bold());
    EXPECT_EQ(LookOf(*doc, " : "), serif);
    EXPECT_EQ(LookOf(*doc, "x"), Look(serif).Italic());
    EXPECT_EQ(LookOf(*doc, "2"), Look(serif).Valign(1));
    EXPECT_EQ(LookOf(*doc, "bleu"), Look(serif).Fg(kBlue).Underline());
    EXPECT_EQ(LookOf(*doc, " 12 "), Look(serif).Bg(kYellow));
    EXPECT_EQ(LookOf(*doc, U(u"barré")), Look(serif).Strike());
    EXPECT_EQ(LookOf(*doc, U(u"é")), Look(serif).Strike());
    EXPECT_EQ(LookOf(*doc, "a\t").family, QStringLiteral("Symbol"));
    EXPECT_EQ(LookOf(*doc, "Ligne"), serif);
}

TEST(RtfReader, ReplacesTheWholeContentAndKeepsNoUndo) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("old text"));
    ReadRtf(QByteArray("{\\rtf1 new}"), doc);
    EXPECT_EQ(TextOf(doc), QStringLiteral("new"));
    EXPECT_FALSE(doc.isUndoAvailable());
    EXPECT_TRUE(doc.isUndoRedoEnabled());
}

} // namespace
} // namespace vorn::test
