#include "form_fixture.h"

#include "richtext/trx_rich_edit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

namespace {

class FormPanes : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->State.Random.SetState(99);
        QTest::mouseClick(form->btnVNdeg2, Qt::LeftButton);
        ASSERT_GT(form->RxRichEdit1->TextLength(), 200);
    }
    static bool Pinned(const TRxRichEdit& pane) {
        return pane.SelStart() == pane.TextLength() && pane.SelLength() == 0;
    }
    void SetEditMode(bool on) {
        form->ckbEdite->setChecked(on);
        QApplication::processEvents();
    }
    // A drag of some text arriving over the pane: it enters, then moves.
    // Returns whether the pane would take the drop.
    bool DragOver(TRxRichEdit* pane) {
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
    EXPECT_FALSE(form->State.EditMode);
    SetEditMode(true);
    EXPECT_TRUE(form->State.EditMode);
    EXPECT_FALSE(form->RxRichEdit1->IsReadOnly());
    EXPECT_FALSE(form->RxRichEdit2->IsReadOnly());
    EXPECT_TRUE(form->RxRichEdit1->WantTabs());
    EXPECT_TRUE(form->RxRichEdit2->WantTabs());
    SetEditMode(false);
    EXPECT_FALSE(form->State.EditMode);
    EXPECT_TRUE(form->RxRichEdit1->IsReadOnly());
    EXPECT_TRUE(form->RxRichEdit2->IsReadOnly());
    EXPECT_FALSE(form->RxRichEdit1->WantTabs());
}

TEST_F(FormPanes, TypingOnlyInEditMode) {
    const QString before = form->RxRichEdit1->GetText();
    form->RxRichEdit1->setFocus();
    QTest::keyClicks(form->RxRichEdit1, "abc");
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Backspace);
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Delete);
    EXPECT_EQ(form->RxRichEdit1->GetText(), before);

    SetEditMode(true);
    form->RxRichEdit1->setFocus();
    form->RxRichEdit1->SetSelStart(0);
    QTest::keyClicks(form->RxRichEdit1, "abc");
    EXPECT_EQ(form->RxRichEdit1->GetText(), "abc" + before);
}

TEST_F(FormPanes, ClicksPinTheCaretOutsideEditMode) {
    for (TRxRichEdit* pane : {form->RxRichEdit1, form->RxRichEdit2}) {
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
    QTest::mouseClick(form->RxRichEdit1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_LT(form->RxRichEdit1->SelStart(), form->RxRichEdit1->TextLength());
}

TEST_F(FormPanes, SelectionSurvivesLeavingEditModeUntilTheNextMouseEvent) {
    SetEditMode(true);
    form->RxRichEdit2->SetSelStart(2);
    form->RxRichEdit2->SetSelLength(4);
    SetEditMode(false);
    EXPECT_EQ(form->RxRichEdit2->SelStart(), 2);
    EXPECT_EQ(form->RxRichEdit2->SelLength(), 4);
    QTest::mousePress(form->RxRichEdit2->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Pinned(*form->RxRichEdit2));
    QTest::mouseRelease(form->RxRichEdit2->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(FormPanes, KeyboardStillSelectsAndCopiesOutsideEditMode) {
    form->RxRichEdit1->setFocus();
    QTest::mouseClick(form->RxRichEdit1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(Pinned(*form->RxRichEdit1));
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->RxRichEdit1->SelLength(), form->RxRichEdit1->TextLength());
    QTest::keyClick(form->RxRichEdit1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().left(10), form->RxRichEdit1->GetText().left(10));
    QApplication::clipboard()->setText("coller");
    QTest::keyClick(form->RxRichEdit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(form->RxRichEdit1->GetText().contains("coller"));
}

TEST_F(FormPanes, TabMovesFocusUnlessEditing) {
    const QString before = form->RxRichEdit1->GetText();
    form->RxRichEdit1->setFocus();
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->RxRichEdit2);
    EXPECT_EQ(form->RxRichEdit1->GetText(), before);

    SetEditMode(true);
    form->RxRichEdit1->setFocus();
    form->RxRichEdit1->SetSelStart(0);
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->RxRichEdit1);
    EXPECT_EQ(form->RxRichEdit1->GetText(), "\t" + before);
}

TEST_F(FormPanes, StatementContentDecidesTheOutputCommands) {
    SetEditMode(true);
    form->RxRichEdit2->setFocus();
    QTest::keyClick(form->RxRichEdit2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->RxRichEdit2, Qt::Key_Delete);
    EXPECT_TRUE(form->RxRichEdit2->GetText().isEmpty());
    EXPECT_TRUE(form->btnImprime->isEnabled()); // the answer key changes nothing

    form->RxRichEdit1->setFocus();
    QTest::keyClick(form->RxRichEdit1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->RxRichEdit1, Qt::Key_Delete);
    EXPECT_TRUE(form->RxRichEdit1->GetText().isEmpty());
    EXPECT_FALSE(form->btnImprime->isEnabled());
    EXPECT_FALSE(form->btnEnregistre->isEnabled());
    EXPECT_FALSE(form->btnApercu->isEnabled());

    QTest::keyClicks(form->RxRichEdit1, "x");
    EXPECT_TRUE(form->btnImprime->isEnabled());
    EXPECT_TRUE(form->btnEnregistre->isEnabled());
    EXPECT_TRUE(form->btnApercu->isEnabled());
}

TEST_F(FormPanes, DragsOutsideEditMode) {
    form->RxRichEdit1->SetSelStart(0);
    EXPECT_FALSE(DragOver(form->RxRichEdit1)); // the statement refuses
    EXPECT_TRUE(Pinned(*form->RxRichEdit1));
    form->RxRichEdit2->SetSelStart(0);
    EXPECT_FALSE(DragOver(form->RxRichEdit2)); // a read-only pane takes nothing
    EXPECT_TRUE(Pinned(*form->RxRichEdit2));

    bool accept = true;
    form->RxRichEdit1DragOver(accept);
    EXPECT_FALSE(accept);
    accept = true;
    form->RxRichEdit2DragOver(accept);
    EXPECT_TRUE(accept);

    const QString answer = form->RxRichEdit2->GetText();
    for (TRxRichEdit* pane : {form->RxRichEdit1, form->RxRichEdit2}) {
        pane->SetSelStart(0);
        (pane == form->RxRichEdit1 ? form->RxRichEdit1DragDrop() : form->RxRichEdit2DragDrop());
        EXPECT_TRUE(Pinned(*pane));
        pane->SetSelStart(0);
        (pane == form->RxRichEdit1 ? form->RxRichEdit1EndDrag() : form->RxRichEdit2EndDrag());
        EXPECT_TRUE(Pinned(*pane));
    }
    EXPECT_EQ(form->RxRichEdit2->GetText(), answer); // nothing inserted
}

TEST_F(FormPanes, DragsInEditModeAreTheControlsOwn) {
    SetEditMode(true);
    form->RxRichEdit1->SetSelStart(0);
    EXPECT_TRUE(DragOver(form->RxRichEdit1));
    EXPECT_TRUE(DragOver(form->RxRichEdit2));
    EXPECT_EQ(form->RxRichEdit1->SelStart(), 0);
    bool accept = true;
    form->RxRichEdit1DragOver(accept);
    EXPECT_TRUE(accept);
    form->RxRichEdit1EndDrag();
    form->RxRichEdit1DragDrop();
    form->RxRichEdit1MouseUp();
    EXPECT_EQ(form->RxRichEdit1->SelStart(), 0); // no pinning while editing
}
} // namespace
