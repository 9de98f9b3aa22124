#include "form_fixture.h"

#include "app/first_click_warm_up.h"
#include "app/marker_shape.h"
#include "app/spin_edit.h"
#include "exercises/family_table.h"
#include "richtext/rich_text_pane.h"
#include "text/cp1252.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

struct FamilyCase {
    const char* shortName;
    QPushButton* MainWindow::*button;
    const char* prefix;
};

const FamilyCase kFamilies[] = {
    {"vn1", &MainWindow::valueDegree1Button, "VN1_"},
    {"vn2", &MainWindow::valueDegree2Button, "VN2-"},
    {"dev1", &MainWindow::expansion1Button, "DEV1_"},
    {"dev2", &MainWindow::expansion2Button, "DEV2_"},
    {"ident", &MainWindow::identitiesButton, "DEV_ident_"},
};

vorn::SheetKind Kind(const char* shortName, int level = 1) {
    return {&vorn::FamilyNamed(shortName), level};
}

// What a pane shows once it holds the given markup.
QString PaneText(const std::string& markup) {
    RichTextPane pane;
    MarkupToRtf(pane, markup);
    return pane.GetText();
}

class FormGeneration : public FormTest {
protected:
    // The sheet an independent generator seeded alike gives for the window's
    // current settings.
    vorn::Sheet Expected(const vorn::SheetKind& kind, vorn::LcgRandom& random, int questions,
                         int separator, int spacing) {
        vorn::SheetSettings settings;
        settings.questionCount = questions;
        settings.title = vorn::Utf8ToCp1252(form->titleEdit->text().toUtf8().toStdString());
        settings.separatorLength = separator;
        settings.spacingLines = spacing;
        return vorn::GenerateSheet(kind, settings, random);
    }
};

TEST_F(FormGeneration, EachButtonFillsBothPanesWithTheSeededSheet) {
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(c.prefix);
        form->settingsChangedMarker->show();
        const std::uint32_t seed = 20261207u + static_cast<std::uint32_t>(&c - kFamilies);
        form->state.Random.SetState(seed);
        vorn::LcgRandom oracle(seed);

        QTest::mouseClick(form.get()->*c.button, Qt::LeftButton);

        const vorn::Sheet sheet = Expected(Kind(c.shortName), oracle, 20, 120, 1);
        ASSERT_GT(sheet.statement.size(), 100u);
        EXPECT_EQ(form->statementPane->GetText(), PaneText(sheet.statement));
        EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(sheet.answerKey));
        EXPECT_EQ(form->state.SheetReference, sheet.reference);
        EXPECT_EQ(form->referenceEdit->text().toStdString(), sheet.reference);
        EXPECT_TRUE(QRegularExpression(QString("^") + c.prefix + "[0-9]{6}$")
                        .match(form->referenceEdit->text())
                        .hasMatch());
        EXPECT_EQ(form->state.QuestionCount, 20);
        // The window's generator went on exactly as the independent one did.
        EXPECT_EQ(form->state.Random.State(), oracle.State());
        EXPECT_FALSE(form->settingsChangedMarker->isVisible());
        EXPECT_TRUE(form->saveButton->isEnabled());
        EXPECT_TRUE(form->printButton->isEnabled());
        EXPECT_TRUE(form->previewButton->isEnabled());
    }
}

TEST_F(FormGeneration, SettingsReadFromTheWindow) {
    form->questionCountSpin->SetValue(1);
    form->separatorSpin->SetValue(0);
    form->spacingSpin->SetValue(0);
    form->titleEdit->setText(QString::fromUtf8("Contrôle <b>n°3</b>"));
    form->state.Random.SetState(7);
    vorn::LcgRandom oracle(7);
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const vorn::Sheet sheet = Expected(Kind("dev2"), oracle, 1, 0, 0);
    // Typed, "<" is text: the markup writes it as the tag "<lt>".
    EXPECT_NE(sheet.statement.find("Contr\xF4le <lt>b>n\xB0"
                                   "3<lt>/b>"),
              std::string::npos);
    EXPECT_EQ(form->statementPane->GetText(), PaneText(sheet.statement));
    EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(sheet.answerKey));
    EXPECT_EQ(form->state.QuestionCount, 1);

    // Two sheets in a row draw from the one generator without reseeding.
    QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    const vorn::Sheet second = Expected(Kind("vn1"), oracle, 1, 0, 0);
    EXPECT_EQ(form->statementPane->GetText(), PaneText(second.statement));
    EXPECT_EQ(form->referenceEdit->text().toStdString(), second.reference);
}

// Backslashes and braces typed in the title are text, not RTF, "<" is text,
// not markup, and characters Windows-1252 lacks are kept: the title shows as
// typed and every question is there, in both panes.
TEST_F(FormGeneration, ATitleWithBackslashesAndBracesShowsAsTyped) {
    const QRegularExpression question(QString::fromUtf8("^\\d+°/ "),
                                      QRegularExpression::MultilineOption);
    for (const QString& title :
         {QString("Classe {\\*\\x groupe B"), QString("Titre {a} \\par b"),
          QString::fromUtf8("Classe ≤ √ 😀 &#8804;"),
          QString::fromUtf8("Inéquations : x < 3 et x > 1"), QString("a<b>c")}) {
        SCOPED_TRACE(title.toStdString());
        form->titleEdit->setText(title);
        form->generateSheet(Kind("vn1"));
        const QString ref = form->referenceEdit->text();
        const QString statement = form->statementPane->GetText();
        const QString answerKey = form->answerKeyPane->GetText();
        EXPECT_TRUE(statement.startsWith(ref + " - " + title + " \n"))
            << statement.left(120).toStdString();
        EXPECT_TRUE(answerKey.startsWith(ref + QString::fromUtf8(" - Corrigé - ") + title + "\n"))
            << answerKey.left(120).toStdString();
        EXPECT_EQ(statement.count(question), 20);
        EXPECT_EQ(answerKey.count(question), 20);
    }
}

