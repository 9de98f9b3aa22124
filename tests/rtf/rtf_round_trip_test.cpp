#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include "exercises/family_table.h"
#include "exercises/random_source.h"
#include "richtext/markup_converter.h"
#include "tests/rtf/rtf_sample_documents.h"
#include "tests/rtf/rtf_test_support.h"
#include "text/cp1252.h"

#include <QTextCursor>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

QByteArray Bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}

// Reading, writing and reading again changes nothing, and the second writing
// gives the same bytes as the first.
void ExpectRoundTrip(const QByteArray& rtf) {
    const auto first = Read(rtf);
    const QByteArray written = WriteRtf(*first);
    const auto second = Read(written);
    ExpectSameLooks(*first, *second);
    EXPECT_EQ(second->property(kDefTabTwipsProperty), first->property(kDefTabTwipsProperty));
    EXPECT_EQ(WriteRtf(*second), written);
}

TEST(RtfRoundTrip, EveryFormattingOfABuiltDocument) {
    QTextDocument doc;
    doc.setProperty(kDefTabTwipsProperty, 2880);
    QTextCursor cursor(&doc);
    const QString families[] = {"Arial", "Times New Roman", "Courier New", "Symbol"};
    const QColor colours[] = {QColor(0, 0, 0), QColor(255, 0, 0), QColor(0, 128, 128),
                              QColor(255, 255, 0)};
    const QString texts[] = {U(u"plain "),
                             U(u"a\\b{c}"),
                             U(u"é€≈ﬁ😀"),
                             U(u"x\ty"),
                             U(u"nb\u00A0sp\u00ADsh\u2011nh"),
                             U(u"line\u2028break")};
    // Every combination of the toggles, crossed with fonts, sizes and colours.
    for (int i = 0; i < 64; ++i) {
        QTextCharFormat f;
        f.setFontFamilies({families[i % 4]});
        f.setFontPointSize(i % 3 == 0 ? 9 : i % 3 == 1 ? 13 : 10.5);
        f.setFontWeight(i & 1 ? QFont::Bold : QFont::Normal);
        f.setFontItalic(i & 2);
        f.setFontUnderline(i & 4);
        f.setFontStrikeOut(i & 8);
        f.setVerticalAlignment(i & 16   ? QTextCharFormat::AlignSuperScript
                               : i & 32 ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignNormal);
        if (i % 5 != 0)
            f.setForeground(colours[i % 4]);
        if (i % 7 == 3)
            f.setBackground(colours[i / 7 % 4]);
        cursor.insertText(texts[i % 6], f);
        if (i % 9 == 8) {
            cursor.insertBlock();
            if (i % 2 == 0) { // an empty paragraph whose mark is large and bold
                f.setFontPointSize(20);
                f.setFontWeight(QFont::Bold);
                f.setVerticalAlignment(QTextCharFormat::AlignNormal); // a mark is never raised
                cursor.setBlockCharFormat(f);
                cursor.insertBlock();
            }
        }
    }
    const QByteArray rtf = WriteRtf(doc);
    const auto back = Read(rtf);
    ExpectSameLooks(doc, *back);
    EXPECT_EQ(back->property(kDefTabTwipsProperty).toInt(), 2880);
    ExpectRoundTrip(rtf);
}

TEST(RtfRoundTrip, SampleDocuments) {
    ExpectRoundTrip(Bytes(WorkedExample()));
    ExpectRoundTrip(Bytes(std::string(kWordPadSample)));
    ExpectRoundTrip(Bytes(std::string(kLibreOfficeSample)));
}

TEST(RtfRoundTrip, ConvertedSheetsOfEveryFamily) {
    SheetSettings settings;
    settings.questionCount = 12;
    settings.title = "Titre \xe9t\xe9 \x80";
    for (const SheetKind& kind : AllSheetKinds()) {
        for (const std::uint32_t seed : {1u, 77u}) {
            LcgRandom random(seed);
            const Sheet sheet = GenerateSheet(kind, settings, random);
            SCOPED_TRACE(sheet.reference);
            ExpectRoundTrip(Bytes(ConvertMarkupToRtf(sheet.statement)));
            ExpectRoundTrip(Bytes(ConvertMarkupToRtf(sheet.answerKey)));
        }
    }
}

// The text between each "<cf=jaune>" and the next "<cf=auto>", tags removed,
// RTF's escapes of a brace and of a character ("\\u8722?") read.
std::vector<QString> HighlightedInMarkup(const std::string& markup) {
    std::vector<QString> out;
    const std::string open = "<cf=jaune>", close = "<cf=auto>";
    for (std::size_t p = markup.find(open); p != std::string::npos; p = markup.find(open, p)) {
        const std::size_t end = markup.find(close, p);
        QString text;
        bool inTag = false;
        for (std::size_t i = p + open.size(); i < end; ++i) {
            if (markup[i] == '<') {
                inTag = true;
            } else if (markup[i] == '>') {
                inTag = false;
            } else if (!inTag && markup.compare(i, 2, "\\u") == 0) {
                const std::size_t mark = markup.find('?', i);
                text += QChar(std::stoi(markup.substr(i + 2, mark - i - 2)));
                i = mark;
            } else if (!inTag && markup[i] == '\\') {
                text += QChar::fromLatin1(markup[++i]);
            } else if (!inTag && static_cast<unsigned char>(markup[i]) >= 0x20) {
                text += QString::fromStdString(Cp1252ToUtf8(std::string(1, markup[i])));
            }
        }
        out.push_back(text);
        p = end;
    }
    return out;
}

// The maximal runs of characters on a yellow background.
std::vector<QString> HighlightedInDocument(const QTextDocument& doc) {
    std::vector<QString> out;
    bool inRun = false;
    for (const Styled& s : StyledOf(doc)) {
        const bool yellow = s.look.background == 0xFFFF00u && s.c != QChar(0x2029);
        if (yellow && !inRun)
            out.emplace_back();
        if (yellow)
            out.back() += s.c;
        inRun = yellow;
    }
    return out;
}

TEST(RtfRoundTrip, AnswerKeysHighlightExactlyTheResults) {
    SheetSettings settings;
    settings.questionCount = 8;
    for (const SheetKind& kind : AllSheetKinds()) {
        LcgRandom random(2024);
        const Sheet sheet = GenerateSheet(kind, settings, random);
        SCOPED_TRACE(sheet.reference);
        const std::vector<QString> expected = HighlightedInMarkup(sheet.answerKey);
        ASSERT_EQ(expected.size(), 8u);
        const auto doc = Read(Bytes(ConvertMarkupToRtf(sheet.answerKey)));
        EXPECT_EQ(HighlightedInDocument(*doc), expected);
        EXPECT_EQ(HighlightedInDocument(*Read(WriteRtf(*doc))), expected);
    }
}

} // namespace
} // namespace vorn::test
