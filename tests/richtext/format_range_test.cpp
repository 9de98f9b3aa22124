#include "richtext/page_layout.h"
#include "richtext/rich_text_pane.h"
#include "richtext/word_processor_line_heights.h"
#include "sheet_model.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Ranges = std::vector<std::pair<int, int>>; // [first, next) of each page

// The print loop: one call per page until the text is used up.
Ranges Paginate(RichTextPane& pane, QPainter& painter, QPagedPaintDevice* paged, const QRect& twips,
                bool draw = true) {
    Ranges ranges;
    pane.FormatRangeRelease();
    for (int next = 0;;) {
        const int from = next;
        next = pane.FormatRange(painter, twips, twips, from, draw);
        ranges.emplace_back(from, next);
        if (next <= from || next >= pane.TextLength() || ranges.size() > 10000)
            break;
        if (paged)
            paged->newPage();
    }
    pane.FormatRangeRelease();
    return ranges;
}

// An A4 PDF at 1200 dpi and its printable area in twips, computed the way
// printing does: pixels * 1440 / dpi, integer division.
struct A4Pdf {
    A4Pdf() : writer(dir.filePath("page.pdf")) {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(1200);
        painter = std::make_unique<QPainter>(&writer);
        twips = QRect(0, 0, writer.width() * 1440 / 1200, writer.height() * 1440 / 1200);
    }
    QTemporaryDir dir;
    QPdfWriter writer;
    std::unique_ptr<QPainter> painter;
    QRect twips;
};

// Every character on exactly one page.
void ExpectPartition(const Ranges& ranges, const RichTextPane& pane) {
    const QString text = pane.GetText();
    QString joined;
    int expectedFrom = 0;
    for (auto [from, next] : ranges) {
        EXPECT_EQ(from, expectedFrom);
        joined += text.mid(from, next - from);
        expectedFrom = next;
    }
    EXPECT_GE(expectedFrom, pane.TextLength());
    EXPECT_EQ(joined, text);
}

// Qt's own page breaking of the same content, with the same line heights, on
// the same device: an independent account of the page each line belongs on.
class QtPagination {
public:
    QtPagination(const QTextDocument& source, QPaintDevice& device, const QRect& twips)
        : doc_(source.clone()), pageHeight_(twips.height() * device.logicalDpiY() / 1440.0) {
        vorn::UseWordProcessorLineHeights(*doc_);
        doc_->setDocumentMargin(0);
        doc_->documentLayout()->setPaintDevice(&device);
        doc_->setPageSize(QSizeF(twips.width() * device.logicalDpiX() / 1440.0, pageHeight_));
    }
    int pageCount() const { return doc_->pageCount(); }
    int PageOf(int pos) const {
        const QTextBlock block = doc_->findBlock(pos);
        const QTextLine line = block.layout()->lineForTextPosition(pos - block.position());
        // A line of fixed height may reach a little above its box; its
        // baseline lies well inside.
        const qreal baseline =
            doc_->documentLayout()->blockBoundingRect(block).top() + line.y() + line.ascent();
        return int(baseline / pageHeight_);
    }

private:
    std::unique_ptr<QTextDocument> doc_;
    qreal pageHeight_;
};

TEST(FormatRangeA4, TenQuestionsFitOnePage) {
    A4Pdf pdf;
    RichTextPane pane;
    MarkupToRtf(pane, vorn_test::MakeSheet({&vorn::FamilyNamed("vn1")}, 10, 1).statement);
    const Ranges ranges = Paginate(pane, *pdf.painter, &pdf.writer, pdf.twips);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0], std::make_pair(0, pane.TextLength()));
}

