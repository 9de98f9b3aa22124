#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

#include "tests/rtf/rtf_test_support.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace vorn::test {
namespace {

const QTextTable* TableAt(const QTextDocument& doc, int index) {
    int seen = 0;
    const QTextTable* last = nullptr;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const auto* table = QTextCursor(b).currentTable();
        if (table && table != last && seen++ == index)
            return table;
        if (table)
            last = table;
    }
    return nullptr;
}

QString CellText(const QTextTable& table, int row, int column) {
    const QTextTableCell cell = table.cellAt(row, column);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText();
}

// A table as Word writes one: each row defined, then its cells, then text.
constexpr std::string_view kWordTable =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard avant\\par"
    "\\trowd\\trgaph108\\clbrdrt\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10\\cellx1440"
    "\\clbrdrt\\brdrs\\brdrw10\\cellx4320"
    "\\pard\\intbl\\qc un\\cell\\pard\\intbl deux\\par suite\\cell\\row"
    "\\trowd\\cellx1440\\cellx4320\\cellx5760"
    "\\pard\\intbl trois\\cell quatre\\cell cinq\\cell\\row"
    "\\pard\\qr\\li720\\ri360\\fi-360\\sb120\\sa240 apr\\'e8s\\par"
    "\\trowd\\cellx2000\\pard\\intbl seul\\cell\\row\\pard fin}";

