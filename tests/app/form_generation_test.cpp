#include "form_fixture.h"

#include "app/shape.h"
#include "app/spin_edit.h"
#include "exercises/cp1252.h"
#include "exercises/sheet.h"
#include "richtext/trx_rich_edit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

struct FamilyCase {
    vorn::Family family;
    QPushButton* TForm1::*button;
    const char* prefix;
};

const FamilyCase kFamilies[] = {
    {vorn::Family::VNdeg1, &TForm1::btnVNdeg1, "VN1_"},
    {vorn::Family::VNdeg2, &TForm1::btnVNdeg2, "VN2-"},
    {vorn::Family::Dev1, &TForm1::btnDev1, "DEV1_"},
    {vorn::Family::Dev2, &TForm1::btnDev2, "DEV2_"},
    {vorn::Family::Ident, &TForm1::btn_ident, "DEV_ident_"},
};

// What a pane shows once it holds the given markup.
QString PaneText(const std::string& markup) {
    TRxRichEdit pane;
    MarkupToRtf(pane, markup);
    return pane.GetText();
}

class FormGeneration : public FormTest {
protected:
    // The sheet an independent generator seeded alike gives for the window's
    // current settings.
    vorn::Sheet Expected(vorn::Family family, vorn::LcgRandom& random, int questions, int separator,
                         int spacing) {
        vorn::SheetSettings settings;
        settings.questionCount = questions;
        settings.title = vorn::Utf8ToCp1252(form->edtTitre->text().toUtf8().toStdString());
        settings.separatorLength = separator;
        settings.spacingLines = spacing;
        return vorn::GenerateSheet(family, settings, random);
    }
};

TEST_F(FormGeneration, EachButtonFillsBothPanesWithTheSeededSheet) {
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(c.prefix);
        form->Shape1->show();
        const std::uint32_t seed = 20261207u + static_cast<std::uint32_t>(c.family);
        form->State.Random.SetState(seed);
        vorn::LcgRandom oracle(seed);

        QTest::mouseClick(form.get()->*c.button, Qt::LeftButton);

        const vorn::Sheet sheet = Expected(c.family, oracle, 20, 120, 1);
        ASSERT_GT(sheet.statement.size(), 100u);
        EXPECT_EQ(form->RxRichEdit1->GetText(), PaneText(sheet.statement));
        EXPECT_EQ(form->RxRichEdit2->GetText(), PaneText(sheet.answerKey));
        EXPECT_EQ(form->State.SheetReference, sheet.reference);
        EXPECT_EQ(form->edtRef->text().toStdString(), sheet.reference);
        EXPECT_TRUE(QRegularExpression(QString("^") + c.prefix + "[0-9]{6}$")
                        .match(form->edtRef->text())
                        .hasMatch());
        EXPECT_EQ(form->State.QuestionCount, 20);
        // The window's generator went on exactly as the independent one did.
        EXPECT_EQ(form->State.Random.State(), oracle.State());
        EXPECT_FALSE(form->Shape1->isVisible());
        EXPECT_TRUE(form->btnEnregistre->isEnabled());
        EXPECT_TRUE(form->btnImprime->isEnabled());
        EXPECT_TRUE(form->btnApercu->isEnabled());
    }
}

TEST_F(FormGeneration, SettingsReadFromTheWindow) {
    form->spedtQuestions->SetValue(1);
    form->spSepar->SetValue(0);
    form->spInterL->SetValue(0);
    form->edtTitre->setText(QString::fromUtf8("Contrôle <b>n°3</b>"));
    form->State.Random.SetState(7);
    vorn::LcgRandom oracle(7);
    QTest::mouseClick(form->btnDev2, Qt::LeftButton);
    const vorn::Sheet sheet = Expected(vorn::Family::Dev2, oracle, 1, 0, 0);
    EXPECT_NE(sheet.statement.find("Contr\xF4le <b>n\xB0"
                                   "3</b>"),
              std::string::npos);
    EXPECT_EQ(form->RxRichEdit1->GetText(), PaneText(sheet.statement));
    EXPECT_EQ(form->RxRichEdit2->GetText(), PaneText(sheet.answerKey));
    EXPECT_EQ(form->State.QuestionCount, 1);

    // Two sheets in a row draw from the one generator without reseeding.
    QTest::mouseClick(form->btnVNdeg1, Qt::LeftButton);
    const vorn::Sheet second = Expected(vorn::Family::VNdeg1, oracle, 1, 0, 0);
    EXPECT_EQ(form->RxRichEdit1->GetText(), PaneText(second.statement));
    EXPECT_EQ(form->edtRef->text().toStdString(), second.reference);
}

