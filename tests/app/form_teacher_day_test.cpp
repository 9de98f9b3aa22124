// A teacher's day through the window's own code: a question before work is
// lost, a confirmation after work is done, and the keyboard.
#include "form_fixture.h"

#include "app/confirmation_text.h"
#include "app/spin_edit.h"
#include "output/preview/preview_box.h"
#include "richtext/rich_text_pane.h"
#include "tests/support/watchdog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Answers every question box as it comes up, with the button called `answer`
// or else with `key`, and keeps what each one asked.
class BoxAnswers {
public:
    explicit BoxAnswers(QString reply = {}) : answer(std::move(reply)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            asked << box->text();
            if (answer.isEmpty()) {
                QTest::keyClick(box, key);
                return;
            }
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer)
                    button->click();
        });
        timer_.start(10);
    }
    QString answer;
    Qt::Key key = Qt::Key_Escape;
    QStringList asked;

private:
    QTimer timer_;
};

// Runs `act` on the modal dialog of type T once it is on screen.
template <typename T> void WhenShown(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

class TeacherDay : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        form->questionCountSpin->SetValue(3);
        QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    }
    void TypeInto(RichTextPane* pane, const QString& text) {
        form->editModeCheck->setChecked(true);
        QApplication::processEvents();
        pane->setFocus();
        QTest::keyClicks(pane, text);
    }
    // Saves under `name`; returns how many times the dialog came back after
    // that (after "Non" or an error), each time closed.
    int SaveAs(const QString& name) {
        int shown = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            if (shown++ > 0) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog*>(dialog)->accept();
        });
        answer.start(5);
        form->saveButton->click();
        return shown - 1;
    }
    QByteArray Read(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString Status() const {
        return form->statusLabel->isVisible() ? form->statusLabel->text() : QString();
    }

    QTemporaryDir folder;
};

TEST_F(TeacherDay, AnEditedSheetIsReplacedOnlyWhenTheTeacherSaysSo) {
    BoxAnswers boxes;
    const std::string first = form->state.SheetReference;
    QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    EXPECT_NE(form->state.SheetReference, first);
    EXPECT_TRUE(boxes.asked.isEmpty());

    TypeInto(form->answerKeyPane, "revu ");
    const std::string shown = form->state.SheetReference;
    const QString edited = form->answerKeyPane->GetText();
    QTest::mouseClick(form->expansion1Button, Qt::LeftButton);
    boxes.answer = "Non";
    QTest::mouseClick(form->valueDegree2Button, Qt::LeftButton);
    EXPECT_EQ(boxes.asked, QStringList(2, "Remplacer la feuille modifiée ?"));
    EXPECT_EQ(form->state.SheetReference, shown);
    EXPECT_EQ(form->answerKeyPane->GetText(), edited);

    boxes.answer = "Oui";
    QTest::mouseClick(form->expansion1Button, Qt::LeftButton);
    EXPECT_EQ(boxes.asked.size(), 3);
    EXPECT_TRUE(form->state.SheetReference.starts_with("DEV1_"));
    // The new sheet holds no edit: the next one comes at once.
    QTest::mouseClick(form->valueDegree1Button, Qt::LeftButton);
    EXPECT_EQ(boxes.asked.size(), 3);
    EXPECT_TRUE(form->state.SheetReference.starts_with("VN1_"));
}

TEST_F(TeacherDay, SavingAsksBeforeReplacingAndSaysWhereTheFilesWent) {
    BoxAnswers boxes;
    SaveAs("feuille");
    EXPECT_TRUE(boxes.asked.isEmpty());
    EXPECT_EQ(Status(), "2 fichiers enregistrés dans " + QDir::toNativeSeparators(folder.path()));
    const QByteArray statement = Read("feuille.rtf");
    const QByteArray answerKey = Read("feuille_Cor.rtf");
    ASSERT_FALSE(statement.isEmpty());

    TypeInto(form->statementPane, "Classe ");
    form->statusLabel->hide();
    // Escape and a hurried Return both answer "Non".
    const Watchdog watchdog(std::chrono::seconds(60), "the replace question stays open");
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        boxes.key = key;
        SaveAs("feuille.rtf");
        EXPECT_EQ(boxes.asked.takeLast(), "Les fichiers « feuille.rtf » et « feuille_Cor.rtf » "
                                          "existent déjà.\nLes remplacer ?");
        EXPECT_EQ(Read("feuille.rtf"), statement) << key;
        EXPECT_EQ(Read("feuille_Cor.rtf"), answerKey);
        EXPECT_EQ(Status(), QString());
    }
    EXPECT_TRUE(boxes.asked.isEmpty());

    ASSERT_TRUE(QFile::remove(folder.filePath("feuille.rtf")));
    boxes.answer = "Oui";
    SaveAs("feuille.rtf");
    EXPECT_EQ(boxes.asked,
              QStringList({"Le fichier « feuille_Cor.rtf » existe déjà.\nLe remplacer ?"}));
    EXPECT_TRUE(Read("feuille.rtf").contains("Classe"));
}

