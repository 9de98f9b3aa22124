// The real window against its settings file: what one run stores, the next
// run brings back.
#include "app/main_window.h"
#include "app/marker_shape.h"
#include "app/sheet_look_button.h"
#include "app/spin_edit.h"
#include "richtext/rich_text_pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<MainWindow> OpenWindow(const QString& iniFile) {
    auto form = std::make_unique<MainWindow>();
    form->removableDriveCheck = [] { return false; };
    form->formStorage.SetIniFileName(iniFile);
    form->show();
    QApplication::processEvents();
    return form;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FormSettings, FirstCloseWritesTheDesignedValuesInOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("vorn.ini"));
    auto form = OpenWindow(ini);
    EXPECT_TRUE(form->close());

    const QByteArray text = ReadAll(ini);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.startsWith("[TForm1]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\n"));
    // The control values close the section, title trimmed, in Windows-1252.
    const QByteArray values = "edtTitre_Text=Calculer (en d\xE9taillant)           Nom :"
                              "                             Pr\xE9nom :\r\n"
                              "spedtQuestions_Value=20\r\n"
                              "RxRichEdit1_Height=166\r\n"
                              "spedtCorriges_Value=0\r\n"
                              "spedtSujets_Value=1\r\n"
                              "spSepar_Value=120\r\n"
                              "spInterL_Value=1\r\n"
                              "ckbEdite_Checked=False\r\n";
    EXPECT_TRUE(text.endsWith(values)) << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nVisible=0\r\n"));
}

TEST(FormSettings, NextRunRestoresEveryStoredValue) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("vorn.ini"));
    {
        auto form = OpenWindow(ini);
        form->titleEdit->setText(QString::fromUtf8("Contrôle n°3"));
        form->questionCountSpin->SetValue(12);
        form->statementCopiesSpin->SetValue(3);
        form->answerKeyCopiesSpin->SetValue(2);
        form->separatorSpin->SetValue(-5);
        form->spacingSpin->SetValue(4);
        form->setStatementPaneHeight(200);
        form->editModeCheck->setChecked(true);
        EXPECT_TRUE(form->close());
    }
    auto form = OpenWindow(ini);
    EXPECT_EQ(form->titleEdit->text(), QString::fromUtf8("Contrôle n°3"));
    EXPECT_EQ(form->questionCountSpin->Value(), 12);
    EXPECT_EQ(form->statementCopiesSpin->Value(), 3);
    EXPECT_EQ(form->answerKeyCopiesSpin->Value(), 2);
    EXPECT_EQ(form->separatorSpin->Value(), -5);
    EXPECT_EQ(form->spacingSpin->Value(), 4);
    EXPECT_EQ(form->statementPaneHeight(), 200);
    // A stored checked box goes through the click handler: the panes edit.
    EXPECT_TRUE(form->editModeCheck->isChecked());
    EXPECT_TRUE(form->state.EditMode);
    EXPECT_FALSE(form->statementPane->IsReadOnly());
    EXPECT_FALSE(form->answerKeyPane->IsReadOnly());
    EXPECT_TRUE(form->settingsChangedMarker->isVisible());
}

TEST(FormSettings, HandEditedCountIsClampedThroughTheControl) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("vorn.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[tform1]\r\nSPEDTQUESTIONS_VALUE=99\r\nspInterL_Value=abc\r\n");
    file.close();
    auto form = OpenWindow(ini);
    EXPECT_EQ(form->questionCountSpin->Value(), 40);
    EXPECT_EQ(form->spacingSpin->Value(), 0);
}

// The layout choice: reached by Tab from the question count, applied to the
// next sheet, stored in a section of its own and brought back.
TEST(FormSettings, AdaptedLayoutIsTheNextSheetsAndComesBack) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("vorn.ini"));
    auto form = OpenWindow(ini);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->questionCountSpin->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->sheetLookButton);
    form->sheetLookButton->AdaptedAction()->trigger();
    form->sheetLookButton->BoxedResultsAction()->trigger();
    QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    EXPECT_EQ(form->statementPane->document()->begin().charFormat().fontPointSize(), 16);
    EXPECT_TRUE(ReadAll(ini).contains("[MiseEnPage]\r\nDisposition=Adaptee\r\n"));
    form = OpenWindow(ini);
    EXPECT_TRUE(form->sheetLookButton->isChecked() && form->sheetLookButton->Look().boxedResults);
}
