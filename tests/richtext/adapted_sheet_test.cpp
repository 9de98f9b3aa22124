#include "exercises/composition.h"
#include "exercises/random_source.h"
#include "exercises/sheet_recipe.h"
#include "richtext/markup_converter.h"
#include "richtext/rich_text_pane.h"
#include "richtext/sheet_look_rtf.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSpacing = 1;

vorn::Sheet Draw(const vorn::SheetRecipe& recipe, const vorn::SheetLook& look) {
    vorn::SheetSettings settings;
    settings.questionCount = 6;
    settings.spacingLines = kSpacing;
    settings.title = "Calculer           Nom :                  Pr\xE9nom : ";
    settings.look = look;
    vorn::LcgRandom random(4242);
    return recipe.Generate(settings, random);
}

// Every family at every level, then a composition.
std::vector<vorn::SheetRecipe> EveryRecipe() {
    std::vector<vorn::SheetRecipe> recipes;
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds())
        recipes.emplace_back(kind);
    recipes.emplace_back(vorn::DefaultComposition());
    return recipes;
}

std::string Name(const vorn::SheetRecipe& recipe) {
    if (const vorn::SheetKind* kind = recipe.Kind())
        return std::string(kind->family->shortName) + " " + std::to_string(kind->level);
    return "composition";
}

// The markup through the pane, saved as RTF and read back, as a file would be.
std::unique_ptr<RichTextPane> SavedAndRead(std::string_view markup, const vorn::SheetLook& look) {
    RichTextPane shown;
    MarkupToRtf(shown, markup, look);
    QByteArray rtf;
    shown.StreamOut(RichTextPane::StreamFormat::Rtf, [&rtf](const char* data, qint64 size) {
        rtf.append(data, size);
        return 0;
    });
    auto read = std::make_unique<RichTextPane>();
    read->SetText(rtf);
    return read;
}

bool IsSeparator(const QString& text) {
    return !text.isEmpty() && text.count(u'-') == text.size();
}

// Type, size, upright letters, line spacing and alignment of every paragraph.
void ExpectAdaptedType(const QTextDocument& doc) {
    int number = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next(), ++number) {
        SCOPED_TRACE("paragraph " + std::to_string(number) + ": " + block.text().toStdString());
        const QTextBlockFormat format = block.blockFormat();
        EXPECT_EQ(format.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        EXPECT_EQ(format.lineHeight(), 150);
        EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignLeft, 0);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat chars = fragment.charFormat();
            EXPECT_EQ(chars.fontFamilies().toStringList().value(0), "Liberation Sans");
            EXPECT_FALSE(chars.fontItalic()) << fragment.text().toStdString();
            // A separator keeps the standard size, so that it holds on a line.
            const double size = IsSeparator(fragment.text().trimmed()) ? 9 : number == 0 ? 16 : 14;
            EXPECT_EQ(chars.fontPointSize(), size) << fragment.text().toStdString();
        }
    }
}

TEST(AdaptedSheet, EverySheetReadBackHasTheAdaptedTypeAndRoomToWrite) {
    vorn::SheetLook look;
    look.layout = vorn::SheetLayout::Adapted;
    const QRegularExpression question(QStringLiteral("^\\d+°/"));
    for (const vorn::SheetRecipe& recipe : EveryRecipe()) {
        SCOPED_TRACE(Name(recipe));
        const vorn::Sheet sheet = Draw(recipe, look);
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            const auto pane = SavedAndRead(*markup, look);
            const QTextDocument& doc = *pane->document();
            ExpectAdaptedType(doc);
            EXPECT_EQ(doc.findBlockByNumber(1).text(), "Nom :");
            EXPECT_EQ(doc.findBlockByNumber(2).text(), "Prénom :");
            EXPECT_FALSE(doc.firstBlock().text().contains("Nom"));
        }
        // Under each question of the statement, its last line then at least
        // three blank lines and the spacing, before what follows.
        const auto pane = SavedAndRead(sheet.statement, look);
        const QStringList lines = pane->GetText().split(u'\n');
        int questions = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (!question.match(lines[i]).hasMatch())
                continue;
            ++questions;
            int next = i + 1;
            while (next < lines.size() && !question.match(lines[next]).hasMatch() &&
                   !IsSeparator(lines[next]) && !lines[next].startsWith("Exercice"))
                ++next;
            int blank = 0;
            while (blank < next - i - 1 && lines[next - 1 - blank].isEmpty())
                ++blank;
            EXPECT_GE(blank, 3 + kSpacing) << lines[i].toStdString();
        }
        EXPECT_GE(questions, 6);
    }
}

TEST(AdaptedSheet, TheStandardLookConvertsAsBefore) {
    for (const vorn::SheetRecipe& recipe : EveryRecipe()) {
        SCOPED_TRACE(Name(recipe));
        const vorn::Sheet sheet = Draw(recipe, {});
        EXPECT_EQ(vorn::ConvertMarkupToRtf(sheet.answerKey, vorn::SheetLook{}),
                  vorn::ConvertMarkupToRtf(sheet.answerKey));
    }
}

TEST(AdaptedSheet, BoxedResultsAreBoldAndUnderlinedOnTheirHighlight) {
    for (const bool adapted : {false, true}) {
        vorn::SheetLook look;
        look.boxedResults = true;
        look.layout = adapted ? vorn::SheetLayout::Adapted : vorn::SheetLayout::Standard;
        for (const vorn::SheetRecipe& recipe : EveryRecipe()) {
            SCOPED_TRACE(Name(recipe) + (adapted ? " adapted" : ""));
            const auto pane = SavedAndRead(Draw(recipe, look).answerKey, look);
            int highlighted = 0;
            for (QTextBlock block = pane->document()->begin(); block.isValid();
                 block = block.next())
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat chars = it.fragment().charFormat();
                    if (chars.background().color() != QColor(Qt::yellow))
                        continue;
                    ++highlighted;
                    EXPECT_GE(chars.fontWeight(), QFont::Bold);
                    EXPECT_TRUE(chars.fontUnderline());
                }
            EXPECT_GE(highlighted, 6);
        }
    }
}

} // namespace