TEST_F(FormGeneration, ASheetAskedForDuringAnotherWaitsForIt) {
    form->state.Random.SetState(31);
    vorn::LcgRandom oracle(31);
    bool asked = false;
    // Another button pressed while the statement pane is being filled.
    QObject::connect(form->statementPane, &RichTextPane::Change, form.get(), [&] {
        if (!asked) {
            asked = true;
            form->generateSheet(Kind("dev1"));
        }
    });
    form->generateSheet(Kind("vn1"));
    ASSERT_TRUE(asked);
    const vorn::Sheet first = Expected(Kind("vn1"), oracle, 20, 120, 1);
    EXPECT_EQ(form->referenceEdit->text().toStdString(), first.reference);
    EXPECT_EQ(form->statementPane->GetText(), PaneText(first.statement));
    EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(first.answerKey));

    QApplication::processEvents(); // then the second sheet, whole
    const vorn::Sheet second = Expected(Kind("dev1"), oracle, 20, 120, 1);
    EXPECT_EQ(form->referenceEdit->text().toStdString(), second.reference);
    EXPECT_EQ(form->statementPane->GetText(), PaneText(second.statement));
    EXPECT_EQ(form->answerKeyPane->GetText(), PaneText(second.answerKey));
}

TEST_F(FormGeneration, TooManyQuestionsIsReportedAndChangesNothing) {
    QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    const QString statement = form->statementPane->GetText();
    const std::string reference = form->state.SheetReference;
    form->questionCountSpin->SetText("99"); // typed, the field not yet left
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    form->generateSheet(Kind("vn1"));
    EXPECT_TRUE(shown.contains("40")) << shown.toStdString();
    EXPECT_EQ(form->statementPane->GetText(), statement);
    EXPECT_EQ(form->state.SheetReference, reference);
}

TEST_F(FormGeneration, MarkerShownByTitleAndQuestionCountOnly) {
    // The title restored trimmed at first show counts as a change.
    EXPECT_TRUE(form->settingsChangedMarker->isVisible());
    form->generateSheet(Kind("vn1"));
    EXPECT_FALSE(form->settingsChangedMarker->isVisible());
    form->statementCopiesSpin->SetValue(3);
    form->answerKeyCopiesSpin->SetValue(2);
    form->separatorSpin->SetValue(80);
    form->spacingSpin->SetValue(4);
    EXPECT_FALSE(form->settingsChangedMarker->isVisible());
    form->questionCountSpin->SetValue(20); // the same text: no change
    form->titleEdit->setText(form->titleEdit->text());
    EXPECT_FALSE(form->settingsChangedMarker->isVisible());

    form->questionCountSpin->setFocus();
    QTest::keyClick(form->questionCountSpin->Editor(), Qt::Key_Up);
    EXPECT_TRUE(form->settingsChangedMarker->isVisible());
    QTest::mouseClick(form->identitiesButton, Qt::LeftButton);
    EXPECT_FALSE(form->settingsChangedMarker->isVisible());

    form->titleEdit->setFocus();
    QTest::keyClicks(form->titleEdit, "x");
    EXPECT_TRUE(form->settingsChangedMarker->isVisible());
    QTest::mouseClick(form->expansion1Button, Qt::LeftButton);
    EXPECT_FALSE(form->settingsChangedMarker->isVisible());
}

TEST_F(FormGeneration, TitleIsLightYellowWhileFocused) {
    const QColor before = form->titleEdit->palette().color(QPalette::Base);
    EXPECT_NE(before, QColor(255, 255, 202));
    form->titleEdit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form->titleEdit->palette().color(QPalette::Base), QColor(255, 255, 202));
    form->editModeCheck->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(form->titleEdit->palette().color(QPalette::Base), QColor(255, 255, 255));
}

// The warm-up waits for the window's first paint, runs to its end on its own
// and leaves the window's sheet, panes and generator as they were.
TEST(FirstClickWarmUpTest, StartsAfterTheFirstPaintAndLeavesTheWindowAsItWas) {
    QTemporaryDir settings;
    MainWindow fresh;
    fresh.removableDriveCheck = [] { return false; };
    fresh.formStorage.SetIniFileName(settings.filePath(QStringLiteral("vorn.ini")));
    fresh.questionCountSpin->SetValue(12);
    auto* warmUp = fresh.findChild<FirstClickWarmUp*>();
    ASSERT_NE(warmUp, nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(warmUp->Started());
    const std::uint32_t seed = fresh.state.Random.State();

    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    EXPECT_TRUE(QTest::qWaitFor([warmUp] { return warmUp->Done(); }, 20000));
    EXPECT_EQ(fresh.state.Random.State(), seed);
    EXPECT_TRUE(fresh.state.SheetReference.empty());
    EXPECT_EQ(fresh.statementPane->GetText(), " ");
    EXPECT_EQ(fresh.answerKeyPane->GetText(), " ");
    EXPECT_FALSE(fresh.saveButton->isEnabled());
}

} // namespace
