#include "form_fixture.h"

#include "richtext/rich_text_pane.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

namespace {

class FormPanes : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->state.Random.SetState(99);
        QTest::mouseClick(form->valueDegree2Button, Qt::LeftButton);
        ASSERT_GT(form->statementPane->TextLength(), 200);
    }
    static bool Pinned(const RichTextPane& pane) {
        return pane.SelStart() == pane.TextLength() && pane.SelLength() == 0;
    }
    void SetEditMode(bool on) {
        form->editModeCheck->setChecked(on);
        QApplication::processEvents();
    }
    // A drag of some text arriving over the pane: it enters, then moves.
    // Returns whether the pane would take the drop.
    bool DragOver(RichTextPane* pane) {
        QMimeData data;
        data.setText("glisse");
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(pane->viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(pane->viewport(), &move);
        QDragLeaveEvent leave;
        QApplication::sendEvent(pane->viewport(), &leave);
        return move.isAccepted();
    }
};

TEST_F(FormPanes, EditModeFollowsTheCheckBox) {
    EXPECT_FALSE(form->state.EditMode);
    SetEditMode(true);
    EXPECT_TRUE(form->state.EditMode);
    EXPECT_FALSE(form->statementPane->IsReadOnly());
    EXPECT_FALSE(form->answerKeyPane->IsReadOnly());
    EXPECT_TRUE(form->statementPane->WantTabs());
    EXPECT_TRUE(form->answerKeyPane->WantTabs());
    SetEditMode(false);
    EXPECT_FALSE(form->state.EditMode);
    EXPECT_TRUE(form->statementPane->IsReadOnly());
    EXPECT_TRUE(form->answerKeyPane->IsReadOnly());
    EXPECT_FALSE(form->statementPane->WantTabs());
}

TEST_F(FormPanes, TypingOnlyInEditMode) {
    const QString before = form->statementPane->GetText();
    form->statementPane->setFocus();
    QTest::keyClicks(form->statementPane, "abc");
    QTest::keyClick(form->statementPane, Qt::Key_Backspace);
    QTest::keyClick(form->statementPane, Qt::Key_Delete);
    EXPECT_EQ(form->statementPane->GetText(), before);

    SetEditMode(true);
    form->statementPane->setFocus();
    form->statementPane->SetSelStart(0);
    QTest::keyClicks(form->statementPane, "abc");
    EXPECT_EQ(form->statementPane->GetText(), "abc" + before);
}

TEST_F(FormPanes, ClicksPinTheCaretOutsideEditMode) {
    for (RichTextPane* pane : {form->statementPane, form->answerKeyPane}) {
        pane->SetSelStart(3);
        pane->SetSelLength(5);
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
        EXPECT_TRUE(Pinned(*pane));
        // Right button too, and a double click that would select a word.
        QTest::mouseClick(pane->viewport(), Qt::RightButton, {}, QPoint(30, 10));
        EXPECT_TRUE(Pinned(*pane));
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, QPoint(60, 10));
        EXPECT_TRUE(Pinned(*pane));
        // Press, drag, release: nothing selected in the end.
        QTest::mousePress(pane->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
        QTest::mouseMove(pane->viewport(), QPoint(200, 40));
        QTest::mouseRelease(pane->viewport(), Qt::LeftButton, {}, QPoint(200, 40));
        EXPECT_TRUE(Pinned(*pane));
    }
}

