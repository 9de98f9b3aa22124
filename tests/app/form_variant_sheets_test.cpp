#include "form_fixture.h"

#include "../output/pdf_tools.h"
#include "app/composition_dialog.h"
#include "app/spin_edit.h"
#include "app/variant_sheets_dialog.h"
#include "app/work_progress.h"
#include "exercises/composition_text.h"
#include "exercises/family_table.h"
#include "exercises/saved_recipe.h"
#include "richtext/recipe_destination.h"
#include "richtext/rich_text_pane.h"
#include "tests/support/watchdog.h"
#include "text/cp1252.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
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
    bool editSaid = false;
    QString proposedName;
    Run([&](VariantSheetsDialog& dialog) {
        editSaid = dialog.EditedNote()->isVisibleTo(&dialog);
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
    EXPECT_TRUE(editSaid);
    EXPECT_TRUE(keysProposed);
    EXPECT_EQ(proposedName, expected.first() + "_4sujets.pdf");
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"classe.pdf", "classe_Cor.pdf"}));
    const QString statements = folder_.filePath("classe.pdf");
    EXPECT_EQ(PageReferences(statements), QStringList({"Classe"}) + expected.mid(1));
    EXPECT_TRUE(PdfText(statements, 1).contains("Classe " + expected.first()));
    EXPECT_EQ(PageReferences(folder_.filePath("classe_Cor.pdf")), expected);
    // Each file names the whole set.
    const QString set = expected.first() + " à " + expected.last() + " (4 feuilles)";
    EXPECT_EQ(PdfInfoField(statements, "Title"), set);
    EXPECT_EQ(PdfInfoField(folder_.filePath("classe_Cor.pdf"), "Title"), set + " - Corrigé");
    // The key file's recipe draws the very same set again.
    QFile keyFile(folder_.filePath("classe_Cor.pdf"));
    ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
    const std::optional<std::string> recipe =
        vorn::SavedFileRecipe(keyFile.readAll().toStdString());
    ASSERT_TRUE(recipe.has_value());
    QStringList drawn;
    for (const vorn::Sheet& sheet : vorn::RegenerateSheets(vorn::ParseRecipeText(*recipe)))
        drawn << QString::fromStdString(sheet.reference);
    EXPECT_EQ(drawn, expected);
    // The shown sheet stays the current one; the generator went on as clicks would.
    EXPECT_EQ(form->state.SheetReference, shownReference);
    EXPECT_EQ(form->state.Random.State(), oracleState_);
}

