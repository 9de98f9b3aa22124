#include "richtext/recipe_destination.h"
#include "richtext/rich_text_pane.h"
#include "richtext/rtf_reader.h"
#include "sheet_model.h"

#include <gtest/gtest.h>

namespace {

QByteArray StreamRtf(const RichTextPane& pane) {
    QByteArray out;
    EXPECT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&](const char* d, qint64 n) {
        out.append(d, n);
        return 0;
    }));
    return out;
}

TEST(SheetRoundTrip, EveryFamilyReadsBackAsItsMarkupSays) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " " + std::to_string(kind.level));
        const vorn::Sheet sheet = vorn_test::MakeSheet(kind, 40, 1, 777);
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            RichTextPane original, reloaded;
            MarkupToRtf(original, *markup);
            const QByteArray saved = StreamRtf(original);
            reloaded.SetText(saved);
            vorn_test::ExpectDocumentLooksLike(*reloaded.document(),
                                               vorn_test::ReadGeneratedMarkup(*markup));
            EXPECT_EQ(reloaded.document()->property(vorn::kDefTabTwipsProperty).toInt(), 2880);
            EXPECT_EQ(StreamRtf(reloaded), saved); // saving again gives the same file
            // A recipe riding along is read back and changes nothing on screen.
            const std::string recipe = "R 1 {a} \\ }{";
            const std::string stamped = vorn::WithRecipeDestination(saved.toStdString(), recipe);
            EXPECT_EQ(vorn::RecipeDestinationOf(stamped), recipe);
            RichTextPane withRecipe;
            withRecipe.SetText(QByteArray::fromStdString(stamped));
            EXPECT_EQ(StreamRtf(withRecipe), saved);
        }
    }
}

TEST(SheetRoundTrip, EveryFormattingAndEditSurvives) {
    // Every markup colour as text colour and highlight, every style, the four
    // fonts, sizes, tabs, and characters RTF must escape.
    const char* colours[] = {"auto",          "noir",       "marron", "vert",          "olive",
                             "bleu fonc\xE9", "violet",     "cyan",   "gris fonc\xE9", "gris clair",
                             "rouge",         "vert clair", "jaune",  "bleu",          "fuchsia",
                             "bleu ciel",     "blanc"};
    std::string markup = "<te=18>";
    for (const char* c : colours)
        markup += std::string("<ce=") + c + ">t<cf=" + c + ">h<cf=auto> ";
    markup += "<br><b>b</b><i>i</i><u>u</u><s>s</s>x<sup>2</sup>y<sub>3</sub>z<br><arial>A<times>T"
              "<courier>C<symbol>S<arial><te=10>5<te=48>24<tab>\\\\ \\{ \\} caf\xE9 \xB0 \x80 "
              "\\u8364? \\~x\\-y\\line z<br>";
    RichTextPane original, reloaded;
    MarkupToRtf(original, markup);
    QTextCursor edit(original.document());
    edit.setPosition(3);
    edit.insertText(QString::fromUtf8("é€"));
    const QByteArray saved = StreamRtf(original);
    reloaded.SetText(saved);
    EXPECT_EQ(reloaded.GetText(), original.GetText());
    EXPECT_EQ(StreamRtf(reloaded), saved);

    auto look = [&](int pos) {
        QTextCursor c(reloaded.document());
        c.setPosition(pos + 1);
        return c.charFormat();
    };
    // "rouge" is the eleventh colour: "t" then "h", shifted by the two
    // characters inserted.
    EXPECT_EQ(look(2 + 10 * 3).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(look(2 + 10 * 3 + 1).background().color(), QColor(255, 0, 0));
    const int styles = reloaded.GetText().indexOf(QString("biusx2y3z"));
    ASSERT_GT(styles, 0);
    EXPECT_TRUE(look(styles).font().bold());
    EXPECT_TRUE(look(styles + 1).fontItalic());
    EXPECT_TRUE(look(styles + 2).fontUnderline());
    EXPECT_TRUE(look(styles + 3).fontStrikeOut());
    EXPECT_EQ(look(styles + 5).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(look(styles + 7).verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(look(styles + 10).fontFamilies().toStringList().value(0), QString("Arial"));
    EXPECT_EQ(look(styles + 11).fontFamilies().toStringList().value(0), QString("Times New Roman"));
    EXPECT_EQ(look(styles + 12).fontFamilies().toStringList().value(0), QString("Courier New"));
    EXPECT_EQ(look(styles + 14).fontPointSize(), 5.0);
}

} // namespace
