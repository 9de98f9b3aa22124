#include "richtext/markup_converter.h"
#include "richtext/rich_text_pane.h"
#include "sheet_model.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>

namespace {

// Loads `rtf` and does with it all the program does with a pane's content:
// text, length, saving, reloading and a page loop, which must end.
void Exercise(const QByteArray& rtf, bool paginate) {
    RichTextPane pane, reloaded;
    pane.SetText(rtf);
    ASSERT_EQ(pane.GetText().size(), pane.TextLength());
    QByteArray saved;
    ASSERT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&](const char* d, qint64 n) {
        saved.append(d, n);
        return 0;
    }));
    reloaded.SetText(saved);
    EXPECT_EQ(reloaded.GetText(), pane.GetText());
    if (!paginate)
        return;
    QImage page(200, 300, QImage::Format_RGB32);
    QPainter painter(&page);
    const QRect twips(0, 0, 3000, 4500);
    for (int next = 0, pages = 1; next < pane.TextLength(); ++pages) {
        const int from = next;
        next = pane.FormatRange(painter, twips, twips, from, true);
        ASSERT_GT(next, from);
        ASSERT_LE(pages, pane.TextLength());
    }
}

TEST(PaneRobustness, RandomAndMutatedDocuments) {
    std::mt19937 rng(20240607);
    for (int i = 0; i < 100; ++i) {
        QByteArray doc = "{\\rtf1 ";
        for (int k = int(rng() % 1500); k > 0; --k)
            doc += char(rng() % 256);
        Exercise(doc, i % 10 == 0);
    }
    const char kSyntax[] = "{}\\;'0123456789-\x80\xff ";
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        const std::string base =
            vorn::ConvertMarkupToRtf(vorn_test::MakeSheet(kind, 10, 1, 99).statement);
        for (int i = 0; i < 20; ++i) {
            QByteArray doc = QByteArray::fromStdString(base);
            for (int e = 1 + int(rng() % 20); e > 0; --e) {
                const int at = int(rng() % doc.size());
                const char c = kSyntax[rng() % (sizeof kSyntax - 1)];
                switch (rng() % 3) {
                case 0:
                    doc[at] = c;
                    break;
                case 1:
                    doc.insert(at, c);
                    break;
                default:
                    doc.remove(at, int(rng() % 40));
                }
            }
            Exercise(doc, i % 5 == 0);
        }
        for (size_t cut = 5; cut < base.size(); cut += 301)
            Exercise(QByteArray::fromStdString(base.substr(0, cut)), false);
    }
}

TEST(PaneRobustness, DeepNestingHugeParametersAndStrayBraces) {
    Exercise("{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}'), true);
    Exercise("{\\rtf1 " + QByteArray(200000, '{'), false);
    Exercise("{\\rtf1 " + QByteArray(1000, '}') + "after", true);
    for (const char* word :
         {"\\fs99999999999999999 big", "\\fs-5 neg", "\\fs32767 huge", "\\cf-2147483649 c",
          "\\highlight99999999 h", "\\uc99999999 \\u-99999999999 u", "\\u55296 \\u-1 s",
          "\\deftab-5 a\\tab b", "\\deftab999999999 a\\tab b\\tab c", "\\deftab0 a\\tab b",
          "\\'zz\\'\\'4", "\\bin999999999 xyz", "\\f99999999999 \\f-3 f",
          "\\par\\line\\tab\\tab"}) {
        SCOPED_TRACE(word);
        Exercise(QByteArray("{\\rtf1\\ansi ") + word + "}", true);
    }
    // What a title may carry straight into the converter's output.
    for (const char* title : {"{", "}", "\\", "}}}{", "\\b", "\\'", "{\\*", "\\u"}) {
        vorn::SheetSettings settings;
        settings.questionCount = 3;
        settings.title = title;
        vorn::LcgRandom random(1);
        const vorn::Sheet sheet =
            vorn::GenerateSheet(vorn::SheetKind{&vorn::FamilyNamed("dev1")}, settings, random);
        Exercise(QByteArray::fromStdString(vorn::ConvertMarkupToRtf(sheet.statement)), true);
    }
}

} // namespace