// A composed sheet made from the keyboard alone (Ctrl+K, a row moved, two
// removed, counts typed, Enter), kept in the settings file, then drawn again
// as a set whose answer keys follow the statements in order.
TEST_F(FormVariantSheets, AComposedSheetIsMadeByKeyboardKeptAndDrawnAgainAsASet) {
    const Watchdog watchdog(std::chrono::seconds(120), "a dialog waits for an answer");
    vorn::Composition offered;
    WhenShown<CompositionDialog>([&](CompositionDialog& dialog) {
        offered = dialog.Result();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        auto* rows = dialog.findChild<QListWidget*>();
        auto* count = dialog.findChild<QSpinBox*>();
        const auto typeCount = [&](const char* text) {
            QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(count, text);
        };
        QTest::keyClick(rows, Qt::Key_Down, Qt::ControlModifier); // devred, red, fact, eq1
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(rows, Qt::Key_End);
            QTest::keyClick(rows, Qt::Key_Delete);
        }
        QTest::keyClick(rows, Qt::Key_End);
        typeCount("2");
        QTest::keyClick(rows, Qt::Key_Home);
        typeCount("1");
        QTest::keyClick(count, Qt::Key_Return);
        if (dialog.isVisible()) {
            ADD_FAILURE() << "Enter did not create: " << vorn::CompositionText(dialog.Result());
            dialog.reject();
        }
    });
    QTest::keyClick(form.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(offered, vorn::DefaultComposition());

    const vorn::Composition wanted = vorn::ParseComposition("devred:1:1 red:1:2");
    vorn::LcgRandom oracle(777);
    vorn::SheetSettings settings;
    settings.title = vorn::Utf8ToCp1252(form->titleEdit->text().toUtf8().toStdString());
    QStringList expected;
    for (int i = 0; i < 4; ++i)
        expected << QString::fromStdString(
            vorn::GenerateComposedSheet(wanted, settings, oracle).reference);
    EXPECT_EQ(QString::fromStdString(form->state.SheetReference), expected.first());
    QFile ini(settingsDir.filePath(QStringLiteral("vorn.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    EXPECT_TRUE(stored.contains("[Composition]\r\nExercices=devred:1:1 red:1:2\r\n"))
        << stored.toStdString();

    Run([&](VariantSheetsDialog& dialog) {
        WhenShown<QFileDialog>([&](QFileDialog& files) {
            files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("test");
            static_cast<QDialog&>(files).accept();
        });
        dialog.SavePdfButton()->click();
    });
    EXPECT_EQ(PageReferences(folder_.filePath("test.pdf")), expected);
    EXPECT_EQ(PageReferences(folder_.filePath("test_Cor.pdf")), expected);
    EXPECT_EQ(form->state.Random.State(), oracle.State());
}

// A sheet chosen in the families menu is followed by sheets of the same family
// and level.
TEST_F(FormVariantSheets, AMenuFamilyKeepsItsLevel) {
    const vorn::SheetKind kind{&vorn::FamilyNamed("eqprod"), 3};
    const QStringList expected = ExpectedReferences(kind);
    ASSERT_TRUE(expected.first().startsWith("EQPROD3_"));
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
    form->state.Printer.PrintToFile(folder_.filePath("job.pdf"));
    const QDir out(folder_.path());
    const QString statements = out.filePath(expected.first() + ".pdf");

    Run([](VariantSheetsDialog& dialog) {
        dialog.AnswerKeysBox()->setChecked(false);
        dialog.PrintButton()->click();
    });
    EXPECT_EQ(out.entryList(QDir::Files), QStringList({expected.first() + ".pdf"}));
    EXPECT_EQ(PageReferences(statements), expected);
    for (int page = 1; page <= PdfPages(statements); ++page) {
        EXPECT_TRUE(PdfText(statements, page).contains("°/ (")) << page;
        EXPECT_FALSE(PdfText(statements, page).contains("Corrigé")) << page;
    }

    // With the keys, their job comes last, in a file of its own; the first
    // set's file stays as it was.
    Run([](VariantSheetsDialog& dialog) {
        dialog.CountEdit()->setValue(2);
        dialog.PrintButton()->click();
    });
    const QString keys = out.filePath(expected.first() + "-Cor.pdf");
    EXPECT_EQ(out.entryList(QDir::Files, QDir::Name),
              QStringList({expected.first() + " (2).pdf", expected.first() + "-Cor.pdf",
                           expected.first() + ".pdf"}));
    EXPECT_EQ(PdfPages(statements), 4);
    EXPECT_EQ(PdfPages(out.filePath(expected.first() + " (2).pdf")), 2);
    ASSERT_EQ(PdfPages(keys), 2);
    EXPECT_EQ(PageReferences(keys).first(), expected.first());
    EXPECT_TRUE(PdfText(keys, 1).contains("Corrigé"));
    EXPECT_TRUE(PdfText(keys, 2).contains("Corrigé"));
    // The set of a new sheet proposes the class size asked for last.
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    int proposed = 0;
    Run([&proposed](VariantSheetsDialog& dialog) {
        proposed = dialog.CountEdit()->value();
        dialog.reject();
    });
    EXPECT_EQ(proposed, 2);
}

// What the name typed in the file dialog ends with decides: a PDF name in any
// letter case is kept, anything else gets ".pdf" added.
TEST_F(FormVariantSheets, ATypedPdfNameInAnyCaseIsKeptAndAnyOtherGetsPdfAdded) {
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const QString cases[][3] = {{"Sujets.PDF", "Sujets.PDF", "Sujets_Cor.pdf"},
                                {"fiche.pdb", "fiche.pdb.pdf", "fiche.pdb_Cor.pdf"}};
    for (const auto& [typed, statements, keys] : cases) {
        SCOPED_TRACE(typed.toStdString());
        Run([typed = typed](VariantSheetsDialog& dialog) {
            WhenShown<QFileDialog>([typed](QFileDialog& files) {
                files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
                static_cast<QDialog&>(files).accept();
            });
            dialog.SavePdfButton()->click();
        });
        QDir out(folder_.path());
        EXPECT_EQ(out.entryList(QDir::Files, QDir::Name), QStringList({statements, keys}));
        EXPECT_EQ(PdfPages(out.filePath(statements)), 4);
        EXPECT_EQ(PdfPages(out.filePath(keys)), 4);
        for (const QString& name : out.entryList(QDir::Files))
            ASSERT_TRUE(out.remove(name));
    }
}

TEST_F(FormVariantSheets, ASetIsDrawnOnceUntilANewOneIsAskedFor) {
    const QStringList expected = ExpectedReferences();
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    form->state.Printer.PrintToFile(folder_.filePath("job.pdf"));
    // Printed to a file, each set goes to a new file named after its first
    // sheet: "<ref>.pdf", then "<ref> (2).pdf"...
    int prints = 0;
    const auto print = [&](bool newDraw) {
        Run([newDraw](VariantSheetsDialog& dialog) {
            dialog.NewDrawBox()->setChecked(newDraw);
            dialog.AnswerKeysBox()->setChecked(false);
            dialog.PrintButton()->click();
        });
        ++prints;
        return folder_.filePath(
            prints == 1 ? expected.first() + ".pdf"
                        : QStringLiteral("%1 (%2).pdf").arg(expected.first()).arg(prints));
    };
    ASSERT_EQ(PageReferences(print(false)), expected);

    // Saved afterwards, the printed sheets come with their keys.
    QString kept;
    bool editSaid = true;
    bool newDrawProposed = true;
    QString proposedName;
    Run([&](VariantSheetsDialog& dialog) {
        kept = dialog.KeptSetLabel()->text();
        editSaid = dialog.EditedNote()->isVisibleTo(&dialog);
        newDrawProposed = dialog.NewDrawBox()->isChecked();
        WhenShown<QFileDialog>([&](QFileDialog& files) {
            proposedName = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            static_cast<QDialog&>(files).accept();
        });
        dialog.SavePdfButton()->click();
    });
    EXPECT_EQ(kept,
              "Série déjà tirée : 4 sujets, de " + expected.first() + " à " + expected.last());
    EXPECT_FALSE(newDrawProposed);
    EXPECT_FALSE(editSaid);
    EXPECT_EQ(proposedName, expected.first() + "_4sujets.pdf");
    EXPECT_EQ(PageReferences(folder_.filePath(proposedName)), expected);
    EXPECT_EQ(PageReferences(folder_.filePath(expected.first() + "_4sujets_Cor.pdf")), expected);
    EXPECT_EQ(form->state.Random.State(), oracleState_);

    EXPECT_EQ(PageReferences(print(false)), expected);
    const QStringList redrawn = PageReferences(print(true));
    ASSERT_EQ(redrawn.size(), 4);
    EXPECT_EQ(redrawn.first(), expected.first());
    EXPECT_NE(redrawn.mid(1), expected.mid(1));

    // A new sheet starts without a set.
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    bool keptShown = true;
    Run([&](VariantSheetsDialog& dialog) {
        keptShown = dialog.KeptSetLabel()->isVisibleTo(&dialog);
        dialog.reject();
    });
    EXPECT_FALSE(keptShown);
}

TEST_F(FormVariantSheets, SavingASetNeverReplacesAFileSilently) {
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const std::uint32_t state = form->state.Random.State();
    const QString reference = QString::fromStdString(form->state.SheetReference);
    const QString key = folder_.filePath(reference + "_4sujets_Cor.pdf");
    QFile mine(key);
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();

    QStringList asked;
    QString proposed;
    Run([&](VariantSheetsDialog& dialog) {
        WhenShown<QFileDialog>([&](QFileDialog& files) {
            WhenShown<QMessageBox>([&](QMessageBox& box) {
                asked << box.text();
                QTest::keyClick(&box, Qt::Key_Escape);
            });
            // A new set is not offered the names of one saved already; the
            // teacher types them.
            proposed = QFileInfo(files.selectedFiles().value(0)).fileName();
            files.selectFile(reference + "_4sujets.pdf");
            static_cast<QDialog&>(files).accept();
        });
        dialog.SavePdfButton()->click();
    });
    EXPECT_EQ(proposed, reference + "_4sujets-2.pdf");
    EXPECT_EQ(asked, QStringList({"Le fichier « " + reference +
                                  "_4sujets_Cor.pdf » existe déjà.\nLe remplacer ?"}));
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files),
              QStringList({QFileInfo(key).fileName()}));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "mine");
    EXPECT_EQ(form->state.Random.State(), state);
}

