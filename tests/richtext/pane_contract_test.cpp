#include "richtext/rich_text_pane.h"
#include "richtext/wrap_mode.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct ChangeCounter {
    explicit ChangeCounter(RichTextPane& pane) {
        QObject::connect(&pane, &RichTextPane::Change, [this] { ++count; });
    }
    int count = 0;
};

// The RTF the converter makes of its worked example (shorter tables).
const QByteArray kExample =
    "{\\rtf1\\ansi\\ansicpg1252\\deftab2880\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl "
    ";\\red0\\green0\\blue0;\\red255\\green255\\blue0;}\\viewkind4\\uc1\\pard\\f0 \\fs24 \\b \\ul "
    "Calculer\\ul0 \\b0 \\par \\cf1 \\fs18 1\xB0/ \\i x\\i0  = 5\\tab \\highlight2  12 "
    "\\highlight0 \\par }";

TEST(PaneSetText, RtfOrPlainReplacesEverythingWithOneChange) {
    RichTextPane pane;
    ChangeCounter changes(pane);
    pane.SetText("old");
    pane.SetText(kExample);
    EXPECT_EQ(changes.count, 2);
    // Two paragraphs, then the empty one the last \par opens.
    EXPECT_EQ(pane.GetText(), QString::fromUtf8("Calculer\n1°/ x = 5\t 12 \n"));
    EXPECT_EQ(pane.TextLength(), 8 + 1 + 9 + 1 + 4 + 1);
    QTextCursor c(pane.document());
    c.setPosition(1);
    EXPECT_TRUE(c.charFormat().font().bold());

    pane.SetText("\xE9t\xE9 \x80\r\nb\rc\nd"); // Windows-1252; CR LF, CR, LF
    EXPECT_EQ(pane.GetText(), QString::fromUtf8("été €\nb\nc\nd"));
    EXPECT_EQ(pane.TextLength(), 11);
    c.setPosition(1);
    EXPECT_FALSE(c.charFormat().font().bold());
    pane.SetText(" {\\rtf1 x}"); // RTF only at the very start
    EXPECT_EQ(pane.GetText(), QString(" {\\rtf1 x}"));
    pane.SetText(" {\\rtf1 x}"); // unchanged content still notifies
    MarkupToRtf(pane, "<te=18>a<br>b");
    EXPECT_EQ(pane.GetText(), QString("a\nb"));
    EXPECT_EQ(changes.count, 6);
}

TEST(PaneSetText, EmptyPaneHasEmptyTextAndNothingToUndo) {
    RichTextPane pane;
    EXPECT_EQ(pane.GetText(), QString());
    EXPECT_EQ(pane.TextLength(), 0);
    for (const QByteArray& empty : {QByteArray("{\\rtf1\\ansi }"), QByteArray("\0abc", 4)}) {
        pane.SetText("x");
        pane.SetText(empty);
        EXPECT_TRUE(pane.GetText().isEmpty());
        EXPECT_EQ(pane.TextLength(), 0);
        pane.undo();
        EXPECT_TRUE(pane.GetText().isEmpty());
    }
}

class ShownPane : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&pane);
        layout->addWidget(&other);
        window.resize(400, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        pane.setFocus();
        pane.SetText("{\\rtf1 abc\\par def}");
        pane.SetSelStart(0);
    }
    QWidget window;
    RichTextPane pane{&window};
    QLineEdit other{&window};
};

TEST_F(ShownPane, ReadOnlyRefusesEditsButKeepsCaretSelectionAndCopy) {
    pane.SetReadOnly(true);
    EXPECT_TRUE(pane.IsReadOnly());
    ChangeCounter changes(pane);
    QApplication::clipboard()->setText("pasted");
    QTest::keyClicks(&pane, "xyz");
    for (int key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Return})
        QTest::keyClick(&pane, Qt::Key(key));
    QTest::keyClick(&pane, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_X, Qt::ControlModifier);
    QMimeData mime;
    mime.setText("dropped");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(pane.GetText(), QString("abc\ndef"));
    EXPECT_EQ(changes.count, 0);

    QTest::keyClick(&pane, Qt::Key_Right);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&pane, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(pane.SelStart(), 1);
    EXPECT_EQ(pane.SelLength(), 2);
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString("bc"));

    // Mouse selection: press on "a", drag to the end of "abc".
    QTextCursor end(pane.document());
    end.setPosition(3);
    const QPoint from = pane.cursorRect(QTextCursor(pane.document())).center();
    const QPoint to = pane.cursorRect(end).center();
    QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, pane.viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane.viewport(), &move);
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(pane.SelStart(), 0);
    EXPECT_EQ(pane.SelLength(), 3);

    pane.SetText("replaced"); // loading still works
    EXPECT_EQ(pane.GetText(), QString("replaced"));
    pane.SetReadOnly(false);
    pane.SetSelStart(100);
    QTest::keyClicks(&pane, "!");
    EXPECT_EQ(pane.GetText(), QString("replaced!"));
    EXPECT_EQ(changes.count, 2);
}

TEST_F(ShownPane, TabTypesOnlyWhenWanted) {
    EXPECT_FALSE(pane.WantTabs());
    QTest::keyClick(&pane, Qt::Key_Tab);
    EXPECT_EQ(pane.GetText(), QString("abc\ndef"));
    EXPECT_TRUE(other.hasFocus());

    pane.SetWantTabs(true);
    EXPECT_TRUE(pane.WantTabs());
    pane.setFocus();
    QTest::keyClick(&pane, Qt::Key_Tab);
    EXPECT_EQ(pane.GetText(), QString("\tabc\ndef"));
    EXPECT_TRUE(pane.hasFocus());
}