TEST_F(TeacherDay, PrintingSaysHowManyJobsWentWhere) {
    form->state.Printer.PrintToFile(folder.filePath("copie.pdf"));
    form->statementCopiesSpin->SetValue(2);
    form->answerKeyCopiesSpin->SetValue(1);
    form->printButton->click();
    EXPECT_EQ(Status(),
              "2 sujets et 1 corrigé enregistrés dans " + QDir::toNativeSeparators(folder.path()));
}

TEST_F(TeacherDay, TheConfirmationGoesAfterAFewSecondsOrAtAClick) {
    const Watchdog watchdog(std::chrono::seconds(60), "a dialog waits for an answer");
    form->state.Printer.PrintToFile(folder.filePath("copie.pdf"));
    form->statementCopiesSpin->SetValue(0);
    form->answerKeyCopiesSpin->SetValue(0);
    form->printButton->click();
    EXPECT_EQ(Status(), "Aucune impression envoyée");
    EXPECT_EQ(PrintedSheetsText(28, 28, "PDF", {}), "28 sujets et 28 corrigés envoyés à « PDF »");
    EXPECT_EQ(PrintedSheetsText(1, 0, "PDF", {}), "1 sujet envoyé à « PDF »");
    auto* timer = form->findChild<QTimer*>(QStringLiteral("statusTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_GE(timer->interval(), 2000);
    EXPECT_LE(timer->interval(), 10000);
    // Its time is up now rather than in a few seconds.
    timer->start(0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Status().isEmpty(); }));

    SaveAs("feuille");
    ASSERT_FALSE(Status().isEmpty());
    QTest::mouseClick(form->statusLabel, Qt::LeftButton);
    EXPECT_EQ(Status(), QString());
}

TEST_F(TeacherDay, ThePrinterDialogChoosesWithoutSayingPrint) {
    if (QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "no printer to choose from";
    QString accept;
    WhenShown<QPrintDialog>([&](QPrintDialog& dialog) {
        accept = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        dialog.reject();
    });
    form->choosePrinterButton->click();
    EXPECT_EQ(accept, "Choisir");
}

TEST_F(TeacherDay, TheKeyboardReachesEveryCommand) {
    form->state.Printer.PrintToFile(folder.filePath("copie.pdf"));
    form->expansion2Button->setFocus();
    QTest::keyClick(form->expansion2Button, Qt::Key_Return);
    EXPECT_TRUE(form->state.SheetReference.starts_with("DEV2_"));

    bool saveAsked = false;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        saveAsked = true;
        dialog.reject();
    });
    QTest::keyClick(form->expansion2Button, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(saveAsked);
    // The offscreen platform gives the focus back to no window once a dialog
    // closes; a desktop gives it to the window underneath.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    QTest::keyClick(form->expansion2Button, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);

    for (const QKeyCombination keys :
         {QKeyCombination(Qt::Key_F5),
          QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_P)}) {
        QTest::keyClick(form->expansion2Button, keys.key(), keys.keyboardModifiers());
        ASSERT_TRUE(form->previewBox->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form->previewBox));
        QTest::keyClick(form->previewBox, Qt::Key_Escape);
        EXPECT_FALSE(form->previewBox->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    EXPECT_TRUE(form->saveButton->toolTip().endsWith("(Ctrl+S)"));
    EXPECT_TRUE(form->printButton->toolTip().endsWith("(Ctrl+P)"));
    EXPECT_EQ(form->previewButton->toolTip(), "Aperçu avant impression (Ctrl+Maj+P ou F5)");
}

TEST_F(TeacherDay, CtrlYRedoesInThePanes) {
    for (RichTextPane* pane : {form->statementPane, form->answerKeyPane}) {
        TypeInto(pane, "xyz");
        const QString typed = pane->GetText();
        QTest::keyClick(pane, Qt::Key_Z, Qt::ControlModifier);
        ASSERT_NE(pane->GetText(), typed);
        QTest::keyClick(pane, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(pane->GetText(), typed);
    }
}

} // namespace