TEST_F(FormVariantSheets, ALongSetShowsProgressAndCancelLeavesNoFile) {
    constexpr int kCount = 100;
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    // The dialog shows from the first step, as it would after its delay on
    // any machine; once shown, every step lets the events in, and with them
    // the watch below.
    const QScopedValueRollback showAtOnce(WorkProgress::showAfterMs, 0);
    // Cancelled once every sheet is drawn and the first is laid out.
    bool shown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* progress = form->findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible())
            return;
        shown = true;
        if (progress->value() > kCount)
            progress->cancel();
    });
    watch.start(0);
    Run([&](VariantSheetsDialog& dialog) {
        dialog.CountEdit()->setValue(kCount);
        WhenShown<QFileDialog>([](QFileDialog& files) { static_cast<QDialog&>(files).accept(); });
        dialog.SavePdfButton()->click();
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(QDir(folder_.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(form->statusLabel->text().startsWith("Annulé"));
}

TEST_F(FormVariantSheets, CancelDrawsNothing) {
    QTest::mouseClick(form->expansion2Button, Qt::LeftButton);
    const std::uint32_t state = form->state.Random.State();
    Run([](VariantSheetsDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(form->state.Random.State(), state);
    EXPECT_TRUE(QDir(folder_.path()).entryList(QDir::Files).isEmpty());
}

// From 1 to 200 kept sheets, the dialog fits the screen and shows each of its
// lines whole, one under the other; the note on an edited sheet 1 too.
TEST(VariantSheetsDialogGeometry, AnyKeptSetFitsTheScreenWithoutOverlap) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const int count : {1, 2, 30, 200}) {
        SCOPED_TRACE(count);
        QStringList references;
        for (int i = 0; i < count; ++i)
            references << QStringLiteral("DEV2_%1").arg(100000 + i * 37);
        VariantSheetsDialog dialog(count, references, nullptr, true);
        dialog.show();
        QApplication::processEvents();
        EXPECT_LE(dialog.frameGeometry().height(), screen.height());
        EXPECT_LE(dialog.frameGeometry().width(), screen.width());
        QList<QWidget*> rows = {dialog.CountEdit(),   dialog.AnswerKeysBox(), dialog.KeptSetLabel(),
                                dialog.KeptSetList(), dialog.NewDrawBox(),    dialog.EditedNote()};
        rows.removeIf([](QWidget* row) { return !row->isVisible(); });
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const QWidget* row = rows[i];
            EXPECT_GE(row->height(), row->hasHeightForWidth() ? row->heightForWidth(row->width())
                                                              : row->minimumSizeHint().height())
                << row->objectName().toStdString();
            EXPECT_LE(row->geometry().right(), dialog.width());
            if (i > 0) {
                EXPECT_LT(rows[i - 1]->geometry().bottom(), row->geometry().top())
                    << row->objectName().toStdString();
            }
        }
        EXPECT_TRUE(dialog.EditedNote()->isVisible());
        EXPECT_EQ(dialog.KeptSetList()->isVisible(), count > 1);
        EXPECT_EQ(dialog.KeptSetList()->count(), count);
        if (count == 200) {
            EXPECT_EQ(dialog.KeptSetLabel()->text(),
                      "Série déjà tirée : 200 sujets, de DEV2_100000 à DEV2_107363");
            EXPECT_GT(dialog.KeptSetList()->verticalScrollBar()->maximum(), 0);
        }
    }
}

} // namespace