TEST_F(FormPanes, ClicksPlaceTheCaretInEditMode) {
    SetEditMode(true);
    QTest::mouseClick(form->statementPane->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_LT(form->statementPane->SelStart(), form->statementPane->TextLength());
}

TEST_F(FormPanes, SelectionSurvivesLeavingEditModeUntilTheNextMouseEvent) {
    SetEditMode(true);
    form->answerKeyPane->SetSelStart(2);
    form->answerKeyPane->SetSelLength(4);
    SetEditMode(false);
    EXPECT_EQ(form->answerKeyPane->SelStart(), 2);
    EXPECT_EQ(form->answerKeyPane->SelLength(), 4);
    QTest::mousePress(form->answerKeyPane->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Pinned(*form->answerKeyPane));
    QTest::mouseRelease(form->answerKeyPane->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(FormPanes, KeyboardStillSelectsAndCopiesOutsideEditMode) {
    form->statementPane->setFocus();
    QTest::mouseClick(form->statementPane->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(Pinned(*form->statementPane));
    QTest::keyClick(form->statementPane, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->statementPane->SelLength(), form->statementPane->TextLength());
    QTest::keyClick(form->statementPane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().left(10), form->statementPane->GetText().left(10));
    QApplication::clipboard()->setText("coller");
    QTest::keyClick(form->statementPane, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(form->statementPane->GetText().contains("coller"));
}

TEST_F(FormPanes, TabMovesFocusUnlessEditing) {
    const QString before = form->statementPane->GetText();
    form->statementPane->setFocus();
    QTest::keyClick(form->statementPane, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->answerKeyPane);
    EXPECT_EQ(form->statementPane->GetText(), before);

    SetEditMode(true);
    form->statementPane->setFocus();
    form->statementPane->SetSelStart(0);
    QTest::keyClick(form->statementPane, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->statementPane);
    EXPECT_EQ(form->statementPane->GetText(), "\t" + before);
}

TEST_F(FormPanes, StatementContentDecidesTheOutputCommands) {
    SetEditMode(true);
    form->answerKeyPane->setFocus();
    QTest::keyClick(form->answerKeyPane, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->answerKeyPane, Qt::Key_Delete);
    EXPECT_TRUE(form->answerKeyPane->GetText().isEmpty());
    EXPECT_TRUE(form->printButton->isEnabled()); // the answer key changes nothing

    form->statementPane->setFocus();
    QTest::keyClick(form->statementPane, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->statementPane, Qt::Key_Delete);
    EXPECT_TRUE(form->statementPane->GetText().isEmpty());
    EXPECT_FALSE(form->printButton->isEnabled());
    EXPECT_FALSE(form->saveButton->isEnabled());
    EXPECT_FALSE(form->previewButton->isEnabled());

    QTest::keyClicks(form->statementPane, "x");
    EXPECT_TRUE(form->printButton->isEnabled());
    EXPECT_TRUE(form->saveButton->isEnabled());
    EXPECT_TRUE(form->previewButton->isEnabled());
}

TEST_F(FormPanes, DragsOutsideEditMode) {
    form->statementPane->SetSelStart(0);
    EXPECT_FALSE(DragOver(form->statementPane)); // the statement refuses
    EXPECT_TRUE(Pinned(*form->statementPane));
    form->answerKeyPane->SetSelStart(0);
    EXPECT_FALSE(DragOver(form->answerKeyPane)); // a read-only pane takes nothing
    EXPECT_TRUE(Pinned(*form->answerKeyPane));

    bool accept = true;
    form->statementDragOver(accept);
    EXPECT_FALSE(accept);
    accept = true;
    form->answerKeyDragOver(accept);
    EXPECT_TRUE(accept);

    const QString answer = form->answerKeyPane->GetText();
    for (RichTextPane* pane : {form->statementPane, form->answerKeyPane}) {
        pane->SetSelStart(0);
        (pane == form->statementPane ? form->statementDropped() : form->answerKeyDropped());
        EXPECT_TRUE(Pinned(*pane));
        pane->SetSelStart(0);
        (pane == form->statementPane ? form->statementDragEnded() : form->answerKeyDragEnded());
        EXPECT_TRUE(Pinned(*pane));
    }
    EXPECT_EQ(form->answerKeyPane->GetText(), answer); // nothing inserted
}

TEST_F(FormPanes, DragsInEditModeAreTheControlsOwn) {
    SetEditMode(true);
    form->statementPane->SetSelStart(0);
    EXPECT_TRUE(DragOver(form->statementPane));
    EXPECT_TRUE(DragOver(form->answerKeyPane));
    EXPECT_EQ(form->statementPane->SelStart(), 0);
    bool accept = true;
    form->statementDragOver(accept);
    EXPECT_TRUE(accept);
    form->statementDragEnded();
    form->statementDropped();
    form->statementMouseUp();
    EXPECT_EQ(form->statementPane->SelStart(), 0); // no pinning while editing
}
} // namespace
