#include "sheet_fixture.h"

#include "exercises/composition_text.h"
#include "exercises/random_source.h"
#include "output/pages/pdf_page_setup.h"
#include "output/save/save_sheets.h"
#include "output/sets/sheet_set.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <vector>

namespace {

int Questions(const RichTextPane& pane) {
    return int(pane.GetText().count(QStringLiteral("°/")));
}

QString FirstFont(const RichTextPane& pane) {
    return pane.document()
        ->begin()
        .begin()
        .fragment()
        .charFormat()
        .fontFamilies()
        .toStringList()
        .value(0);
}

TEST(AdaptedSet, TheLastSheetsAreAdaptedWithTheirShareOfQuestionsKeysInOrder) {
    const struct {
        vorn::SheetRecipe recipe;
        int questions; // of a standard sheet
        int adapted;   // two thirds of each exercise, rounded, at least 1
    } cases[] = {
        {vorn::SheetKind{&vorn::FamilyNamed("dev2"), 1}, 20, 13},
        {vorn::ParseComposition("red:2:5 fact:1:6 eq1:2:1"), 12, 3 + 4 + 1},
    };
    for (const auto& c : cases) {
        vorn::SheetSettings settings;
        settings.questionCount = 20;
        vorn::LcgRandom random(77);
        const vorn::Sheet shown = c.recipe.Generate(settings, random);
        RichTextPane statement;
        RichTextPane key;
        MarkupToRtf(statement, shown.statement, shown.look);
        MarkupToRtf(key, shown.answerKey, shown.look);
        const vorn::SheetSet set(statement, key, QString::fromStdString(shown.reference), c.recipe,
                                 settings, 28, random, {}, {3, {2, 3}});
        ASSERT_EQ(set.Size(), 28);
        for (int i = 0; i < 28; ++i) {
            SCOPED_TRACE(i);
            const bool adapted = i >= 25;
            const RichTextPane& s = *set.Statements()[std::size_t(i)];
            const RichTextPane& k = *set.AnswerKeys()[std::size_t(i)];
            EXPECT_EQ(Questions(s), adapted ? c.adapted : c.questions);
            EXPECT_EQ(Questions(k), Questions(s));
            EXPECT_EQ(FirstFont(s), adapted ? "Liberation Sans" : "Arial");
            EXPECT_TRUE(s.GetText().startsWith(set.References()[i] + " - "));
            EXPECT_TRUE(k.GetText().startsWith(set.References()[i] + " - Corrigé"));
        }
    }
}

// The first page of a PDF as pdftoppm renders it in greys at 100 dpi.
QImage GreyPage(const QString& pdf) {
    QTemporaryDir dir;
    QProcess tool;
    tool.start("pdftoppm", {"-gray", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf,
                            dir.path() + "/page"});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    return QImage(dir.path() + "/page.pgm").convertToFormat(QImage::Format_Grayscale8);
}

// The share of a box's pixels darker than mid-grey: the ink a black and
// white copy keeps, where the yellow highlight (grey 227) is lost.
double Ink(const QImage& page, const QRect& box) {
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += page.pixelColor(x, y).value() < 128;
    return double(ink) / double(box.width() * box.height());
}

bool RowHasInk(const QImage& page, int y) {
    for (int x = 0; x < page.width(); ++x)
        if (page.pixelColor(x, y).value() < 128)
            return true;
    return false;
}

// Each highlight: rows where the yellow's grey runs over 6 pixels or more,
// gaps of up to 4 rows (the text on it) bridged.
std::vector<QRect> Highlights(const QImage& page) {
    const auto yellowRun = [&page](int y, int& left, int& right) {
        int run = 0;
        bool found = false;
        for (int x = 0; x < page.width(); ++x) {
            const int v = page.pixelColor(x, y).value();
            run = v >= 225 && v <= 229 ? run + 1 : 0;
            if (run >= 6) {
                left = found ? std::min(left, x - 5) : x - 5;
                right = found ? std::max(right, x) : x;
                found = true;
            }
        }
        return found;
    };
    std::vector<QRect> boxes;
    for (int y = 0; y < page.height(); ++y) {
        int left = 0, right = 0;
        if (!yellowRun(y, left, right))
            continue;
        int last = y;
        for (int next = y + 1; next < page.height() && next - last <= 4; ++next) {
            int l = 0, r = 0;
            if (yellowRun(next, l, r)) {
                left = std::min(left, l);
                right = std::max(right, r);
                last = next;
            }
        }
        boxes.emplace_back(QPoint(left, y), QPoint(right, last));
        y = last;
    }
    return boxes;
}

TEST(AdaptedSet, BoxedResultsInkHalfAsMuchAgainAsTheTextAboveThem) {
    // Each result of an equation stands on its own line, under the last
    // step: that line, its ink box, is the ordinary text it must stand out
    // from. Measured: Ink(result's box) / Ink(step's box), 100 dpi greys.
    for (const bool boxed : {false, true}) {
        SCOPED_TRACE(boxed ? "boxed" : "highlight only");
        vorn::SheetSettings settings;
        settings.questionCount = 4;
        settings.look.boxedResults = boxed;
        vorn::LcgRandom random(5);
        const vorn::Sheet sheet =
            vorn::GenerateSheet({&vorn::FamilyNamed("eq1"), 2}, settings, random);
        RichTextPane statement;
        RichTextPane key;
        MarkupToRtf(statement, sheet.statement, sheet.look);
        MarkupToRtf(key, sheet.answerKey, sheet.look);
        const QString pdf = FreshFolder() + "/cle.pdf";
        vorn::SaveSheets({&statement}, {&key}, pdf, vorn::LaserA4PageSetup, "EQ");
        const QImage page = GreyPage(pdf.chopped(4) + "_Cor.pdf");
        ASSERT_FALSE(page.isNull());
        const std::vector<QRect> results = Highlights(page);
        ASSERT_EQ(results.size(), 4u);
        for (const QRect& result : results) {
            int bottom = result.top() - 1;
            while (bottom > 0 && !RowHasInk(page, bottom))
                --bottom;
            int top = bottom;
            while (top > 0 && RowHasInk(page, top - 1))
                --top;
            int left = page.width(), right = 0;
            for (int y = top; y <= bottom; ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (page.pixelColor(x, y).value() < 128) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            const double ratio =
                Ink(page, result) / Ink(page, QRect(QPoint(left, top), QPoint(right, bottom)));
            if (boxed)
                EXPECT_GE(ratio, 1.5) << result.x() << "," << result.y();
            else
                EXPECT_LT(ratio, 1.0) << result.x() << "," << result.y(); // lighter than the text
        }
    }
}

} // namespace
