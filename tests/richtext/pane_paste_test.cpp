#include "richtext/rich_text_pane.h"
#include "richtext/rtf_reader.h"
#include "tests/support/watchdog.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <sys/stat.h>

namespace {

class PastePane : public RichTextPane {
public:
    using RichTextPane::canInsertFromMimeData;
    using RichTextPane::createMimeDataFromSelection;
    using RichTextPane::insertFromMimeData;
};

QByteArray Saved(const RichTextPane& pane) {
    QByteArray rtf;
    EXPECT_TRUE(pane.StreamOut(RichTextPane::StreamFormat::Rtf, [&rtf](const char* d, qint64 n) {
        rtf.append(d, n);
        return 0;
    }));
    return rtf;
}

QTextBlock BlockWith(const QTextDocument& doc, const QString& text) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.text() == text)
            return b;
    ADD_FAILURE() << "no paragraph " << text.toStdString();
    return {};
}

const QTextTable* FirstTable(const QTextDocument& doc) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (const auto* table = qobject_cast<const QTextTable*>(QTextCursor(b).currentTable()))
            return table;
    return nullptr;
}

void ExpectSheet(const QTextDocument& doc, const char* what) {
    SCOPED_TRACE(what);
    const QTextTable* table = FirstTable(doc);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 3);
    ASSERT_EQ(table->columns(), 3);
    EXPECT_GT(table->format().border(), 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            EXPECT_EQ(cell.firstCursorPosition().block().text(),
                      QString(QChar(u'a' + r)) + QString::number(c + 1));
        }
    EXPECT_EQ(BlockWith(doc, "centre").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(BlockWith(doc, "droite").blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_NEAR(BlockWith(doc, "retrait").blockFormat().leftMargin(), 40, 0.5);
    EXPECT_NEAR(BlockWith(doc, "retrait").blockFormat().textIndent(), 20, 0.5);
}

TEST(PanePaste, TableAlignmentsAndIndentsSurviveTheSave) {
    PastePane pane;
    pane.SetText(" ");
    pane.SetReadOnly(false);
    pane.moveCursor(QTextCursor::End);
    QMimeData html;
    html.setHtml(QStringLiteral(
        "<table border=\"1\"><tr><td>a1</td><td>a2</td><td>a3</td></tr>"
        "<tr><td>b1</td><td>b2</td><td>b3</td></tr><tr><td>c1</td><td>c2</td><td>c3</td></tr>"
        "</table><p align=\"center\">centre</p><p align=\"right\">droite</p>"
        "<p style=\"margin-left:40px; text-indent:20px\">retrait</p><p>fin</p>"));
    ASSERT_TRUE(pane.canInsertFromMimeData(&html));
    pane.insertFromMimeData(&html);
    ExpectSheet(*pane.document(), "pane");

    const QByteArray saved = Saved(pane);
    QTextDocument reread;
    vorn::ReadRtf(saved, reread);
    ExpectSheet(reread, "saved file read back");
    // The pane showed nothing that the save lost: saving what was read back
    // writes the same file.
    RichTextPane again;
    again.SetText(saved);
    EXPECT_EQ(Saved(again).toStdString(), saved.toStdString());
}

// A copy keeps the maths in every form a word processor takes.
TEST(PaneCopy, OffersTheSavedRtfHtmlWithSupAndPlainTextWithSquares) {
    PastePane pane;
    pane.SetText(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 5 x\\super 2\\nosupersub  \\i y\\i0\\par"
        "\\li720 z\\par\\pard   w}");
    pane.selectAll();
    const std::unique_ptr<QMimeData> data(pane.createMimeDataFromSelection());
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("text/rtf").toStdString(), Saved(pane).toStdString());
    const QString html = data->html();
    for (const char* part :
         {"<sup><span style=\"font-family:'Arial';font-size:12pt\">2</span></sup>",
          "font-style:italic\">y<", "margin-left:36pt\"><span",
          // LibreOffice reads these, not "margin:0", and collapses plain spaces.
          "margin-top:0pt;margin-bottom:0pt;white-space:pre-wrap;font-size:12pt",
          "12pt\">\u00A0\u00A0w<"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part << "\n" << html.toStdString();
    EXPECT_EQ(data->text(), QStringLiteral("5 x² y\nz\n  w"));
}

// LibreOffice's HTML means no space above a paragraph that states none.
TEST(PanePaste, LibreOfficeParagraphsGainNoSpaceAbove) {
    PastePane pane;
    pane.SetText(" ");
    pane.SetReadOnly(false);
    QMimeData data;
    data.setHtml(QStringLiteral(
        "<html><head><meta name=\"generator\" content=\"LibreOffice/7.4\"/><style>p { "
        "margin-bottom: 0.25cm }</style></head><body><p style=\"margin-bottom: 0cm\">un</p>"
        "<p style=\"margin-bottom: 0cm\">deux</p></body></html>"));
    pane.insertFromMimeData(&data);
    const QTextDocument& doc = *pane.document();
    ASSERT_EQ(doc.blockCount(), 2);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        EXPECT_EQ(b.blockFormat().topMargin(), 0) << b.text().toStdString();
}

TEST(PanePaste, ParagraphsKeepTheirMarginsInAnyUnit) {
    const QString one = QStringLiteral("<p style=\"margin-left:72pt\">a</p>");
    // An inch is 96 pixels, 72 points, 2.54 cm; the text itself stays as typed.
    const QString several = QStringLiteral(
        "<html><head><style>p.c { margin-left: 2.54cm }</style></head><body>"
        "<p style=\"margin-left:96px\">a</p><p class=\"c\">b</p>"
        "<p style='text-indent:.5in;margin:0 36pt 0 0'>c 72pt</p>"
        "<blockquote>d</blockquote><p style=\"margin-left:1in\">e</p></body></html>");
    for (const QString& html : {one, several}) {
        // Pasted on the empty line between two others.
        PastePane pane;
        pane.SetText("x\r\n\r\ny");
        pane.SetReadOnly(false);
        pane.SetSelStart(2);
        QMimeData data;
        data.setHtml(html);
        pane.insertFromMimeData(&data);
        const QTextDocument& doc = *pane.document();
        EXPECT_NEAR(BlockWith(doc, "a").blockFormat().leftMargin(), 96, 0.5);
        EXPECT_EQ(BlockWith(doc, "x").blockFormat().leftMargin(), 0);
        EXPECT_EQ(BlockWith(doc, "y").blockFormat().leftMargin(), 0);
        if (html == one)
            continue;
        for (const char* text : {"b", "e"})
            EXPECT_NEAR(BlockWith(doc, text).blockFormat().leftMargin(), 96, 0.5) << text;
        EXPECT_NEAR(BlockWith(doc, "c 72pt").blockFormat().textIndent(), 48, 0.5);
        EXPECT_NEAR(BlockWith(doc, "c 72pt").blockFormat().rightMargin(), 48, 0.5);
        EXPECT_NEAR(BlockWith(doc, "d").blockFormat().leftMargin(), 40, 0.5);
    }
    // A few words pasted on an empty centred line stay centred.
    PastePane pane;
    pane.SetText("{\\rtf1 x\\par\\qc\\par y}");
    pane.SetReadOnly(false);
    pane.SetSelStart(2);
    QMimeData words;
    words.setHtml(QStringLiteral("<b>deux mots</b>"));
    pane.insertFromMimeData(&words);
    EXPECT_EQ(BlockWith(*pane.document(), "deux mots").blockFormat().alignment() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST(PanePaste, TwoParagraphsPastedInsideALineLeaveItsFirstHalfAsItWas) {
    PastePane pane;
    pane.SetText("{\\rtf1 x\\par\\qc debutfin\\par y}");
    pane.SetReadOnly(false);
    pane.SetSelStart(7);
    QMimeData html;
    html.setHtml(QStringLiteral("<p style=\"margin-left:40px\">un</p>"
                                "<p style=\"margin-left:40px\">deux</p>"));
    pane.insertFromMimeData(&html);
    const QTextBlockFormat line = BlockWith(*pane.document(), "debutun").blockFormat();
    EXPECT_EQ(line.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(line.leftMargin(), 0);
}

TEST(PanePaste, BringsInOnlyWhatTheFileHolds) {
    PastePane pane;
    pane.SetText(" ");
    pane.SetReadOnly(false);
    QMimeData picture;
    picture.setImageData(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_FALSE(pane.canInsertFromMimeData(&picture));

    QMimeData html;
    html.setHtml(QStringLiteral("<p>x<img src=\"missing.png\" width=\"20\" height=\"20\">y</p>"
                                "<ul><li>un</li></ul>"));
    pane.insertFromMimeData(&html);
    const QString text = pane.document()->toPlainText();
    EXPECT_FALSE(text.contains(QChar(0xFFFC))) << "a picture the file cannot hold";
    // A list item keeps its bullet as text, which the file holds.
    EXPECT_TRUE(text.contains(QStringLiteral("\u2022 un"))) << text.toStdString();
    EXPECT_FALSE(QString::fromLatin1(Saved(pane)).contains(QRegularExpression("\\\\u-?\\d")))
        << Saved(pane).constData();
}

// A word too long for word-by-word wrapping switches the pane to wrapping
// anywhere, on load and on paste; ordinary text wraps at word boundaries.
TEST(PanePaste, WrapsAnywhereOnlyAroundVeryLongWords) {
    PastePane pane;
    pane.SetText(QByteArray("{\\rtf1 ") + QByteArray(2000, 'm') + "}");
    EXPECT_EQ(pane.wordWrapMode(), QTextOption::WrapAnywhere);
    pane.SetText("{\\rtf1 " + QByteArray(1000, 'm') + " court}");
    EXPECT_EQ(pane.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    pane.SetText("{\\rtf1 " + QByteArray(600, 'm') + "\\par " + QByteArray(600, 'm') + "}");
    EXPECT_EQ(pane.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    pane.SetReadOnly(false);
    pane.resize(400, 300);
    pane.show();
    // The pasted word is never laid out at word boundaries, not even once
    // before the wrap mode changes: that layout costs the word's length
    // squared.
    std::vector<QTextOption::WrapMode> layoutModes;
    QObject::connect(
        pane.document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, &pane,
        [&] { layoutModes.push_back(pane.document()->defaultTextOption().wrapMode()); });
    QMimeData html;
    html.setHtml(QString(1500, QLatin1Char('w')));
    pane.insertFromMimeData(&html);
    EXPECT_EQ(pane.wordWrapMode(), QTextOption::WrapAnywhere);
    ASSERT_FALSE(layoutModes.empty());
    for (const QTextOption::WrapMode mode : layoutModes)
        EXPECT_EQ(mode, QTextOption::WrapAnywhere);
}

TEST(PanePaste, PastedHtmlLoadsNothingFromOutsideTheClipboard) {
    // A stylesheet of the user's that would make the text bold and red, and
    // a FIFO, which would hold whoever opens it until someone writes to it.
    QTemporaryDir dir;
    const QString css = dir.filePath("style.css");
    {
        QFile f(css);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("p { font-weight: bold; color: #ff0000 }");
    }
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString cssUrl = QUrl::fromLocalFile(css).toString();
    const QString fifoUrl = QUrl::fromLocalFile(fifo).toString();
    const QString link = "<html><head><link rel=\"stylesheet\" href=\"%1\"></head>"
                         "<body><p>texte</p></body></html>";
    const QString cases[] = {
        link.arg(cssUrl),
        link.arg(css),
        "<style>@import url(" + cssUrl + ");</style><p>texte</p>",
        link.arg(fifoUrl),
        link.arg(fifo),
        "<style>@import url(" + fifoUrl + ");</style><p>texte</p>",
        "<p style=\"background-image: url(" + fifo + ")\">texte</p>",
        "<p>texte<img src=\"" + fifo + "\"><img src=\"" + fifoUrl +
            "\" width=\"9\" height=\"9\"></p>",
    };
    for (const QString& html : cases) {
        SCOPED_TRACE(html.toStdString());
        PastePane pane;
        pane.SetText(" ");
        pane.SetReadOnly(false);
        pane.resize(400, 300);
        pane.show();
        QMimeData data;
        data.setHtml(html);
        {
            const Watchdog watchdog(std::chrono::seconds(20), "pasted HTML opened a FIFO");
            pane.insertFromMimeData(&data);
            pane.document()->documentLayout()->documentSize();
        }
        const QTextCursor found = pane.document()->find("texte");
        ASSERT_FALSE(found.isNull()) << pane.document()->toPlainText().toStdString();
        const QTextCharFormat format = found.charFormat();
        EXPECT_NE(format.fontWeight(), QFont::Bold);
        EXPECT_NE(format.foreground().color(), QColor(Qt::red));
        EXPECT_EQ(format.background().style(), Qt::NoBrush);
    }
}

} // namespace
