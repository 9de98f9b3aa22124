#include "exercises/random_source.h"
#include "richtext/plain_shaping.h"
#include "richtext/rich_text_pane.h"
#include "sheet_model.h"

#include <QGlyphRun>
#include <QImage>
#include <QTextDocument>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

QTextCharFormat FormatOfCharAt(RichTextPane& pane, int pos) {
    QTextCursor c(pane.document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

TEST(SheetInPane, EveryFamilyShowsAsItsMarkupSays) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " " + std::to_string(kind.level));
        const vorn::Sheet sheet = vorn_test::MakeSheet(kind, 40, 5);
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            RichTextPane pane;
            MarkupToRtf(pane, *markup);
            const auto expected = vorn_test::ReadGeneratedMarkup(*markup);
            EXPECT_EQ(pane.GetText(), vorn_test::TextOf(expected));
            EXPECT_EQ(pane.TextLength(), int(expected.size()));
            vorn_test::ExpectDocumentLooksLike(*pane.document(), expected);
        }
    }
}

// A degree-2 expression and answer line as the generators write them.
const char kDegree2[] =
    "<te=24>VN2-071542 - <b><u>Essai</u></b><br><br><br><ce=noir><te=18>"
    "7<i> <te=26><times>x</i><te=18><arial><sup>2</sup> - <i> <te=26><times>x</i><te=18><arial>"
    "  <ce=noir>    pour<br>1\xB0/ <i><te=26><times> x</i><te=18><arial> = 15<tab><tab>"
    "<cf=jaune> 1 560 <cf=auto><br>";

TEST(SheetInPane, XIsTimesItalic13SquareIsSuperscriptBodyIsArial9) {
    RichTextPane pane;
    MarkupToRtf(pane, kDegree2);
    const QString text = pane.GetText();
    const int seven = text.indexOf(QString("\n7")) + 1;
    ASSERT_EQ(text.mid(seven, 4), QString("7 x2")); // "7", italic space, "x", "2"
    const QTextCharFormat x = FormatOfCharAt(pane, seven + 2);
    EXPECT_EQ(x.fontFamilies().toStringList().value(0), QString("Times New Roman"));
    EXPECT_TRUE(x.fontItalic());
    EXPECT_EQ(x.fontPointSize(), 13.0);
    const QTextCharFormat square = FormatOfCharAt(pane, seven + 3);
    EXPECT_EQ(square.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(square.fontFamilies().toStringList().value(0), QString("Arial"));
    const QTextCharFormat body = FormatOfCharAt(pane, seven);
    EXPECT_EQ(body.fontFamilies().toStringList().value(0), QString("Arial"));
    EXPECT_EQ(body.fontPointSize(), 9.0);
    EXPECT_EQ(FormatOfCharAt(pane, 0).fontPointSize(), 12.0);

    // Yellow on " 1 560 " and nowhere else.
    const int result = text.indexOf(QString("\t 1 560 ")) + 1;
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat f = FormatOfCharAt(pane, i);
        const bool yellow = text[i] != QLatin1Char('\n') && f.background().style() != Qt::NoBrush &&
                            f.background().color() == QColor(255, 255, 0);
        EXPECT_EQ(yellow, i >= result && i < result + 7) << "at " << i;
    }
}

TEST(SheetInPane, TabsStopEveryTwoInchesOnScreenHalfAnInchForPlainText) {
    RichTextPane pane;
    MarkupToRtf(pane, "<te=18>1\xB0/ x<tab><tab><cf=jaune> 7 <cf=auto>");
    pane.document()->setTextWidth(2000);
    pane.document()->documentLayout()->documentSize();
    const qreal inch = pane.logicalDpiX();
    QTextLine line = pane.document()->begin().layout()->lineAt(0);
    EXPECT_NEAR(line.cursorToX(6) - line.cursorToX(0), 2 * inch, 0.5);
    EXPECT_NEAR(line.cursorToX(7) - line.cursorToX(0), 4 * inch, 0.5);

    pane.SetText("a\tb");
    pane.document()->setTextWidth(2000);
    pane.document()->documentLayout()->documentSize();
    line = pane.document()->begin().layout()->lineAt(0);
    EXPECT_NEAR(line.cursorToX(2) - line.cursorToX(0), inch / 2, 0.5);
}

