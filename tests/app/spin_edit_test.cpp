#include "app/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Spin {
    Spin(int value, int minValue, int maxValue, int maxLength) {
        window.resize(200, 100);
        edit = new SpinEdit(&window);
        edit->SetRange(minValue, maxValue);
        edit->SetMaxLength(maxLength);
        edit->SetValue(value);
        edit->setGeometry(10, 10, 49, 26);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 80, 24);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QApplication::processEvents();
    }
    void Type(const QString& text) { QTest::keyClicks(edit->Editor(), text); }
    QWidget window;
    SpinEdit* edit;
    QLineEdit* other;
};

TEST(SpinEdit, ValueIsTheTextReadAsAnInteger) {
    Spin s(20, 1, 40, 2);
    EXPECT_EQ(s.edit->Text(), "20");
    EXPECT_EQ(s.edit->Value(), 20);
    s.edit->SetText("abc");
    EXPECT_EQ(s.edit->Value(), 1); // not a number: the minimum
    s.edit->SetText("");
    EXPECT_EQ(s.edit->Value(), 1);
    s.edit->SetText("-");
    EXPECT_EQ(s.edit->Value(), 1);
    s.edit->SetText("+7");
    EXPECT_EQ(s.edit->Value(), 7);
    s.edit->SetText("99");
    EXPECT_EQ(s.edit->Value(), 99); // reading does not clamp
    s.edit->SetText("1,5");
    EXPECT_EQ(s.edit->Value(), 1);

    Spin wide(0, -5, 5, 0);
    wide.edit->SetText("2147483648");
    EXPECT_EQ(wide.edit->Value(), -5); // does not fit in 32 bits
    wide.edit->SetText("-2147483648");
    EXPECT_EQ(wide.edit->Value(), -2147483647 - 1);
    wide.edit->SetText(" 3");
    EXPECT_EQ(wide.edit->Value(), -5);
}

TEST(SpinEdit, SettingClampsUnlessUnbounded) {
    Spin questions(20, 1, 40, 2);
    questions.edit->SetValue(99);
    EXPECT_EQ(questions.edit->Text(), "40");
    questions.edit->SetValue(-3);
    EXPECT_EQ(questions.edit->Text(), "1");

    Spin separator(120, 0, 0, 0);
    separator.edit->SetValue(-5);
    EXPECT_EQ(separator.edit->Text(), "-5");
    EXPECT_EQ(separator.edit->Value(), -5);
    separator.edit->SetValue(100000);
    EXPECT_EQ(separator.edit->Text(), "100000");
}

TEST(SpinEdit, TypingAcceptsDigitsSignsAndTheDecimalSeparatorOnly) {
    Spin s(0, 0, 0, 0);
    s.edit->SetText("");
    QSignalSpy refused(s.edit, &SpinEdit::KeyRefused);
    s.Type("-12+" + QLocale::system().decimalPoint());
    EXPECT_EQ(s.edit->Text(), "-12+" + QLocale::system().decimalPoint());
    EXPECT_EQ(refused.count(), 0);

    s.edit->SetText("12");
    s.edit->Editor()->setCursorPosition(2);
    s.Type("a");
    QTest::keyClick(s.edit->Editor(), Qt::Key_Space);
    QTest::keyClick(s.edit->Editor(), Qt::Key_Return);
    QTest::keyClick(s.edit->Editor(), Qt::Key_Enter);
    QKeyEvent eAcute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(s.edit->Editor(), &eAcute);
    s.Type("/");
    EXPECT_EQ(s.edit->Text(), "12"); // refused keys leave the text unchanged
    EXPECT_EQ(refused.count(), 6);   // each one beeped

    // Control keys pass: Backspace, Delete, Home, Ctrl+A then typing.
    QTest::keyClick(s.edit->Editor(), Qt::Key_Backspace);
    EXPECT_EQ(s.edit->Text(), "1");
    QTest::keyClick(s.edit->Editor(), Qt::Key_Home);
    QTest::keyClick(s.edit->Editor(), Qt::Key_Delete);
    EXPECT_EQ(s.edit->Text(), "");
    s.Type("34");
    QTest::keyClick(s.edit->Editor(), Qt::Key_A, Qt::ControlModifier);
    s.Type("5");
    EXPECT_EQ(s.edit->Text(), "5");
    EXPECT_EQ(refused.count(), 6);
}

