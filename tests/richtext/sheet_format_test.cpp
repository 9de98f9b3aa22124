#include "exercises/random_source.h"
#include "richtext/rich_text_pane.h"
#include "sheet_model.h"

#include <QGlyphRun>
#include <QTextDocument>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

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

// Separator lines skip OpenType shaping; they must lay out exactly as shaped
// text would, glyph for glyph, at any width.
TEST(SheetInPane, SeparatorsLayOutAsShapedTextWould) {
    vorn::SheetSettings settings;
    settings.questionCount = 5;
    settings.separatorLength = 1000;
    vorn::LcgRandom random(7);
    const vorn::Sheet sheet =
        vorn::GenerateSheet(vorn::SheetKind{&vorn::FamilyNamed("vn2")}, settings, random);
    RichTextPane pane;
    MarkupToRtf(pane, sheet.answerKey);
    // Copies away from the pane, whose widget sets the width of its own.
    std::unique_ptr<QTextDocument> unshaped(pane.document()->clone());
    std::unique_ptr<QTextDocument> shaped(pane.document()->clone());
    int unshapedRuns = 0;
    for (QTextBlock b = shaped->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().fontStyleStrategy() != QFont::PreferNoShaping)
                continue;
            ++unshapedRuns;
            EXPECT_EQ(f.text(), QString(1000, u'-'));
            QTextCursor c(shaped.get());
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            QTextCharFormat plain;
            plain.setFontStyleStrategy(QFont::PreferDefault);
            c.mergeCharFormat(plain);
        }
    }
    EXPECT_EQ(unshapedRuns, 5);
    for (const qreal width : {300.0, 777.0, 4000.0}) {
        unshaped->setTextWidth(width);
        shaped->setTextWidth(width);
        QTextBlock b = unshaped->begin();
        for (QTextBlock s = shaped->begin(); s.isValid(); s = s.next(), b = b.next()) {
            ASSERT_TRUE(b.isValid());
            unshaped->documentLayout()->blockBoundingRect(b);
            shaped->documentLayout()->blockBoundingRect(s);
            ASSERT_EQ(b.layout()->lineCount(), s.layout()->lineCount()) << width;
            const QList<QGlyphRun> runs = b.layout()->glyphRuns();
            const QList<QGlyphRun> expected = s.layout()->glyphRuns();
            ASSERT_EQ(runs.size(), expected.size());
            for (qsizetype i = 0; i < runs.size(); ++i) {
                EXPECT_EQ(runs[i].glyphIndexes(), expected[i].glyphIndexes());
                EXPECT_EQ(runs[i].positions(), expected[i].positions());
            }
        }
    }
}

} // namespace
