#include "form_fixture.h"

#include "../output/pdf_tools.h"
#include "app/spin_edit.h"
#include "app/variant_sheets_dialog.h"
#include "exercises/cp1252.h"
#include "exercises/family_table.h"
#include "richtext/rich_text_pane.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// Runs `act` on the modal dialog of type T once it is on screen.
template <typename T> void WhenShown(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// The reference each page of a PDF starts with, in order.
QStringList PageReferences(const QString& pdf) {
    QStringList references;
    for (int page = 1; page <= PdfPages(pdf); ++page)
        references << PdfText(pdf, page).trimmed().section(u' ', 0, 0);
    return references;
}

class FormVariantSheets : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir::setCurrent(folder_.path()));
        form->questionCountSpin->SetValue(3);
        form->statementCopiesSpin->SetValue(4);
        form->state.Random.SetState(777);
    }
    // The window's sheet, then the three drawn after it by an independent
    // generator seeded alike.
    QStringList ExpectedReferences(const vorn::SheetKind& kind = {&vorn::FamilyNamed("dev2")}) {
        vorn::LcgRandom oracle(777);
        vorn::SheetSettings settings;
        settings.questionCount = 3;
        settings.title = vorn::Utf8ToCp1252(form->titleEdit->text().toUtf8().toStdString());
        QStringList references;
        for (int i = 0; i < 4; ++i)
            references << QString::fromStdString(
                vorn::GenerateSheet(kind, settings, oracle).reference);
        oracleState_ = oracle.State();
        return references;
    }
    // Opens "Sujets différents…" and lets `act` answer the dialog.
    void Run(std::function<void(VariantSheetsDialog&)> act) {
        WhenShown<VariantSheetsDialog>(std::move(act));
        form->variantSheetsAction->trigger();
    }

    QTemporaryDir folder_;
    std::uint32_t oracleState_ = 0;
};

TEST_F(FormVariantSheets, TheMenuSitsInsideImprimerAndWaitsForASheet) {
    const QRect designed(390, 5, 83, 38);
    EXPECT_EQ(form->printButton->geometry(), designed);
    EXPECT_EQ(form->printButton->text(), "Imprimer");
    ASSERT_NE(form->printMenuButton, nullptr);
    EXPECT_EQ(form->printMenuButton->parentWidget(), form->printButton);
    EXPECT_TRUE(form->printButton->rect().contains(form->printMenuButton->geometry()));
    ASSERT_NE(form->printMenuButton->menu(), nullptr);
    EXPECT_EQ(form->printMenuButton->menu()->actions(),
              QList<QAction*>({form->variantSheetsAction}));
    EXPECT_EQ(form->variantSheetsAction->text(), "Sujets différents…");
    EXPECT_FALSE(form->variantSheetsAction->isEnabled());

    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    EXPECT_TRUE(form->variantSheetsAction->isEnabled());
    EXPECT_EQ(form->printButton->geometry(), designed);
}

TEST_F(FormVariantSheets, SavedPdfsHoldTheShownSheetThenFreshOnesWithKeysInOrder) {
    const QStringList expected = ExpectedReferences();
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const std::string shownReference = form->state.SheetReference;
    // An edit of the shown sheet goes into the file.
    QTextCursor cursor(form->statementPane->document());
    cursor.insertText(QStringLiteral("Classe "));

    int proposedCount = 0;
    bool keysProposed = false;
    QString proposedName;
    Run([&](VariantSheetsDialog& dialog) {
        proposedCount = dialog.CountEdit()->value();
        keysProposed = dialog.AnswerKeysBox()->isChecked();
        WhenShown<QFileDialog>([&](QFileDialog& files) {
            proposedName = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("classe");
            static_cast<QDialog&>(files).accept();
        });
        dialog.SavePdfButton()->click();
    });

    EXPECT_EQ(proposedCount, 4);
    EXPECT_TRUE(keysProposed);
    EXPECT_EQ(proposedName, expected.first() + ".pdf");
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"classe.pdf", "classe_Cor.pdf"}));
    const QString statements = folder_.filePath("classe.pdf");
    EXPECT_EQ(PageReferences(statements), QStringList({"Classe"}) + expected.mid(1));
    EXPECT_TRUE(PdfText(statements, 1).contains("Classe " + expected.first()));
    EXPECT_EQ(PageReferences(folder_.filePath("classe_Cor.pdf")), expected);
    EXPECT_EQ(PdfInfoField(statements, "Title"), expected.first());
    // The shown sheet stays the current one; the generator went on as clicks would.
    EXPECT_EQ(form->state.SheetReference, shownReference);
    EXPECT_EQ(form->state.Random.State(), oracleState_);
}

// A sheet chosen in the families menu is followed by sheets of the same family
// and level.
TEST_F(FormVariantSheets, AMenuFamilyKeepsItsLevel) {
    const vorn::SheetKind kind{&vorn::FamilyNamed("eqprod"), 3};
    const QStringList expected = ExpectedReferences(kind);
    ASSERT_TRUE(expected.first().startsWith("EQPROD_"));
    form->familyAction(kind)->trigger();
    Run([&](VariantSheetsDialog& dialog) {
        WhenShown<QFileDialog>([&](QFileDialog& files) {
            files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("eq");
            static_cast<QDialog&>(files).accept();
        });
        dialog.SavePdfButton()->click();
    });
    EXPECT_EQ(PageReferences(folder_.filePath("eq.pdf")), expected);
    EXPECT_EQ(PageReferences(folder_.filePath("eq_Cor.pdf")), expected);
    EXPECT_EQ(form->state.Random.State(), oracleState_);
}

TEST_F(FormVariantSheets, PrintingSendsTheStatementsAsOneJobAndTheKeysOnlyWhenAsked) {
    const QStringList expected = ExpectedReferences();
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const QString job = folder_.filePath("job.pdf");
    form->state.Printer.PrintToFile(job);

    Run([](VariantSheetsDialog& dialog) {
        dialog.AnswerKeysBox()->setChecked(false);
        dialog.PrintButton()->click();
    });
    EXPECT_EQ(PageReferences(job), expected);
    EXPECT_TRUE(PdfText(job).contains("°/ ("));

    // With the keys, their job comes last and replaces the file.
    Run([](VariantSheetsDialog& dialog) {
        dialog.CountEdit()->setValue(2);
        dialog.PrintButton()->click();
    });
    const QStringList keys = PageReferences(job);
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(keys.first(), expected.first());
    EXPECT_TRUE(PdfText(job, 1).contains("Corrigé"));
}

TEST_F(FormVariantSheets, CancelDrawsNothing) {
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const std::uint32_t state = form->state.Random.State();
    Run([](VariantSheetsDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(form->state.Random.State(), state);
    EXPECT_TRUE(QDir(folder_.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
