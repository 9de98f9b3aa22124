#include "form_fixture.h"

#include "../output/file_replacement.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// Runs each test in a scratch working directory.
class FormClosing : public FormTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        FormTest::SetUp();
    }
    void TearDown() override {
        FormTest::TearDown();
        QDir::setCurrent(previous_);
    }
    void Touch(const QString& name) {
        QFile f(QDir(dir_.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList Left() const {
        QStringList names = QDir(dir_.path()).entryList(QDir::Files);
        names.sort();
        return names;
    }

    QTemporaryDir dir_;
    QString previous_;
};

// Files of the preview's names that this run did not make are the teacher's.
TEST_F(FormClosing, KeepsFilesOfThePreviewsNamesThatItDidNotMake) {
    for (const char* name : {"Temp0.EMF", "temp1.emf", "TWFile.txt", "TWFILE.TXT", "rapport.rtf"})
        Touch(name);
    form->previewBox->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->previewBox->isVisible());
    EXPECT_EQ(Left(),
              (QStringList{"TWFILE.TXT", "TWFile.txt", "Temp0.EMF", "rapport.rtf", "temp1.emf"}));
    EXPECT_FALSE(form->waitPanel->isVisibleTo(form.get()));
}

// A preview, a save into another folder (which becomes the working
// directory), a second preview there: closing removes the files of both
// previews, each where it was made.
TEST_F(FormClosing, RemovesWhatThePreviewsMadeWhereverTheyMadeIt) {
    form->state.Printer.PrintToFile(dir_.filePath("unused.pdf"));
    form->valueDegree1Button->click();
    form->showPreview();
    ASSERT_EQ(Left(), (QStringList{"TWFile.txt", "Temp0.EMF"}));
    const QString saved = dir_.filePath("sauv");
    ASSERT_TRUE(QDir().mkdir(saved));
    ASSERT_TRUE(QDir::setCurrent(saved));
    form->showPreview();
    ASSERT_EQ(QDir(saved).entryList(QDir::Files, QDir::Name),
              (QStringList{"TWFile.txt", "Temp0.EMF"}));

    EXPECT_TRUE(form->close());
    EXPECT_EQ(Left(), QStringList());
    EXPECT_EQ(QDir(saved).entryList(QDir::Files, QDir::Name), QStringList());
}

// The teacher deletes the probe file and writes a file of that name while the
// program runs; the file system may well give it the freed inode number.
TEST_F(FormClosing, KeepsAFileMadeInThePlaceOfOneOfItsOwn) {
    form->state.Printer.PrintToFile(dir_.filePath("unused.pdf"));
    form->generateSheet({&vorn::FamilyNamed("vn1")});
    form->showPreview();
    ASSERT_EQ(Left(), (QStringList{"TWFile.txt", "Temp0.EMF"}));
    ReplaceKeepingInodeIfFree(dir_.filePath("TWFile.txt"), "mine");

    EXPECT_TRUE(form->close());
    EXPECT_EQ(Left(), QStringList{"TWFile.txt"});
    QFile kept(dir_.filePath("TWFile.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "mine");
}

TEST_F(FormClosing, WaitPanelCentredOnARemovableDrive) {
    int asked = 0;
    form->removableDriveCheck = [&] {
        ++asked;
        return true;
    };
    EXPECT_TRUE(form->close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->waitPanel->isVisibleTo(form.get()));
    // (794 - 505) / 2 = 144 and (522 - 217) / 2 = 152, truncated.
    EXPECT_EQ(form->waitPanel->geometry(), QRect(144, 152, 505, 217));
}

TEST_F(FormClosing, WaitPanelCentreTruncates) {
    form->removableDriveCheck = [] { return true; };
    form->resize(800, 523);
    EXPECT_TRUE(form->prepareToClose());
    // (800 - 505) / 2 = 147.5 and (523 - 217) / 2 = 153.
    EXPECT_EQ(form->waitPanel->pos(), QPoint(147, 153));
}

} // namespace
