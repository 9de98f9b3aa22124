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

namespace {

std::vector<vorn::SheetRecipe> EveryFamilyAndAComposition() {
    const std::vector<vorn::SheetKind> kinds = vorn::AllSheetKinds();
    std::vector<vorn::SheetRecipe> recipes(kinds.begin(), kinds.end());
    recipes.emplace_back(vorn::DefaultComposition());
    return recipes;
}

vorn::Sheet Draw(const vorn::SheetRecipe& recipe, const vorn::SheetLook& look) {
    vorn::SheetSettings settings;
    settings.questionCount = 6;
    settings.spacingLines = 1;
    settings.title = "Calculer           Nom :                  Pr\xE9nom : ";
    settings.look = look;
    vorn::LcgRandom random(4242);
    return recipe.Generate(settings, random);
}

// The markup in a pane, saved as RTF and read back, as a file would be.
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

// Results boxed too: each highlighted result is also bold and underlined.
TEST(AdaptedSheet, EverySheetReadBackHasTheAdaptedTypeAndRoomToWrite) {
    const vorn::SheetLook look{vorn::SheetLayout::Adapted, true};
    const QRegularExpression separator("^-{10,}$", QRegularExpression::MultilineOption);
    for (const vorn::SheetRecipe& recipe : EveryFamilyAndAComposition()) {
        const vorn::Sheet sheet = Draw(recipe, look);
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            SCOPED_TRACE(sheet.reference + (markup == &sheet.statement ? "" : " key"));
            const auto pane = SavedAndRead(*markup, look);
            int results = 0;
            const QStringList lines = pane->GetText().split(u'\n');
            EXPECT_FALSE(lines[0].contains("Nom"));
            EXPECT_EQ(lines.mid(1, 2), QStringList({"Nom :", "Prénom :"}));
            for (QTextBlock block = pane->document()->begin(); block.isValid();
                 block = block.next()) {
                EXPECT_EQ(block.blockFormat().lineHeightType(),
                          QTextBlockFormat::ProportionalHeight);
                EXPECT_EQ(block.blockFormat().lineHeight(), 150);
                EXPECT_EQ(block.blockFormat().alignment() &
                              (Qt::AlignHCenter | Qt::AlignRight | Qt::AlignJustify),
                          0);
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat chars = it.fragment().charFormat();
                    const QString text = it.fragment().text();
                    EXPECT_EQ(chars.fontFamilies().toStringList().value(0), "Liberation Sans");
                    EXPECT_FALSE(chars.fontItalic()) << text.toStdString();
                    // 16 points for the header line; a separator keeps its 9.
                    const int size = separator.match(text).hasMatch() ? 9
                                     : block.blockNumber() == 0       ? 16
                                                                      : 14;
                    EXPECT_EQ(chars.fontPointSize(), size) << text.toStdString();
                    const bool result = chars.background().color() == QColor(Qt::yellow);
                    results += result;
                    EXPECT_TRUE(!result ||
                                (chars.fontWeight() >= QFont::Bold && chars.fontUnderline()));
                }
            }
            EXPECT_EQ(results > 0, markup == &sheet.answerKey);
        }
        // Each question of the statement, last one included, ends with its
        // line and 3 + 1 (the spacing) blank ones before the separator.
        const QString statement = SavedAndRead(sheet.statement, look)->GetText();
        for (const QString& part : statement.split(separator))
            EXPECT_TRUE(!part.contains("°/") || part.contains(QRegularExpression("[^\n]\n{5,}$")))
                << part.toStdString();
    }
}

TEST(AdaptedSheet, TheStandardLookConvertsAsBefore) {
    for (const vorn::SheetRecipe& recipe : EveryFamilyAndAComposition()) {
        const std::string key = Draw(recipe, {}).answerKey;
        EXPECT_EQ(vorn::ConvertMarkupToRtf(key, vorn::SheetLook{}), vorn::ConvertMarkupToRtf(key));
    }
}

} // namespace