// Numbers, expressions and separators skip OpenType shaping; they must lay
// out exactly as shaped text would, glyph for glyph, at any width, and most
// runs of a sheet must be such runs.
// Lays `markup` out as the pane reads it and with every run shaped, at a
// printer's resolution (where a kerning too small for the screen still moves
// a glyph), and compares them glyph for glyph. Returns the number of runs and
// of unshaped runs, and of unshaped separators of `separatorLength`.
struct PlainRunCount {
    int runs = 0;
    int unshaped = 0;
    int separators = 0;
};
PlainRunCount ExpectLaidOutAsShaped(const std::string& markup, int separatorLength) {
    RichTextPane pane;
    MarkupToRtf(pane, markup);
    // Copies away from the pane, whose widget sets the width of its own.
    std::unique_ptr<QTextDocument> unshaped(pane.document()->clone());
    std::unique_ptr<QTextDocument> shaped(pane.document()->clone());
    PlainRunCount count;
    for (QTextBlock b = shaped->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it, ++count.runs) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().fontStyleStrategy() != QFont::PreferNoShaping)
                continue;
            ++count.unshaped;
            count.separators += f.text() == QString(separatorLength, u'-');
            QTextCursor c(shaped.get());
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            QTextCharFormat plain;
            plain.setFontStyleStrategy(QFont::PreferDefault);
            c.mergeCharFormat(plain);
        }
    }
    QImage printer(1, 1, QImage::Format_Mono);
    printer.setDotsPerMeterX(qRound(1200 / 0.0254));
    printer.setDotsPerMeterY(qRound(1200 / 0.0254));
    unshaped->documentLayout()->setPaintDevice(&printer);
    shaped->documentLayout()->setPaintDevice(&printer);
    for (const qreal width : {3777.0, 40000.0}) {
        unshaped->setTextWidth(width);
        shaped->setTextWidth(width);
        QTextBlock b = unshaped->begin();
        for (QTextBlock s = shaped->begin(); s.isValid(); s = s.next(), b = b.next()) {
            EXPECT_TRUE(b.isValid());
            if (!b.isValid())
                return count;
            unshaped->documentLayout()->blockBoundingRect(b);
            shaped->documentLayout()->blockBoundingRect(s);
            EXPECT_EQ(b.layout()->lineCount(), s.layout()->lineCount()) << width;
            // A block's layout holds no text of its own: glyphRuns() without
            // a range gives nothing. Runs group glyphs by font, and unshaped
            // text has fonts of its own: compare glyph by glyph.
            const auto glyphs = [](const QTextBlock& block) {
                std::vector<std::tuple<qreal, qreal, quint32>> placed;
                for (const QGlyphRun& run : block.layout()->glyphRuns(0, block.length())) {
                    const QList<quint32> indexes = run.glyphIndexes();
                    const QList<QPointF> at = run.positions();
                    for (qsizetype i = 0; i < indexes.size(); ++i)
                        placed.emplace_back(at[i].y(), at[i].x(), indexes[i]);
                }
                std::sort(placed.begin(), placed.end());
                return placed;
            };
            const auto laid = glyphs(b);
            EXPECT_EQ(laid, glyphs(s)) << width << " " << b.text().toStdString();
            EXPECT_EQ(laid.empty(), b.text().trimmed().isEmpty());
        }
    }
    return count;
}

// Numbers, expressions and separators skip OpenType shaping; they must lay
// out exactly as shaped text would, at any width, and most runs of a sheet
// must be such runs.
TEST(SheetInPane, PlainRunsLayOutAsShapedTextWould) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " " + std::to_string(kind.level));
        vorn::SheetSettings settings;
        settings.questionCount = 8;
        settings.separatorLength = 1000;
        vorn::LcgRandom random(7);
        const vorn::Sheet sheet = vorn::GenerateSheet(kind, settings, random);
        const PlainRunCount count = ExpectLaidOutAsShaped(sheet.answerKey, 1000);
        EXPECT_GE(count.separators, settings.questionCount - 1);
        EXPECT_GE(count.unshaped * 3, count.runs * 2) << count.unshaped << " of " << count.runs;
    }
    // Pairs the fonts may kern ("11" in Liberation), in every style a sheet uses.
    const std::string kerning =
        "1\xB0/ 11 \xD7 (-110) + 111 = 1 1<br><times>= 11 <i>x</i><sup>2</sup> "
        "- (11)<i>x11</i><b>111 - 11</b>";
    EXPECT_GT(ExpectLaidOutAsShaped(kerning, 0).unshaped, 0);
}

// A pair the font kerns keeps its run shaped, and so does any other
// character; text typed after a plain run is shaped again.
TEST(SheetInPane, KernedPairsAndTypedWordsAreShaped) {
    std::bitset<vorn::kPlainCharacterCount * vorn::kPlainCharacterCount> kerned;
    kerned.set(1 * vorn::kPlainCharacterCount + 1); // "11"
    const vorn::PlainShaping shaping(kerned);
    const std::pair<const char16_t*, bool> cases[] = {
        {u"= 12 x + 3", true}, {u"(-4) \u00D7 10", true}, {u"1\u00B0/ ", true}, {u"1 1", true},
        {u"111", false},       {u"2 y", false},           {u"", false},
    };
    for (const auto& [text, plain] : cases)
        EXPECT_EQ(shaping.LaysOutPlainly(text), plain) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(vorn::PlainShaping().LaysOutPlainly(u"12"));
    // Fonts past the first few asked for are not examined: their text is
    // shaped. Unknown names fall back on an installed font that kerns no
    // "12", so an examined one would lay it out plainly.
    for (int i = 0; i < 40; ++i)
        vorn::PlainShapingOf(QFont(QStringLiteral("Vorn Test Font %1").arg(i)));
    EXPECT_FALSE(
        vorn::PlainShapingOf(QFont(QStringLiteral("Vorn Test Font 39"))).LaysOutPlainly(u"12"));

    RichTextPane pane;
    MarkupToRtf(pane, "<times>= 25 <i>x</i> + 36");
    QTextCursor end(pane.document());
    end.movePosition(QTextCursor::End);
    ASSERT_EQ(end.charFormat().fontStyleStrategy(), QFont::PreferNoShaping);
    pane.setTextCursor(end);
    pane.show();
    QTest::keyClicks(&pane, "fin");
    end.movePosition(QTextCursor::End);
    EXPECT_EQ(pane.GetText(), "= 25 x + 36fin");
    EXPECT_NE(end.charFormat().fontStyleStrategy(), QFont::PreferNoShaping);
}

} // namespace