TEST(FormatRangeA4, FortyQuestionsSpacingFiveBreakWhereQtWould) {
    for (const vorn::SheetKind& kind : vorn::AllSheetKinds()) {
        SCOPED_TRACE(std::string(kind.family->shortName) + " " + std::to_string(kind.level));
        const vorn::Sheet sheet = vorn_test::MakeSheet(kind, 40, 5);
        for (const std::string* markup : {&sheet.statement, &sheet.answerKey}) {
            A4Pdf pdf;
            RichTextPane pane;
            MarkupToRtf(pane, *markup);
            const Ranges ranges = Paginate(pane, *pdf.painter, &pdf.writer, pdf.twips);
            const QtPagination expected(*pane.document(), pdf.writer, pdf.twips);
            const bool key = markup == &sheet.answerKey;
            if (!key) { // some 280 lines of 9 and 13 points
                EXPECT_EQ(int(ranges.size()), expected.pageCount());
                EXPECT_GE(ranges.size(), 3u);
            } else { // a question moved whole can only add pages
                EXPECT_GE(int(ranges.size()), expected.pageCount());
            }
            ExpectPartition(ranges, pane);
            // Sheet lines are narrower than the page: pages begin with a
            // paragraph, on a statement the one Qt puts first on that page; on
            // a key never a worked line, which belongs with its question.
            const QString text = pane.GetText();
            for (int page = 1; page < int(ranges.size()); ++page) {
                const int start = ranges[page].first;
                EXPECT_EQ(text[start - 1], QLatin1Char('\n'));
                if (key) {
                    EXPECT_NE(text[start], QLatin1Char(' ')) << text.mid(start, 40).toStdString();
                    continue;
                }
                EXPECT_EQ(expected.PageOf(start), page);
                EXPECT_EQ(expected.PageOf(start - 1), page - 1);
            }
        }
    }
}

// A document longer than a layout window (paragraphs of several sizes,
// spacings, indents and alignments, long wrapped ones, tables) pages exactly as
// when it is laid out whole.
TEST(FormatRangeA4, ALongDocumentPagesAsWhenLaidOutWhole) {
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\\f0\\fs20 ";
    for (int i = 0; i < 1200; ++i) {
        // Every paragraph wraps and has its own space before and indent, so
        // that whichever begins a window shows whether they were kept.
        rtf += "\\pard\\sb" + QByteArray::number(60 + i % 3 * 90) + "\\li" +
               QByteArray::number(1440 + i % 4 * 720);
        if (i % 7 == 0)
            rtf += "\\qc";
        rtf += i % 3 == 0 ? "\\fs28\\b " : "\\fs20\\b0 ";
        rtf += "Ligne " + QByteArray::number(i) +
               " \\f1\\i x\\i0\\f0  = " + QByteArray::number(i * 7) +
               QByteArray(" mot").repeated(30 + i % 5 * 10) + "\\par ";
        if (i % 40 == 39)
            rtf += "\\trowd\\cellx2000\\cellx5000\\intbl a\\cell b\\cell\\row"
                   "\\trowd\\cellx2000\\cellx5000\\intbl c\\cell d d d\\cell\\row\\pard ";
    }
    RichTextPane pane;
    pane.SetText(rtf + "}");
    ASSERT_GT(pane.TextLength(), 2 * vorn::kPageLayoutWindowChars);
    A4Pdf pdf;
    const Ranges ranges = Paginate(pane, *pdf.painter, &pdf.writer, pdf.twips, false);
    ExpectPartition(ranges, pane);

    vorn::PageLayout::Key key;
    key.device = &pdf.writer;
    key.deviceType = pdf.writer.devType();
    key.dpiX = key.dpiY = 1200;
    key.width = pdf.twips.width() * 1200 / 1440;
    const vorn::PageLayout whole(*pane.document(), 0, pdf.writer, key);
    const qreal height = pdf.twips.height() * 1200.0 / 1440;
    Ranges expected;
    for (int next = 0; next < pane.TextLength();) {
        vorn::PageLayout::Range range;
        ASSERT_TRUE(whole.Fit(next, height, range));
        expected.emplace_back(next, range.next);
        next = range.next;
    }
    EXPECT_EQ(ranges, expected);

    // A window that begins at a paragraph lays it out as the whole does: its
    // first line (a page one pixel high holds just that) ends at the same place.
    for (QTextBlock block = pane.document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockNumber() % 97 != 5 || block.length() < 200)
            continue;
        const int from = block.position();
        const vorn::PageLayout window(*pane.document(), from, pdf.writer, key,
                                      vorn::kPageLayoutWindowChars);
        vorn::PageLayout::Range inWindow;
        vorn::PageLayout::Range inWhole;
        ASSERT_TRUE(whole.Fit(from, 1, inWhole));
        ASSERT_TRUE(window.Fit(from, 1, inWindow));
        EXPECT_EQ(inWindow.next, inWhole.next) << from;
    }
}

