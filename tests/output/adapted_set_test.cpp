#include "sheet_fixture.h"

#include "exercises/composition_text.h"
#include "exercises/random_source.h"
#include "output/pages/pdf_page_setup.h"
#include "output/save/save_sheets.h"
#include "output/sets/sheet_set.h"
#include "richtext/rich_text_pane.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Panes {
    RichTextPane statement, key;
};

void Show(Panes& panes, const vorn::Sheet& sheet) {
    MarkupToRtf(panes.statement, sheet.statement, sheet.look);
    MarkupToRtf(panes.key, sheet.answerKey, sheet.look);
}

TEST(AdaptedSet, TheLastSheetsAreAdaptedWithTheirShareOfQuestionsKeysInOrder) {
    const struct {
        vorn::SheetRecipe recipe;
        int questions, adapted; // two thirds of each exercise, rounded, at least 1
    } cases[] = {{vorn::SheetKind{&vorn::FamilyNamed("dev2"), 1}, 20, 13},
                 {vorn::ParseComposition("red:2:5 fact:1:6 eq1:2:1"), 12, 3 + 4 + 1}};
    for (const auto& c : cases) {
        vorn::SheetSettings settings;
        vorn::LcgRandom random(77);
        const vorn::Sheet shown = c.recipe.Generate(settings, random);
        Panes panes;
        Show(panes, shown);
        const vorn::SheetSet set(panes.statement, panes.key,
                                 QString::fromStdString(shown.reference), c.recipe, settings, 28,
                                 random, {}, {3, {2, 3}});
        ASSERT_EQ(set.Size(), 28);
        for (std::size_t i = 0; i < 28; ++i) {
            SCOPED_TRACE(i);
            const QString statement = set.Statements()[i]->GetText();
            const QString key = set.AnswerKeys()[i]->GetText();
            EXPECT_EQ(statement.count("°/"), i >= 25 ? c.adapted : c.questions);
            EXPECT_EQ(key.count("°/"), statement.count("°/"));
            EXPECT_EQ(statement.contains("\nPrénom :\n"), i >= 25);
            EXPECT_TRUE(statement.startsWith(set.References()[int(i)] + " - "));
            EXPECT_TRUE(key.startsWith(set.References()[int(i)] + " - Corrigé"));
        }
    }
}

// The share of a picture's pixels darker than mid-grey.
double Dark(const QImage& box) {
    int dark = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            dark += box.constScanLine(y)[x] < 128;
    return double(dark) / (box.width() * box.height());
}

// Each result of an equation stands on its own line under the last step.
// Measured on the answer key's first page rendered by `pdftoppm -gray -r 100`:
// the share of pixels darker than mid-grey (the ink a black and white copy
// keeps; the yellow highlight greys to 227) in the highlight's box (rows
// where that grey runs over 6 pixels or more, gaps of 4 bridged), against the
// same share in the ink box of the step line above it.
TEST(AdaptedSet, BoxedResultsInkHalfAsMuchAgainAsTheTextAboveThem) {
    for (const bool boxed : {false, true}) {
        vorn::SheetSettings settings;
        settings.questionCount = 4;
        settings.look.boxedResults = boxed;
        vorn::LcgRandom random(5);
        Panes panes;
        Show(panes, vorn::GenerateSheet({&vorn::FamilyNamed("eq1"), 2}, settings, random));
        const QString folder = FreshFolder();
        vorn::SaveSheets({&panes.statement}, {&panes.key}, folder + "/f.pdf",
                         vorn::LaserA4PageSetup, "EQ");
        QProcess::execute("pdftoppm", {"-gray", "-r", "100", "-f", "1", "-l", "1", "-singlefile",
                                       folder + "/f_Cor.pdf", folder + "/p"});
        const QImage page = QImage(folder + "/p.pgm").convertToFormat(QImage::Format_Grayscale8);
        ASSERT_FALSE(page.isNull());
        // Per row, the box of its ink and of the highlight's runs.
        std::vector<QRect> ink(page.height()), yellow(page.height());
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0, run = 0; x < page.width(); ++x) {
                const int v = page.constScanLine(y)[x];
                run = v >= 225 && v <= 229 ? run + 1 : 0;
                if (v < 128)
                    ink[y] |= QRect(x, y, 1, 1);
                if (run >= 6)
                    yellow[y] |= QRect(x - 5, y, 6, 1);
            }
        int results = 0;
        for (int y = 0; y < page.height(); ++y) {
            if (yellow[y].isNull())
                continue;
            QRect result = yellow[y];
            for (int next = y + 1; next < page.height() && next - result.bottom() <= 5; ++next)
                result |= yellow[next];
            QRect step;
            int above = y - 1;
            while (above > 0 && ink[above].isNull())
                --above;
            for (; above > 0 && !ink[above].isNull(); --above)
                step |= ink[above];
            const double ratio = Dark(page.copy(result)) / Dark(page.copy(step));
            if (boxed)
                EXPECT_GE(ratio, 1.5) << "result at row " << y;
            else
                EXPECT_LT(ratio, 1.0) << "result at row " << y; // the bare highlight reads lighter
            y = result.bottom();
            ++results;
        }
        EXPECT_EQ(results, 4);
    }
}

} // namespace