// Backslashes and braces typed in the title are text, not RTF: the title shows
// as typed and every question is there, in both panes.
TEST_F(FormGeneration, ATitleWithBackslashesAndBracesShowsAsTyped) {
    const QRegularExpression question(QString::fromUtf8("^\\d+°/ "),
                                      QRegularExpression::MultilineOption);
    for (const QString title : {"Classe {\\*\\x groupe B", "Titre {a} \\par b"}) {
        SCOPED_TRACE(title.toStdString());
        form->edtTitre->setText(title);
        form->btnVNdeg1Click();
        const QString ref = form->edtRef->text();
        const QString statement = form->RxRichEdit1->GetText();
        const QString answerKey = form->RxRichEdit2->GetText();
        EXPECT_TRUE(statement.startsWith(ref + " - " + title + " \n"))
            << statement.left(120).toStdString();
        EXPECT_TRUE(answerKey.startsWith(ref + QString::fromUtf8(" - Corrigé - ") + title + "\n"))
            << answerKey.left(120).toStdString();
        EXPECT_EQ(statement.count(question), 20);
        EXPECT_EQ(answerKey.count(question), 20);
    }
}

TEST_F(FormGeneration, ASheetAskedForDuringAnotherWaitsForIt) {
    form->State.Random.SetState(31);
    vorn::LcgRandom oracle(31);
    bool asked = false;
    // Another button pressed while the statement pane is being filled.
    QObject::connect(form->RxRichEdit1, &TRxRichEdit::Change, form.get(), [&] {
        if (!asked) {
            asked = true;
            form->btnDev1Click();
        }
    });
    form->btnVNdeg1Click();
    ASSERT_TRUE(asked);
    const vorn::Sheet first = Expected(vorn::Family::VNdeg1, oracle, 20, 120, 1);
    EXPECT_EQ(form->edtRef->text().toStdString(), first.reference);
    EXPECT_EQ(form->RxRichEdit1->GetText(), PaneText(first.statement));
    EXPECT_EQ(form->RxRichEdit2->GetText(), PaneText(first.answerKey));

    QApplication::processEvents(); // then the second sheet, whole
    const vorn::Sheet second = Expected(vorn::Family::Dev1, oracle, 20, 120, 1);
    EXPECT_EQ(form->edtRef->text().toStdString(), second.reference);
    EXPECT_EQ(form->RxRichEdit1->GetText(), PaneText(second.statement));
    EXPECT_EQ(form->RxRichEdit2->GetText(), PaneText(second.answerKey));
}

TEST_F(FormGeneration, TooManyQuestionsIsReportedAndChangesNothing) {
    QTest::mouseClick(form->btnVNdeg1, Qt::LeftButton);
    const QString statement = form->RxRichEdit1->GetText();
    const std::string reference = form->State.SheetReference;
    form->spedtQuestions->SetText("99"); // typed, the field not yet left
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    form->btnVNdeg1Click();
    EXPECT_TRUE(shown.contains("40")) << shown.toStdString();
    EXPECT_EQ(form->RxRichEdit1->GetText(), statement);
    EXPECT_EQ(form->State.SheetReference, reference);
}

TEST_F(FormGeneration, MarkerShownByTitleAndQuestionCountOnly) {
    // The title restored trimmed at first show counts as a change.
    EXPECT_TRUE(form->Shape1->isVisible());
    form->btnVNdeg1Click();
    EXPECT_FALSE(form->Shape1->isVisible());
    form->spedtSujets->SetValue(3);
    form->spedtCorriges->SetValue(2);
    form->spSepar->SetValue(80);
    form->spInterL->SetValue(4);
    EXPECT_FALSE(form->Shape1->isVisible());
    form->spedtQuestions->SetValue(20); // the same text: no change
    form->edtTitre->setText(form->edtTitre->text());
    EXPECT_FALSE(form->Shape1->isVisible());

    form->spedtQuestions->setFocus();
    QTest::keyClick(form->spedtQuestions->Editor(), Qt::Key_Up);
    EXPECT_TRUE(form->Shape1->isVisible());
    QTest::mouseClick(form->btn_ident, Qt::LeftButton);
    EXPECT_FALSE(form->Shape1->isVisible());

    form->edtTitre->setFocus();
    QTest::keyClicks(form->edtTitre, "x");
    EXPECT_TRUE(form->Shape1->isVisible());
    QTest::mouseClick(form->btnDev1, Qt::LeftButton);
    EXPECT_FALSE(form->Shape1->isVisible());
}

TEST_F(FormGeneration, TitleIsLightYellowWhileFocused) {
    const QColor before = form->edtTitre->palette().color(QPalette::Base);
    EXPECT_NE(before, QColor(255, 255, 202));
    form->edtTitre->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form->edtTitre->palette().color(QPalette::Base), QColor(255, 255, 202));
    form->ckbEdite->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form->edtTitre->palette().color(QPalette::Base), QColor(255, 255, 255));
}

} // namespace