TEST(FormatRangeA4, LinesAsTallAsInWordProcessors) {
    // Pitches LibreOffice gives these paragraphs (41 of each in its PDF of the
    // file), in twips; a raised 2 adds nothing.
    const struct {
        const char* paragraph;
        int twips;
    } cases[] = {{"\\f0 ----", 207},
                 {"\\f1\\i xxxx", 207},
                 {"\\f0 1 \\f1 x{\\super 2}", 208},
                 {"\\fs20\\f0 1 \\f1 x", 232},
                 {"\\fs20\\f1 ----", 231},
                 {"\\fs24\\f0 ", 276},
                 {"\\fs26\\f0 ----", 300},
                 {"\\fs26\\f1 ----", 299},
                 {"\\fs28\\f0 1 \\f1 x", 323},
                 {"\\fs30\\f0 1 \\f1 x", 347},
                 {"\\fs32\\f0\\b ----", 369},
                 {"\\fs32\\f1 ----", 368}};
    A4Pdf pdf;
    vorn::PageLayout::Key key;
    key.device = &pdf.writer;
    key.deviceType = pdf.writer.devType();
    key.dpiX = key.dpiY = 1200;
    key.width = pdf.twips.width() * 1200 / 1440;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paragraph);
        QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                         "{\\f1\\froman Times New Roman;}}\\fs18 ";
        // The first paragraph and the one after the last mark have text: an
        // empty one there would take its height from elsewhere.
        rtf += c.paragraph + QByteArray("----\\par ");
        for (int i = 0; i < 40; ++i)
            rtf += c.paragraph + QByteArray("\\par ");
        RichTextPane pane;
        pane.SetText(rtf + c.paragraph + "----}");
        const vorn::PageLayout layout(*pane.document(), 0, pdf.writer, key);
        vorn::PageLayout::Range all;
        ASSERT_TRUE(layout.Fit(0, 1e6, all));
        EXPECT_NEAR((all.bottom - all.top) / (all.endLine - all.firstLine), c.twips * 1200 / 1440.0,
                    0.05);
    }
}

QByteArray Letters(int paragraphs, int halfPoints) {
    QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs" + QByteArray::number(halfPoints);
    for (int i = 1; i < paragraphs; ++i)
        rtf += " X\\par";
    return rtf + " X}";
}

TEST(FormatRangeA4, LaidOutAtTheDeviceResolution) {
    // A vector picture made at the printer's resolution (the preview's
    // pages) breaks where the printer does.
    RichTextPane pane;
    MarkupToRtf(pane, vorn_test::MakeSheet({&vorn::FamilyNamed("dev2")}, 40, 5).statement);
    A4Pdf pdf;
    const Ranges printed = Paginate(pane, *pdf.painter, &pdf.writer, pdf.twips, false);
    for (size_t page = 0, next = 0; page < printed.size(); ++page) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        QSvgGenerator picture;
        picture.setOutputDevice(&file);
        picture.setResolution(1200);
        QPainter painter(&picture);
        next = pane.FormatRange(painter, pdf.twips, pdf.twips, int(next), true);
        EXPECT_EQ(int(next), printed[page].second);
    }
}

TEST(FormatRangeA4, LinesTallerThanThePageStillAdvance) {
    A4Pdf pdf;
    RichTextPane pane;
    pane.SetText("{\\rtf1 \\fs400 A\\par B\\par C}"); // 200 pt lines on 1 inch pages
    const QRect inch(0, 0, pdf.twips.width(), 1440);
    EXPECT_EQ(Paginate(pane, *pdf.painter, &pdf.writer, inch), (Ranges{{0, 2}, {2, 4}, {4, 5}}));
    pane.SetText(Letters(4, 18));
    const QRect flat(0, 0, pdf.twips.width(), 0);
    EXPECT_EQ(Paginate(pane, *pdf.painter, &pdf.writer, flat, false).size(), 4u);
}

TEST(FormatRange, StartsAnywhere) {
    QImage image(1000, 1000, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRect twips(0, 0, 15000, 15000);
    RichTextPane pane;
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, 0, true), 0); // empty pane
    pane.SetText("abcdef ghijkl");
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, 4, true), 13); // inside a line
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, 13, true), 13);
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, 50, true), 13);
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, -4, false), 13);
    QPainter idle;
    EXPECT_EQ(pane.FormatRange(idle, twips, twips, 0, true), -1);
}