TEST_F(ShownPane, SelectionPastTheEndIsTheEndAndScrollsIntoView) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 60; ++i)
        rtf += "line\\par ";
    pane.SetText(rtf + "last}");
    pane.SetSelStart(2);
    pane.SetSelLength(2);
    EXPECT_EQ(pane.textCursor().selectedText(), QString("ne"));
    pane.SetSelLength(std::numeric_limits<int>::max());
    EXPECT_EQ(pane.SelLength(), pane.TextLength() - 2);
    pane.SetSelStart(-3);
    EXPECT_EQ(pane.SelStart(), 0);
    EXPECT_TRUE(pane.viewport()->rect().contains(pane.cursorRect()));

    // What the window does to pin the caret: start at the end, no length.
    pane.SetSelStart(100000);
    pane.SetSelLength(0);
    EXPECT_EQ(pane.SelStart(), 60 * 5 + 4);
    EXPECT_EQ(pane.SelLength(), 0);
    EXPECT_GT(pane.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(pane.viewport()->rect().contains(pane.cursorRect()));

    // A new content, however long, shows from its start with the caret there.
    pane.SetText(rtf + "other}");
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
    EXPECT_EQ(pane.SelStart(), 0);
}

TEST_F(ShownPane, VerticalScrollBarAsNeededAndWordsWrap) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 40; ++i)
        rtf += "line\\par ";
    pane.SetText(rtf + "}");
    EXPECT_TRUE(pane.verticalScrollBar()->isVisible());
    pane.SetText("short");
    EXPECT_FALSE(pane.verticalScrollBar()->isVisible());
    pane.SetText(QByteArray(300, 'w'));
    EXPECT_FALSE(pane.horizontalScrollBar()->isVisible());
    EXPECT_GT(pane.document()->begin().layout()->lineCount(), 1);
}

// A long new content is laid out as far as the pane shows it before its
// first paint; the rest comes in soon after on its own, at once on the
// user's first key, click or wheel, and before printing. The text itself is
// whole from the start, and showing it is no edit.
TEST_F(ShownPane, LongContentShowsItsViewFirstAndTheRestSoonAfter) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 400; ++i)
        rtf += "line " + QByteArray::number(i) + "\\par ";
    rtf += "end}";
    QTextDocument& doc = *pane.document();
    const auto wholeShown = [&] {
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            if (!b.isVisible())
                return false;
        return true;
    };
    const std::function<void()> firstInputs[] = {
        [&] { QTest::keyClick(&pane, Qt::Key_Down); },
        [&] { QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint(5, 5)); },
        [&] {
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(pane.viewport(), &wheel);
        },
        [&] {
            // An edit by the program moves the held-back paragraphs up one.
            QTextCursor first(&doc);
            first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            first.removeSelectedText();
            pane.ShowWholeContent();
        },
        [&] {
            QImage page(850, 1100, QImage::Format_RGB32);
            QPainter painter(&page);
            pane.FormatRange(painter, QRect(0, 0, 12240, 15840), QRect(720, 720, 10800, 14400), 0,
                             true);
        },
    };
    for (const auto& input : firstInputs) {
        pane.SetText(rtf);
        // "line " and 1 090 digits on 400 lines, each with its break, then "end".
        ASSERT_EQ(pane.TextLength(), 400 * 5 + 1090 + 400 + 3);
        EXPECT_FALSE(wholeShown());
        EXPECT_GE(doc.documentLayout()->documentSize().height(), pane.viewport()->height());
        input();
        EXPECT_TRUE(wholeShown());
    }
    pane.SetText(rtf);
    EXPECT_FALSE(wholeShown());
    EXPECT_TRUE(QTest::qWaitFor(wholeShown, 5000));
    EXPECT_GT(doc.documentLayout()->documentSize().height(), 400 * 10);
    EXPECT_EQ(doc.lastBlock().layout()->lineCount(), 1);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isUndoAvailable());
}

// A shown pane reads a long content as far as its view first; whatever asks
// for the content gets all of it, and reading the rest is no change, no edit.
TEST_F(ShownPane, LongContentIsReadWholeWhenAskedFor) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 300; ++i)
        rtf += "line " + QByteArray::number(i) + "\\par ";
    const QByteArray withTable = rtf + "\\trowd\\cellx2000\\intbl a\\cell\\row\\pard end}";
    const QByteArray withLongWord = rtf + QByteArray(2 * vorn::kLongWordChars, 'w') + "}";
    rtf += "end}";
    RichTextPane hidden; // reads at once
    ChangeCounter changes(pane);
    for (const QByteArray& content : {rtf, withTable, withLongWord}) {
        hidden.SetText(content);
        pane.SetText(content);
        QTextDocument& doc = *pane.document();
        EXPECT_LT(doc.characterCount() - 1, hidden.TextLength()); // the rest waits
        doc.setModified(true);                                    // as a restored session says
        EXPECT_EQ(pane.GetText(), hidden.GetText());
        EXPECT_TRUE(doc.isModified());
        EXPECT_FALSE(doc.isUndoAvailable());
        pane.ShowWholeContent();
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            ASSERT_TRUE(b.isVisible());
        EXPECT_EQ(pane.wordWrapMode(), hidden.wordWrapMode());
    }
    EXPECT_EQ(changes.count, 3);
    hidden.SetText(rtf);
    pane.SetText(rtf); // and the rest comes without being asked for
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return pane.document()->characterCount() - 1 == hidden.TextLength(); }, 5000));
}

} // namespace
