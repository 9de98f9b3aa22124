#include "form_fixture.h"

#include <QDir>
#include <QFile>
#include <QFrame>
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

TEST_F(FormClosing, RemovesThePreviewFilesInAnyLetterCase) {
    for (const char* name : {"Temp0.EMF", "Temp0.emf", "temp1.EMF", "TWFile.txt", "TWFILE.TXT",
                             "Temp2.EMF", "rapport.rtf", "Temp0.emf.old"})
        Touch(name);
    form->ScrollBox1->show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->ScrollBox1->isVisible());
    EXPECT_EQ(Left(), (QStringList{"Temp0.emf.old", "Temp2.EMF", "rapport.rtf"}));
    EXPECT_FALSE(form->Panel2->isVisibleTo(form.get()));
}

TEST_F(FormClosing, WaitPanelCentredOnARemovableDrive) {
    int asked = 0;
    form->RemovableDriveCheck = [&] {
        ++asked;
        return true;
    };
    EXPECT_TRUE(form->close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->Panel2->isVisibleTo(form.get()));
    // (794 - 505) / 2 = 144 and (522 - 217) / 2 = 152, truncated.
    EXPECT_EQ(form->Panel2->geometry(), QRect(144, 152, 505, 217));
}

TEST_F(FormClosing, WaitPanelCentreTruncates) {
    form->RemovableDriveCheck = [] { return true; };
    form->resize(800, 523);
    EXPECT_TRUE(form->FormCloseQuery());
    // (800 - 505) / 2 = 147.5 and (523 - 217) / 2 = 153.
    EXPECT_EQ(form->Panel2->pos(), QPoint(147, 153));
}

} // namespace
