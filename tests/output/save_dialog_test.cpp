#include "sheet_fixture.h"

#include "output/save/save_command.h"
#include "richtext/rich_text_pane.h"
#include "tests/support/watchdog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Runs `act` on the save dialog once it is on screen.
void WhenTheDialogShows(std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

QString TypedName(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QString();
}

void Type(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

class SaveDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FreshFolder();
        ASSERT_TRUE(QDir::setCurrent(dir_));
        statement_.SetText(StatementRtf(2));
        key_.SetText(AnswerKeyRtf(2));
    }
    QStringList Files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    QString dir_;
    RichTextPane statement_;
    RichTextPane key_;
};

TEST_F(SaveDialogTest, ProposesTheReferenceAsAnRtfNameAndCancelWritesNothing) {
    QString proposed;
    QStringList filters;
    QString chosenFilter;
    QString suffix;
    QString folder;
    bool nativeDialog = true;
    WhenTheDialogShows([&](QFileDialog& dialog) {
        proposed = TypedName(dialog);
        filters = dialog.nameFilters();
        chosenFilter = dialog.selectedNameFilter();
        suffix = dialog.defaultSuffix();
        folder = dialog.directory().absolutePath();
        nativeDialog = !dialog.testOption(QFileDialog::DontUseNativeDialog);
        dialog.reject();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, "VN1_071542");
    EXPECT_EQ(proposed, "VN1_071542.rtf");
    EXPECT_EQ(filters, QStringList({"rtf (*.rtf)", "Document PDF (*.pdf)"}));
    EXPECT_EQ(chosenFilter, "rtf (*.rtf)");
    EXPECT_EQ(suffix, "rtf");
    EXPECT_EQ(folder, QDir(dir_).absolutePath());
    EXPECT_FALSE(nativeDialog);
    EXPECT_TRUE(Files(dir_).isEmpty());
}

TEST_F(SaveDialogTest, ANameWithoutExtensionGetsRtf) {
    WhenTheDialogShows([](QFileDialog& dialog) {
        Type(dialog, "feuille");
        static_cast<QDialog&>(dialog).accept();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, "VN1_071542");
    EXPECT_EQ(Files(dir_), QStringList({"feuille.rtf", "feuille_Cor.rtf"}));
}

TEST_F(SaveDialogTest, ThePdfFilterOrAPdfNameSavesBothDocumentsAsPdf) {
    WhenTheDialogShows([](QFileDialog& dialog) {
        dialog.selectNameFilter("Document PDF (*.pdf)");
        emit dialog.filterSelected("Document PDF (*.pdf)");
        Type(dialog, "feuille");
        static_cast<QDialog&>(dialog).accept();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, "VN1_071542");
    WhenTheDialogShows([](QFileDialog& dialog) {
        Type(dialog, "Autre.Pdf");
        static_cast<QDialog&>(dialog).accept();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, "VN1_071542");
    const QStringList files = Files(dir_);
    EXPECT_EQ(files, QStringList({"Autre.Pdf", "Autre_Cor.pdf", "feuille.pdf", "feuille_Cor.pdf"}));
    for (const QString& file : files)
        EXPECT_TRUE(ReadAll(dir_ + "/" + file).startsWith("%PDF-")) << file.toStdString();
}

TEST_F(SaveDialogTest, BeforeAnySheetTheProposedNameIsFeuille) {
    QString proposed;
    WhenTheDialogShows([&](QFileDialog& dialog) {
        proposed = TypedName(dialog);
        static_cast<QDialog&>(dialog).accept();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, QString());
    EXPECT_EQ(proposed, "feuille.rtf");
    EXPECT_EQ(Files(dir_), QStringList({"feuille.rtf", "feuille_Cor.rtf"}));
}

TEST_F(SaveDialogTest, TheChosenFolderBecomesTheWorkingDirectory) {
    const QString other = FreshFolder();
    WhenTheDialogShows([&](QFileDialog& dialog) {
        Type(dialog, other + "/sujet.rtf");
        static_cast<QDialog&>(dialog).accept();
    });
    vorn::SaveSheetCommand(nullptr, statement_, key_, "VN1_071542");
    EXPECT_EQ(Files(other), QStringList({"sujet.rtf", "sujet_Cor.rtf"}));
    EXPECT_EQ(QDir::currentPath(), QDir(other).absolutePath());
}

// The refused replacement and the failed save both bring the dialog back in
// the folder and with the name the teacher had chosen; neither moves the
// working folder.
TEST_F(SaveDialogTest, AfterNonOrAFailedSaveTheDialogComesBackWhereTheTeacherWas) {
    const Watchdog watchdog(std::chrono::seconds(60), "a save dialog that does not come back");
    for (const bool refuse : {true, false}) {
        SCOPED_TRACE(refuse ? "Non" : "failed save");
        const QString other = FreshFolder();
        if (refuse)
            ASSERT_TRUE(QFile(other + "/sujet.rtf").open(QIODevice::WriteOnly));
        else // a folder in the place of the answer key: "Oui", it still cannot be written
            ASSERT_TRUE(QDir(other).mkdir("sujet_Cor.rtf"));
        QString folderAgain;
        QString nameAgain;
        // Each step waits for its window to be the active modal one.
        std::vector<std::function<bool(QWidget*)>> steps = {
            [&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (dialog) {
                    Type(*dialog, other + "/sujet.rtf");
                    static_cast<QDialog*>(dialog)->accept();
                }
                return dialog != nullptr;
            },
            [&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && refuse)
                    box->escapeButton()->click();
                else if (box)
                    for (QAbstractButton* button : box->buttons())
                        if (button->text() == "Oui")
                            button->click();
                return box != nullptr;
            },
            [&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (dialog) {
                    folderAgain = dialog->directory().absolutePath();
                    nameAgain = TypedName(*dialog);
                    dialog->reject();
                }
                return dialog != nullptr;
            }};
        size_t step = 0;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (step < steps.size() && steps[step](QApplication::activeModalWidget()))
                ++step;
        });
        answer.start(5);
        QStringList reported;
        const QStringList written = vorn::SaveSheetCommand(
            nullptr, statement_, key_, "VN1_071542", vorn::LaserA4PageSetup,
            [&](const vorn::UserError& error) { reported << QString::fromUtf8(error.what()); });
        EXPECT_TRUE(written.isEmpty());
        EXPECT_EQ(step, steps.size());
        EXPECT_EQ(folderAgain, QDir(other).absolutePath());
        EXPECT_EQ(nameAgain, "sujet.rtf");
        EXPECT_EQ(QDir::currentPath(), QDir(dir_).absolutePath());
        EXPECT_EQ(reported.size(), refuse ? 0 : 1);
        if (!reported.isEmpty()) {
            EXPECT_TRUE(reported.first().contains("sujet_Cor.rtf"))
                << reported.first().toStdString();
        }
    }
}

} // namespace