TEST(RtfParagraphs, TablesAndParagraphPropertiesAreRead) {
    const auto doc = Read(kWordTable);
    const QTextTable* table = TableAt(*doc, 0);
    ASSERT_NE(table, nullptr);
    // The second row's third cell widens the table.
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(CellText(*table, 0, 0), "un");
    EXPECT_EQ(CellText(*table, 0, 1), QString("deux") + QChar(QChar::ParagraphSeparator) + "suite");
    EXPECT_EQ(CellText(*table, 1, 2), "cinq");
    EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().blockFormat().alignment(),
              Qt::AlignHCenter);
    // Cell edges at 1440 and 4320 twips: 96 and 192 pixels of the 96 dpi screen.
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_GE(widths.size(), 2);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), 96);
    EXPECT_DOUBLE_EQ(widths[1].rawValue(), 192);
    EXPECT_DOUBLE_EQ(table->format().border(), 1);

    // Text before and after stays outside, with no paragraph added.
    EXPECT_EQ(doc->begin().text(), "avant");
    const QTextBlock after = doc->findBlock(table->lastPosition() + 1);
    EXPECT_EQ(after.text(), QString::fromUtf8("après"));
    const QTextBlockFormat f = after.blockFormat();
    EXPECT_EQ(f.alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(f.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(f.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(f.textIndent(), -24);
    EXPECT_DOUBLE_EQ(f.topMargin(), 8);
    EXPECT_DOUBLE_EQ(f.bottomMargin(), 16);

    const QTextTable* second = TableAt(*doc, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(CellText(*second, 0, 0), "seul");
    EXPECT_EQ(second->format().border(), 0);
    EXPECT_EQ(doc->lastBlock().text(), "fin");

    // Written and read again, it writes the same file.
    const QByteArray written = WriteRtf(*doc);
    EXPECT_EQ(WriteRtf(*Read(written)).toStdString(), written.toStdString());
    EXPECT_EQ(TextOf(*Read(written)), TextOf(*doc));
}

// What other readers need of the paragraphs and tables the pane holds.
TEST(RtfParagraphs, WrittenAlignmentListsAndTableRows) {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertText(QStringLiteral("justifie"));
    cursor.setBlockFormat(justified);
    cursor.insertBlock(QTextBlockFormat());
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDecimal);
    list.setIndent(1);
    cursor.insertList(list);
    cursor.insertText(QStringLiteral("item"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.setBlockFormat(QTextBlockFormat());
    // Four columns, one of no width, and cells spanning rows and columns.
    QTextTableFormat tableFormat;
    tableFormat.setColumnWidthConstraints(
        {QTextLength(QTextLength::FixedLength, 50), QTextLength(QTextLength::FixedLength, 0),
         QTextLength(QTextLength::FixedLength, 0), QTextLength(QTextLength::VariableLength, 0)});
    QTextTable* table = cursor.insertTable(3, 4, tableFormat);
    table->mergeCells(0, 1, 1, 2);
    table->mergeCells(1, 0, 2, 1);
    table->mergeCells(1, 2, 2, 2);
    table->cellAt(2, 1).firstCursorPosition().insertText(QStringLiteral("b"));

    const QString rtf = QString::fromLatin1(WriteRtf(doc));
    EXPECT_TRUE(rtf.contains(QRegularExpression(QStringLiteral("\\\\qj [^\\r\\n]*justifie"))))
        << rtf.toStdString();
    // The list's indent: Qt's 40 pixels per level, 15 twips a pixel.
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\li600 1. item"))) << rtf.toStdString();
    const QStringList rows = rtf.split(QStringLiteral("\\trowd")).mid(1);
    ASSERT_EQ(rows.size(), 3) << rtf.toStdString();
    for (const QString& row : rows) {
        const QString cells = row.left(row.indexOf(QStringLiteral("\\row")));
        EXPECT_EQ(cells.count(QRegularExpression(QStringLiteral("\\\\cell(?!x)"))), 4)
            << row.toStdString();
        int previous = 0;
        auto edges = QRegularExpression(QStringLiteral("\\\\cellx(\\d+)")).globalMatch(cells);
        int count = 0;
        while (edges.hasNext()) {
            const int edge = edges.next().captured(1).toInt();
            EXPECT_GT(edge, previous) << row.toStdString();
            previous = edge;
            ++count;
        }
        EXPECT_EQ(count, 4);
    }
}

// Readers take negative space around a paragraph as none.
TEST(RtfParagraphs, NegativeSpaceBeforeAndAfterIsClamped) {
    const auto doc = Read(std::string_view("{\\rtf1\\sb-200\\sa-300 x\\par\\sb-1 y}"));
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        EXPECT_EQ(b.blockFormat().topMargin(), 0) << b.text().toStdString();
        EXPECT_EQ(b.blockFormat().bottomMargin(), 0) << b.text().toStdString();
    }
    EXPECT_FALSE(WriteRtf(*doc).contains("\\s"));
}

// Row and cell marks with nothing in them make no more cells than the input
// has marks: a few bytes never build a large table.
TEST(RtfParagraphs, EmptyRowsAndCellsCostTheirInput) {
    std::string rtf = "{\\rtf1\\trowd";
    for (int i = 1; i <= 63; ++i)
        rtf += "\\cellx" + std::to_string(i * 100);
    rtf += "\\intbl x\\cell\\row";
    for (int i = 0; i < 2000; ++i)
        rtf += "\\row";
    rtf += "\\pard y}";
    const auto doc = Read(rtf);
    EXPECT_LE(doc->characterCount(), int(rtf.size()));
    EXPECT_TRUE(TextOf(*doc).endsWith("y"));
}

// Runs whose two colours differ from run to run but add up to the same sum:
// each keeps its own colours.
TEST(RtfParagraphs, CollidingColourStatesKeepTheirColours) {
    std::string rtf = "{\\rtf1\\ansi{\\colortbl ;";
    constexpr int kRuns = 300;
    for (int i = 0; i < kRuns; ++i)
        rtf += "\\red0\\green0\\blue" + std::to_string(i % 256) + "\\green" +
               std::to_string(i / 256) + ";";
    rtf += "}";
    for (int i = 0; i < kRuns; ++i)
        rtf += "\\cf" + std::to_string(i + 1) + "\\highlight" + std::to_string(kRuns - i) + " x";
    rtf += "}";
    const std::vector<Styled> styled = StyledOf(*Read(rtf));
    ASSERT_GE(styled.size(), std::size_t(kRuns));
    const auto rgb = [](int i) { return unsigned(((i / 256) << 8) | (i % 256)); };
    for (int i = 0; i < kRuns; ++i) {
        EXPECT_EQ(styled[std::size_t(i)].look.foreground, rgb(i)) << i;
        EXPECT_EQ(styled[std::size_t(i)].look.background, rgb(kRuns - 1 - i)) << i;
    }
}

} // namespace
} // namespace vorn::test