TEST(FormatRange, EditsReachTheNextCallWithoutRelease) {
    QImage image(400, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRect twips(0, 0, 400 * 15, 400 * 15);
    RichTextPane pane;
    pane.SetText(Letters(3, 24));
    EXPECT_EQ(pane.FormatRange(painter, twips, twips, 0, false), pane.TextLength());
    QTextCursor c(pane.document());
    for (int i = 0; i < 100; ++i)
        c.insertText("more\n");
    const int next = pane.FormatRange(painter, twips, twips, 0, false);
    EXPECT_GT(next, 5);
    EXPECT_LT(next, pane.TextLength());
}

// Starts of the runs of rows (or columns) holding ink.
std::vector<int> InkRuns(const QImage& image, bool columns) {
    std::vector<int> runs;
    const int outer = columns ? image.width() : image.height();
    const int inner = columns ? image.height() : image.width();
    bool previous = false;
    for (int a = 0; a < outer; ++a) {
        bool ink = false;
        for (int b = 0; b < inner && !ink; ++b)
            ink = qGray(columns ? image.pixel(a, b) : image.pixel(b, a)) < 128;
        if (ink && !previous)
            runs.push_back(a);
        previous = ink;
    }
    return runs;
}

QImage Page(int widthInches, int heightInches, int dpi) {
    QImage image(widthInches * dpi + 40, heightInches * dpi + 40, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

TEST(FormatRangeDrawing, EachPageDrawsItsOwnLinesInsideTheRectangle) {
    RichTextPane pane;
    pane.SetText(Letters(30, 24));
    const QRect twips(0, 0, 3 * 1440, 2 * 1440);
    int lines = 0;
    for (int from = 0; from < pane.TextLength();) {
        QImage image = Page(3, 2, 150);
        QPainter painter(&image);
        const int next = pane.FormatRange(painter, twips, twips, from, true);
        painter.end();
        const int placed = (std::min(next + 1, pane.TextLength() + 1) - from) / 2;
        const std::vector<int> rows = InkRuns(image, false);
        EXPECT_EQ(int(rows.size()), placed) << "page from " << from;
        EXPECT_TRUE(InkRuns(image.copy(0, 2 * 150, image.width(), 40), false).empty());
        EXPECT_TRUE(InkRuns(image.copy(3 * 150, 0, 40, image.height()), true).empty());
        lines += placed;
        from = next;
    }
    EXPECT_EQ(lines, 30);
}

TEST(FormatRangeDrawing, TabsStopEveryTwoInchesOnTheDevice) {
    for (int dpi : {150, 300}) {
        RichTextPane pane;
        MarkupToRtf(pane, "<te=24>X<tab>X<tab>X");
        QImage image = Page(6, 1, dpi);
        QPainter painter(&image);
        const QRect twips(0, 0, 7 * 1440, 1440);
        pane.FormatRange(painter, twips, twips, 0, true);
        painter.end();
        const std::vector<int> letters = InkRuns(image, true);
        ASSERT_EQ(letters.size(), 3u) << dpi;
        EXPECT_NEAR(letters[1] - letters[0], 2 * dpi, 3) << dpi;
        EXPECT_NEAR(letters[2] - letters[0], 4 * dpi, 3) << dpi;
    }
}

} // namespace

// Where the ink of each line begins and ends, in inches from the page's left
// edge, for one paragraph per line laid out `dpi` pixels to the inch.
std::vector<std::pair<double, double>> LineInk(RichTextPane& pane, int dpi) {
    QImage image = Page(6, 1, dpi);
    {
        QPainter painter(&image);
        const QRect twips(0, 0, 6 * 1440, 1440);
        pane.FormatRangeRelease();
        pane.FormatRange(painter, twips, twips, 0, true);
    }
    std::vector<std::pair<double, double>> lines;
    std::vector<int> rows = InkRuns(image, false);
    rows.push_back(image.height());
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        int left = image.width(), right = -1;
        for (int y = rows[i]; y < rows[i + 1]; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
        lines.emplace_back(double(left) / dpi, double(right) / dpi);
    }
    return lines;
}

TEST(FormatRangeDrawing, IndentsKeepTheirSizeInInchesOnEveryDevice) {
    RichTextPane pane;
    // One inch from the left, a first line half an inch further in, one inch
    // from the right.
    pane.SetText("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs36 \\li1440 I\\par"
                 "\\pard\\li720\\fi720 I\\par\\pard\\qr\\ri1440 I\\par}");
    for (const int dpi : {96, 300, 1200}) {
        const auto lines = LineInk(pane, dpi);
        ASSERT_EQ(lines.size(), 3u) << dpi;
        EXPECT_NEAR(lines[0].first, 1.0, 0.05) << dpi;
        EXPECT_NEAR(lines[1].first, 1.0, 0.05) << dpi;
        EXPECT_NEAR(lines[2].second, 6.0 - 1.0, 0.05) << dpi;
    }
}