TEST(SpinEdit, MaximumTextLengthBindsTyping) {
    Spin s(1, 0, 99, 2);
    s.edit->SetText("");
    s.Type("123");
    EXPECT_EQ(s.edit->Text(), "12");
    Spin unlimited(1, 0, 0, 0);
    unlimited.edit->SetText("");
    unlimited.Type("1234567");
    EXPECT_EQ(unlimited.edit->Text(), "1234567");
}

TEST(SpinEdit, ArrowKeysAndButtonsStepThenClamp) {
    Spin s(39, 1, 40, 2);
    QTest::keyClick(s.edit->Editor(), Qt::Key_Up);
    EXPECT_EQ(s.edit->Text(), "40");
    QTest::keyClick(s.edit->Editor(), Qt::Key_Up);
    EXPECT_EQ(s.edit->Text(), "40");
    QTest::keyClick(s.edit->Editor(), Qt::Key_Down);
    EXPECT_EQ(s.edit->Text(), "39");
    s.edit->SetText("x"); // not a number: steps from the minimum
    QTest::keyClick(s.edit->Editor(), Qt::Key_Up);
    EXPECT_EQ(s.edit->Text(), "2");
    s.edit->SetText("99");
    QTest::keyClick(s.edit->Editor(), Qt::Key_Down);
    EXPECT_EQ(s.edit->Text(), "40"); // 98, clamped
    QTest::mouseClick(s.edit->DownButton(), Qt::LeftButton);
    EXPECT_EQ(s.edit->Text(), "39");
    QTest::mouseClick(s.edit->UpButton(), Qt::LeftButton);
    EXPECT_EQ(s.edit->Text(), "40");

    Spin unbounded(INT_MAX, 0, 0, 0);
    QTest::keyClick(unbounded.edit->Editor(), Qt::Key_Up);
    EXPECT_EQ(unbounded.edit->Text(), QString::number(INT_MAX)); // no wrap to negative
    unbounded.edit->SetText("0");
    QTest::keyClick(unbounded.edit->Editor(), Qt::Key_Down);
    EXPECT_EQ(unbounded.edit->Text(), "-1");
}

TEST(SpinEdit, LeavingReplacesAnOutOfRangeTextByTheClampedValue) {
    Spin s(20, 1, 40, 2);
    s.edit->SetText("");
    s.Type("99");
    EXPECT_EQ(s.edit->Text(), "99");
    s.other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(s.edit->Text(), "40");

    s.edit->setFocus();
    s.edit->SetText("0");
    s.other->setFocus();
    EXPECT_EQ(s.edit->Text(), "1");

    // In range, or not a number at all: the text stays as typed.
    s.edit->setFocus();
    s.edit->SetText("07");
    s.other->setFocus();
    EXPECT_EQ(s.edit->Text(), "07");
    s.edit->setFocus();
    s.edit->SetText("-");
    s.other->setFocus();
    EXPECT_EQ(s.edit->Text(), "-");

    Spin separator(120, 0, 0, 0);
    separator.edit->SetText("-5");
    separator.other->setFocus();
    EXPECT_EQ(separator.edit->Text(), "-5");
}

TEST(SpinEdit, ChangeFiresOnRealChangesOnly) {
    Spin s(20, 1, 40, 2);
    QSignalSpy changes(s.edit, &SpinEdit::Change);
    s.edit->SetValue(20);
    EXPECT_EQ(changes.count(), 0);
    s.edit->SetValue(21);
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClick(s.edit->Editor(), Qt::Key_Up);
    EXPECT_EQ(changes.count(), 2);
    s.Type("x"); // refused
    EXPECT_EQ(changes.count(), 2);
}

TEST(SpinEdit, LightBackgroundAndEmptyContextMenu) {
    Spin s(1, 0, 5, 0);
    EXPECT_EQ(s.edit->Editor()->palette().color(QPalette::Base), QColor(236, 255, 255));
    QMenu empty;
    s.edit->SetPopupMenu(&empty);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            s.edit->Editor()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(s.edit->Editor(), &event);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

} // namespace
